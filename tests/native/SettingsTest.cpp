// Loading and saving the settings record: order, types, defaults, values that cannot be read
// and every way saving stops.
#include <doctest.h>

#include <utility>

#include "settings/MemoryStore.h"
#include "settings/Settings.h"

using namespace tembori;

namespace {

using Op = MemoryStore::Operation;
using Reports = std::vector<std::pair<SettingsFailure, std::string>>;

const std::vector<std::string> kLoadOrder = {
    "Language",       "DispToday", "MemoTime",     "Today'sFace", "RegularHoliday",
    "Squeeze",        "NoFrame",   "MemoFile",     "TopMost",     "Tray",
    "Circ",           "CircColor", "TypeFace",     "PointSize",   "CharSet",
    "PitchAndFamily", "BackColor", "HolidayColor", "TodayColor",  "OrdinaryColor",
    "Transparent",    "SunFirst",  "HolidayLaw",   "EraYear",     "Rokuyo"};

bool IsText(const std::string& name) {
  return name == "TypeFace" || name == "PointSize";
}

struct RecordingReporter : ErrorReporter {
  explicit RecordingReporter(const MemoryStore& store) : store(store) {}
  void Report(SettingsFailure failure, std::string_view valueName) override {
    CHECK(store.OpenKeyCount() == 0);  // the key is closed before anything is shown
    reports.emplace_back(failure, valueName);
  }
  const MemoryStore& store;
  Reports reports;
};

// Every field away from its default.
Settings Custom() {
  Settings s;
  s.MemoTime = 12, s.DispToday = 1, s.TodaysFace = 1, s.Language = 1, s.Circ = 0;
  s.Squeeze = s.NoFrame = s.MemoFile = s.TopMost = s.Tray = s.Transparent = s.SunFirst = 1;
  s.HolidayLaw = 0;  // the calendar's own rules, as a user who turned the law off
  s.EraYear = s.Rokuyo = 1;
  s.CircColor = 0x010203, s.BackColor = 0x040506, s.HolidayColor = 0x070809;
  s.TodayColor = 0x0A0B0C, s.OrdinaryColor = 0x0D0E0F, s.CharSet = 0, s.PitchAndFamily = 0x31;
  s.TypeFace = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9", s.PointSize = "12";
  s.WeekdayOff = {0, 0, 0, 1, 0, 0, 0};
  return s;
}

// Every field of the table, and the weekday flags, equal.
bool SameFields(const Settings& a, const Settings& b) {
  bool same = a.WeekdayOff == b.WeekdayOff;
#define TEMBORI_SETTING(type, field, value, name) same = same && a.field == b.field;
#include "settings/Settings.def"
  return same;
}

}  // namespace

TEST_CASE("saved settings load back unchanged with their types, and loading keeps what is stored") {
  MemoryStore store;
  RecordingReporter reporter(store);
  Settings defaults;
  SaveSettings(defaults, store, reporter);
  CHECK(store.Find(kConfigKey, "CharSet")->data == std::vector<std::uint8_t>{128, 0, 0, 0});
  CHECK(store.Find(kConfigKey, "TypeFace")->data == std::vector<std::uint8_t>{0});
  Settings saved = Custom();
  SaveSettings(saved, store, reporter);
  for (const std::string& name : kLoadOrder) {
    INFO(name);
    CHECK(store.Find(kConfigKey, name)->type == (IsText(name) ? kTypeString : kTypeDword));
  }
  Settings loaded;
  LoadSettings(loaded, store, reporter);
  CHECK(SameFields(loaded, saved));

  MemoryStore partial;  // a key holding some values only: the others keep what they were
  partial.PutDword(kConfigKey, "CharSet", 0x1FF);        // only the low byte is a character set
  partial.PutDword(kConfigKey, "RegularHoliday", 0x22);  // the flags follow; the mask is kept
  LoadSettings(loaded, partial, reporter);
  saved.CharSet = 0xFF, saved.RegularHoliday = 0x22, saved.WeekdayOff = {0, 1, 0, 0, 0, 1, 0};
  saved.TypeFace.clear(), saved.PointSize.clear();  // a text that is not there is empty
  CHECK(SameFields(loaded, saved));
  CHECK(reporter.reports.empty());
}

TEST_CASE("an unreadable value takes its default alone and is named, and loading goes on") {
  for (std::size_t failing = 0; failing < kLoadOrder.size(); ++failing) {
    const std::string& name = kLoadOrder[failing];
    INFO(name);
    MemoryStore store;
    RecordingReporter reporter(store);
    Settings custom = Custom();
    SaveSettings(custom, store, reporter);
    MemoryStore without;  // every value but the unreadable one
    for (const std::string& other : kLoadOrder) {
      const MemoryStore::Value* value = store.Find(kConfigKey, other);
      if (other != name) without.Put(kConfigKey, other, value->type, value->data);
    }
    // A number too long for a DWORD (a MemoTime stored as REG_QWORD), a text too long to read.
    store.Put(kConfigKey, name, IsText(name) ? kTypeString : kTypeQword,
              std::vector<std::uint8_t>(IsText(name) ? 1 << 20 : 8, '1'));
    Settings loaded = custom;  // what the record held before is no default
    LoadSettings(loaded, store, reporter);
    Settings expected;
    LoadSettings(expected, without, reporter);
    CHECK(reporter.reports == Reports{{SettingsFailure::ReadFailed, name}});
    CHECK(SameFields(loaded, expected));
  }

  // Several are named in one report, in load order; the next save writes their defaults.
  MemoryStore store;
  RecordingReporter reporter(store);
  Settings custom = Custom();
  SaveSettings(custom, store, reporter);
  store.Put(kConfigKey, "MemoTime", kTypeQword, std::vector<std::uint8_t>(8, 1));
  store.FailOn(Op::Query, kConfigKey, "TypeFace");
  Settings loaded;
  LoadSettings(loaded, store, reporter);
  CHECK(reporter.reports == Reports{{SettingsFailure::ReadFailed, "MemoTime, TypeFace"}});
  CHECK(loaded.MemoTime == Settings().MemoTime);
  CHECK(loaded.TypeFace.empty());
  CHECK(loaded.OrdinaryColor == custom.OrdinaryColor);
  CHECK(loaded.HolidayLaw == custom.HolidayLaw);
}

TEST_CASE("a stored delay outside 1 to 30 is used as the nearest bound until it is saved again") {
  for (const auto& [stored, used] : std::vector<std::pair<std::uint32_t, std::int32_t>>{
           {0, 1}, {0xFFFFFFFB, 1}, {1, 1}, {30, 30}, {31, 30}, {100000, 30}}) {
    CAPTURE(stored);
    MemoryStore store;
    RecordingReporter reporter(store);
    store.PutDword(kConfigKey, "MemoTime", stored);
    Settings loaded;
    LoadSettings(loaded, store, reporter);
    CHECK(loaded.MemoTime == used);
    std::uint32_t kept = 0;
    REQUIRE(store.ReadDword(kConfigKey, "MemoTime", kept));
    CHECK(kept == stored);
    CHECK(reporter.reports.empty());
  }
}

TEST_CASE("saving writes in order and a failing write stops it there and is named") {
  std::vector<std::string> order = kLoadOrder;
  std::swap(order[18], order[19]);  // OrdinaryColor has always been saved before TodayColor
  for (std::size_t failing = 0; failing <= order.size(); ++failing) {
    CAPTURE(failing);
    const bool fails = failing < order.size();
    MemoryStore store;
    RecordingReporter reporter(store);
    if (fails) store.FailOn(Op::Write, kConfigKey, order[failing]);
    Settings settings = Custom();
    settings.RegularHoliday = 0x41;
    settings.WeekdayOff[0] = -1;  // only exactly 1 counts
    SaveSettings(settings, store, reporter);
    CHECK(store.ValueNames(kConfigKey) ==
          std::vector<std::string>(order.begin(), order.begin() + failing));
    CHECK(reporter.reports ==
          (fails ? Reports{{SettingsFailure::WriteFailed, order[failing]}} : Reports{}));
    // The mask is rebuilt from the flags, five times over, before anything is written.
    CHECK(settings.RegularHoliday == 0x81020408u);
  }
}

TEST_CASE("a key that cannot be created or memory that runs out is reported") {
  MemoryStore store;
  RecordingReporter reporter(store);
  Settings settings;
  store.FailOn(Op::Create, kConfigKey);
  SaveSettings(settings, store, reporter);
  CHECK_FALSE(store.HasKey(kConfigKey));
  store.ClearFailures();
  store.ExhaustOn(Op::Write, kConfigKey, "Circ");
  store.ExhaustOn(Op::Query, kConfigKey, "TypeFace");
  SaveSettings(settings, store, reporter);
  LoadSettings(settings, store, reporter);
  CHECK(reporter.reports == Reports{{SettingsFailure::KeyNotCreated, ""},
                                    {SettingsFailure::OutOfMemory, ""},
                                    {SettingsFailure::OutOfMemory, ""}});
}
