// Applying the sheet's draft: the order of the steps, when the window is hidden around the
// layout, and saving.
#include <doctest.h>

#include <string>
#include <vector>

#include "propsheet/rules/ApplySettings.h"
#include "settings/MemoryStore.h"

using namespace tembori;

namespace {

struct RecordingReporter : ErrorReporter {
  void Report(SettingsFailure failure, std::string_view valueName) override {
    reports.emplace_back(std::to_string(static_cast<int>(failure)) + " " + std::string(valueName));
  }
  std::vector<std::string> reports;
};

// Records each operation, and what the settings and the store held when it was called.
struct RecordingCalendar : CalendarOperations {
  RecordingCalendar(const Settings& settings, const MemoryStore& store)
      : settings(settings), store(store) {}

  void CreateCalendarFont(const std::string& typeFace, const std::string& pointSize,
                          std::uint8_t charSet, std::uint8_t pitchAndFamily) override {
    Record("font " + typeFace + " " + pointSize + " " + std::to_string(charSet) + " " +
           std::to_string(pitchAndFamily));
  }
  // The holidays are computed again under the rule set the settings name by then.
  void ReloadHolidays() override { Record("holidays law " + std::to_string(settings.HolidayLaw)); }
  void LoadMonthMap() override { Record("memos"); }
  void ShowCalendar(bool shown) override { Record(shown ? "show" : "hide"); }
  void LayoutWindow() override { Record("layout"); }
  void PlaceMonthButtons() override { Record("buttons"); }
  void UpdateTitleAndTray() override { Record("title"); }
  void RestartHoverTimer() override { Record("timer " + std::to_string(settings.MemoTime)); }
  void InvalidateCalendar() override { Record("invalidate"); }

  void Record(const std::string& call) {
    std::uint32_t saved = 0;
    calls.push_back(call);
    savedBefore.push_back(store.ReadDword(kConfigKey, "RegularHoliday", saved));
  }

  const Settings& settings;
  const MemoryStore& store;
  std::vector<std::string> calls;
  std::vector<bool> savedBefore;  // whether the settings had been saved at each call
};

// A draft with every setting the pages show away from the defaults.
Settings Changed() {
  Settings s;
  s.DispToday = 1, s.TodaysFace = 1, s.Language = 1, s.WeekdayOff = {0, 1, 0, 0, 0, 0, 1};
  s.MemoTime = 17, s.Squeeze = 1, s.NoFrame = 1, s.MemoFile = 1, s.TopMost = 1, s.Tray = 0;
  s.Circ = 0, s.CircColor = 0x123456, s.SunFirst = 1, s.HolidayLaw = 1;
  s.TypeFace = "Face", s.PointSize = "13", s.CharSet = 0, s.PitchAndFamily = 0x31;
  s.BackColor = 0x010101, s.HolidayColor = 0x020202, s.TodayColor = 0x030303;
  s.OrdinaryColor = 0x040404, s.Transparent = 1;
  return s;
}

const std::vector<std::string> kSequence = {
    "font Face 13 0 49", "holidays law 1", "memos",    "layout",
    "buttons",           "title",          "timer 17", "invalidate"};

}  // namespace

TEST_CASE("applying copies, rebuilds the font, saves and then updates the window in order") {
  MemoryStore store;
  RecordingReporter reporter;
  Settings settings;
  RecordingCalendar calendar(settings, store);
  ApplySettings(Changed(), settings, store, reporter, calendar);
  CHECK(calendar.calls == kSequence);
  // Saved after the font was made and before the days off are rebuilt from the new mask.
  CHECK(calendar.savedBefore == std::vector<bool>{false, true, true, true, true, true, true, true});
  std::uint32_t value = 0;
  REQUIRE(store.ReadDword(kConfigKey, "RegularHoliday", value));
  CHECK(value == 0x2850A142u);  // Monday and Saturday (0x42), five times over
  REQUIRE(store.ReadDword(kConfigKey, "MemoTime", value));
  CHECK(value == 17u);  // the delay is saved and used at once, at Apply as at OK
  CHECK(reporter.reports.empty());

  // Applying the same again runs every step again and saves again; a failed save is
  // reported, and the window still shows the new settings.
  store.PutDword(kConfigKey, "MemoTime", 1);
  store.FailOn(MemoryStore::Operation::Write, kConfigKey, "Squeeze");
  calendar.calls.clear();
  ApplySettings(Changed(), settings, store, reporter, calendar);
  CHECK(calendar.calls == kSequence);
  REQUIRE(store.ReadDword(kConfigKey, "MemoTime", value));
  CHECK(value == 17u);
  CHECK(reporter.reports.size() == 1);
}

TEST_CASE("the window is hidden around the layout only when the tray setting changes") {
  for (const int trayBefore : {0, 1}) {
    for (const int trayAfter : {0, 1}) {
      CAPTURE(trayBefore);
      CAPTURE(trayAfter);
      MemoryStore store;
      RecordingReporter reporter;
      Settings settings;
      settings.Tray = trayBefore;
      RecordingCalendar calendar(settings, store);
      Settings draft = Changed();
      draft.Tray = trayAfter;
      ApplySettings(draft, settings, store, reporter, calendar);
      std::vector<std::string> expected = kSequence;
      if (trayBefore != trayAfter) {
        expected.insert(expected.begin() + 3, "hide");
        expected.insert(expected.begin() + 5, "show");
      }
      CHECK(calendar.calls == expected);
    }
  }
}
