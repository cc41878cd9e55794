// Loading and saving the settings record: order, types, defaults and every way it stops.
#include <doctest.h>

#include "res/ResourceIds.h"
#include "settings/MemoryStore.h"
#include "settings/Settings.h"

using namespace tembori;

namespace {

using Op = MemoryStore::Operation;

const std::vector<std::string> kSaveOrder = {
    "Language",       "DispToday", "MemoTime",     "Today'sFace",   "RegularHoliday",
    "Squeeze",        "NoFrame",   "MemoFile",     "TopMost",       "Tray",
    "Circ",           "CircColor", "TypeFace",     "PointSize",     "CharSet",
    "PitchAndFamily", "BackColor", "HolidayColor", "OrdinaryColor", "TodayColor",
    "Transparent",    "SunFirst"};

struct Report {
  std::uint32_t stringId;
  std::string valueName;
  int keysOpen;  // a report must come after the key is closed
};

struct RecordingReporter : ErrorReporter {
  explicit RecordingReporter(const MemoryStore& store) : store(store) {}
  void Report(std::uint32_t stringId, std::string_view valueName) override {
    reports.push_back({stringId, std::string(valueName), store.OpenKeyCount()});
  }
  const MemoryStore& store;
  std::vector<::Report> reports;
};

void CheckOneReport(const RecordingReporter& reporter, std::uint32_t id, const char* name) {
  REQUIRE(reporter.reports.size() == 1);
  CHECK(reporter.reports[0].stringId == id);
  CHECK(reporter.reports[0].valueName == name);
  CHECK(reporter.reports[0].keysOpen == 0);
}

Settings Custom() {
  Settings s;
  s.MemoTime = 12, s.DispToday = 1, s.TodaysFace = 1, s.Language = 1;
  s.WeekdayOff = {0, 0, 0, 1, 0, 0, 0};
  s.Squeeze = s.NoFrame = s.MemoFile = s.TopMost = s.Tray = s.Transparent = s.SunFirst = 1;
  s.Circ = 0;
  s.CircColor = 0x010203, s.BackColor = 0x040506, s.HolidayColor = 0x070809;
  s.TodayColor = 0x0A0B0C, s.OrdinaryColor = 0x0D0E0F;
  s.TypeFace = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9", s.PointSize = "12";
  s.CharSet = 0, s.PitchAndFamily = 0x31;
  return s;
}

auto Fields(const Settings& s) {
  return std::tie(s.MemoTime, s.DispToday, s.TodaysFace, s.Language, s.WeekdayOff, s.Squeeze,
                  s.NoFrame, s.MemoFile, s.TopMost, s.Tray, s.Circ, s.CircColor, s.SunFirst,
                  s.TypeFace, s.PointSize, s.CharSet, s.PitchAndFamily, s.BackColor, s.HolidayColor,
                  s.TodayColor, s.OrdinaryColor, s.Transparent, s.RegularHoliday);
}

}  // namespace

TEST_CASE("the weekly mask repeats the weekday pattern five times within 32 bits") {
  Settings settings;
  CHECK(settings.RegularHoliday == 0x183060C1);
  BuildWeeklyMask(settings);
  CHECK(settings.RegularHoliday == 0x183060C1);
  settings.WeekdayOff = {0, 0, 0, 1, 0, 0, 0};
  BuildWeeklyMask(settings);
  CHECK(settings.RegularHoliday == 0x81020408);
  settings.WeekdayOff = {1, 1, 1, 1, 1, 1, 1};
  BuildWeeklyMask(settings);
  CHECK(settings.RegularHoliday == 0xFFFFFFFF);
  settings.WeekdayOff = {2, 0, 0, 0, 0, 0, -1};  // only exactly 1 counts
  BuildWeeklyMask(settings);
  CHECK(settings.RegularHoliday == 0);
}

TEST_CASE("saved settings load back unchanged, in order and with their types") {
  MemoryStore store;
  RecordingReporter reporter(store);
  Settings saved = Custom();
  SaveSettings(saved, store, reporter);
  CHECK(reporter.reports.empty());
  CHECK(store.OpenKeyCount() == 0);
  CHECK(store.ValueNames(kConfigKey) == kSaveOrder);
  CHECK(saved.RegularHoliday == 0x81020408);
  for (const std::string& name : kSaveOrder) {
    INFO(name);
    const bool text = name == "TypeFace" || name == "PointSize";
    CHECK(store.Find(kConfigKey, name)->type == (text ? kTypeString : kTypeDword));
  }
  CHECK(store.Find(kConfigKey, "PointSize")->data == std::vector<std::uint8_t>{'1', '2', 0});

  Settings loaded;
  LoadSettings(loaded, store, reporter);
  CHECK(reporter.reports.empty());
  CHECK(store.OpenKeyCount() == 0);
  CHECK(Fields(loaded) == Fields(saved));
}

TEST_CASE("default settings save CharSet as the DWORD 128") {
  MemoryStore store;
  RecordingReporter reporter(store);
  Settings settings;
  SaveSettings(settings, store, reporter);
  CHECK(store.Find(kConfigKey, "CharSet")->data == std::vector<std::uint8_t>{128, 0, 0, 0});
  CHECK(store.Find(kConfigKey, "TypeFace")->data == std::vector<std::uint8_t>{0});
}

TEST_CASE("loading keeps defaults for whatever is not stored") {
  MemoryStore store;
  RecordingReporter reporter(store);
  Settings settings;
  settings.TypeFace = "stale";
  LoadSettings(settings, store, reporter);  // no key at all: the first run
  Settings expected;
  expected.TypeFace = "stale";
  CHECK(Fields(settings) == Fields(expected));

  store.PutDword(kConfigKey, "Circ", 0);
  store.PutDword(kConfigKey, "CharSet", 0x1FF);  // only the low byte is a character set
  store.PutDword(kConfigKey, "RegularHoliday", 0x41);
  settings.WeekdayOff = {0, 1, 1, 1, 1, 1, 0};
  LoadSettings(settings, store, reporter);
  CHECK(reporter.reports.empty());
  CHECK(settings.Circ == 0);
  CHECK(settings.CharSet == 0xFF);
  // The flags follow the stored mask, which is kept as stored rather than rebuilt.
  CHECK(settings.WeekdayOff == std::array<std::int32_t, 7>{1, 0, 0, 0, 0, 0, 1});
  CHECK(settings.RegularHoliday == 0x41);
  CHECK(settings.TypeFace.empty());  // a text that is not there is empty, not kept
  CHECK(settings.MemoTime == 5);
}

TEST_CASE("an unreadable value stops loading and names the value") {
  MemoryStore store;
  RecordingReporter reporter(store);
  const Settings stored = Custom();
  Settings settings = stored;
  SaveSettings(settings, store, reporter);

  SUBCASE("a MemoTime stored as REG_QWORD") {
    store.Put(kConfigKey, "MemoTime", kTypeQword, {9, 0, 0, 0, 0, 0, 0, 0});
    settings = Settings();
    LoadSettings(settings, store, reporter);
    CheckOneReport(reporter, IDS_REGISTRY_READ_FAILED, "MemoTime");
    Settings expected;
    expected.Language = stored.Language, expected.DispToday = stored.DispToday;
    CHECK(Fields(settings) == Fields(expected));
  }
  SUBCASE("a TypeFace too large to read") {
    store.Put(kConfigKey, "TypeFace", kTypeString, std::vector<std::uint8_t>(1 << 20, 'x'));
    settings = Settings();
    LoadSettings(settings, store, reporter);
    CheckOneReport(reporter, IDS_REGISTRY_READ_FAILED, "TypeFace");
    CHECK(settings.CircColor == stored.CircColor);
    CHECK(settings.TypeFace.empty());
    CHECK(settings.PointSize.empty());
  }
}

TEST_CASE("a failing write stops saving and names the value") {
  for (std::size_t failing = 0; failing < kSaveOrder.size(); ++failing) {
    const std::string& name = kSaveOrder[failing];
    INFO(name);
    MemoryStore store;
    RecordingReporter reporter(store);
    store.FailOn(Op::Write, kConfigKey, name);
    Settings settings = Custom();
    settings.RegularHoliday = 0x41;
    SaveSettings(settings, store, reporter);
    CheckOneReport(reporter, IDS_REGISTRY_WRITE_FAILED, name.c_str());
    CHECK(store.ValueNames(kConfigKey) ==
          std::vector<std::string>(kSaveOrder.begin(), kSaveOrder.begin() + failing));
    CHECK(settings.RegularHoliday == (failing < 4 ? 0x41u : 0x81020408u));
  }
}

TEST_CASE("a key that cannot be created or memory that runs out is reported") {
  SUBCASE("create failure") {
    MemoryStore store;
    RecordingReporter reporter(store);
    store.FailOn(Op::Create, kConfigKey);
    Settings settings = Custom();
    settings.RegularHoliday = 0x41;
    SaveSettings(settings, store, reporter);
    CheckOneReport(reporter, IDS_REGISTRY_OPEN_FAILED, "");
    CHECK_FALSE(store.HasKey(kConfigKey));
    CHECK(settings.RegularHoliday == 0x41);
  }
  SUBCASE("memory exhaustion") {
    MemoryStore store;
    RecordingReporter reporter(store);
    store.ExhaustOn(Op::Write, kConfigKey, "Circ");
    store.ExhaustOn(Op::Query, kConfigKey, "TypeFace");
    Settings settings;
    SaveSettings(settings, store, reporter);
    LoadSettings(settings, store, reporter);
    REQUIRE(reporter.reports.size() == 2);
    for (const auto& report : reporter.reports) {
      CHECK(report.stringId == IDS_OUT_OF_MEMORY);
      CHECK(report.valueName.empty());
      CHECK(report.keysOpen == 0);
    }
  }
}
