// The settings sheet on the platform's property sheet, driven from a timer inside its modal
// loop as a user would drive it: tabs, check boxes, the colour dialog, the font lists, OK,
// Apply and Cancel. The calendar window is a recording stand-in; the settings are saved to the
// real registry and read back from it.
#include <doctest.h>
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CalendarHarness.h"
#include "SheetScript.h"
#include "framework/ColorDialog.h"
#include "propsheet/CTemboriPropSheet.h"
#include "res/ResourceIds.h"
#include "settings/Settings.h"
#include "settings/win32/RegistryStore.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

struct RecordingReporter : ErrorReporter {
  void Report(SettingsFailure failure, std::string_view) override { reports.push_back(failure); }
  std::vector<SettingsFailure> reports;
};

// Records what applying settings asks of the calendar window.
struct RecordingCalendar : CalendarOperations {
  explicit RecordingCalendar(const Settings& settings) : settings(settings) {}
  void CreateCalendarFont(const std::string&, const std::string&, std::uint8_t,
                          std::uint8_t) override {
    calls.emplace_back("font");
  }
  void ReloadHolidays() override { calls.emplace_back("holidays"); }
  void LoadMonthMap() override { calls.emplace_back("memos"); }
  void ShowCalendar(bool shown) override { calls.emplace_back(shown ? "show" : "hide"); }
  void LayoutWindow() override { calls.emplace_back("layout"); }
  void PlaceMonthButtons() override { calls.emplace_back("buttons"); }
  void UpdateTitleAndTray() override { calls.emplace_back("title"); }
  void RestartHoverTimer() override {
    calls.emplace_back("timer " + std::to_string(settings.MemoTime));
  }
  void InvalidateCalendar() override { calls.emplace_back("invalidate"); }

  const Settings& settings;
  std::vector<std::string> calls;
};

std::vector<std::string> Sequence(int memoTime, bool trayChanged = false) {
  std::vector<std::string> calls = {"font",
                                    "holidays",
                                    "memos",
                                    "layout",
                                    "buttons",
                                    "title",
                                    "timer " + std::to_string(memoTime),
                                    "invalidate"};
  if (trayChanged) {
    calls.insert(calls.begin() + 3, "hide");
    calls.insert(calls.begin() + 5, "show");
  }
  return calls;
}

// Every setting away from its default; a font face that no system has.
Settings Custom() {
  Settings s;
  s.MemoTime = 12, s.DispToday = 1, s.TodaysFace = 1, s.Language = 1, s.Circ = 0;
  s.Squeeze = 0, s.NoFrame = 1, s.MemoFile = 1, s.TopMost = 1, s.Tray = 0, s.SunFirst = 1;
  s.Transparent = 0, s.CircColor = 0x010203, s.BackColor = 0x040506, s.HolidayColor = 0x070809;
  s.TodayColor = 0x0A0B0C, s.OrdinaryColor = 0x0D0E0F;
  s.TypeFace = "Nowhere Sans", s.PointSize = "13", s.CharSet = 0, s.PitchAndFamily = 0x31;
  s.WeekdayOff = {0, 0, 0, 1, 0, 0, 1};
  BuildWeeklyMask(s);
  return s;
}

auto Fields(const Settings& s) {
  return std::tie(s.MemoTime, s.DispToday, s.TodaysFace, s.Language, s.WeekdayOff, s.Squeeze,
                  s.NoFrame, s.MemoFile, s.TopMost, s.Tray, s.Circ, s.CircColor, s.SunFirst,
                  s.TypeFace, s.PointSize, s.CharSet, s.PitchAndFamily, s.BackColor, s.HolidayColor,
                  s.TodayColor, s.OrdinaryColor, s.Transparent, s.RegularHoliday);
}

bool ConfigKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

// The settings with the real registry and a recording calendar.
struct SheetFixture {
  explicit SheetFixture(const Settings& start) : settings(start) { DeleteProgramKeys(); }

  Settings Stored() {
    Settings stored;
    LoadSettings(stored, store, reporter);
    return stored;
  }

  Settings settings;
  RegistryStore store;
  RecordingReporter reporter;
  RecordingCalendar calendar{settings};
  SheetEnvironment environment{settings, store, reporter, calendar, false, [](const HELPINFO&) {}};
};

// The Properties command, with the user's steps played inside its modal loop.
void RunSheet(SheetEnvironment& environment, std::vector<Step> steps) {
  PlaySheetScript(std::move(steps), [&] { OpenPropertiesSheet(environment); });
}

// The face list's items.
std::vector<std::string> Items(HWND list) {
  std::vector<std::string> items;
  const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
  for (int item = 0; item < count; ++item) {
    char text[64] = {};
    SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    items.emplace_back(text);
  }
  return items;
}

// Chooses a list item as a click in the list does.
void Choose(HWND sheet, int listId, int item) {
  const HWND list = Control(sheet, listId);
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageA(Page(sheet), WM_COMMAND, MAKEWPARAM(listId, CBN_SELENDOK),
               reinterpret_cast<LPARAM>(list));
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TEST_CASE("OK without a change saves every setting as it was and applies it once") {
  // Neither tab was shown that holds the font: its four values come back as they were, also
  // a face that is not installed and a size that no list offers.
  SheetFixture fixture(Custom());
  RunSheet(fixture.environment, {[](HWND sheet) {
             Press(sheet, IDOK);
             return true;
           }});
  CHECK(fixture.calendar.calls == Sequence(12));
  CHECK(Fields(fixture.settings) == Fields(Custom()));
  CHECK(Fields(fixture.Stored()) == Fields(Custom()));
  CHECK(fixture.reporter.reports.empty());
}

TEST_CASE("Apply is enabled by a change on any page and disabled again by Apply") {
  SheetFixture fixture(Custom());
  std::vector<std::string>& calls = fixture.calendar.calls;
  RunSheet(fixture.environment,
           {[&](HWND sheet) {
              // Showing every page loads its controls, which is no change.
              for (const int tab : {1, 2, 3, 0}) ShowTab(sheet, tab);
              CHECK_FALSE(ApplyEnabled(sheet));
              Click(sheet, IDC_SUNDAY_OFF + 1);  // Monday off as well
              CHECK(ApplyEnabled(sheet));
              Press(sheet, ID_APPLY_NOW);
              CHECK_FALSE(ApplyEnabled(sheet));
              CHECK(calls == Sequence(12));
              CHECK(fixture.Stored().RegularHoliday == 0xA952A54Au);  // Monday, Wednesday, Saturday
              calls.clear();
              return true;
            },
            [&](HWND sheet) {
              // The tray setting changed: the window is hidden and shown once around the layout.
              ShowTab(sheet, 1);
              Click(sheet, IDC_TRAY);
              CHECK(ApplyEnabled(sheet));
              Press(sheet, ID_APPLY_NOW);
              CHECK_FALSE(ApplyEnabled(sheet));
              CHECK(calls == Sequence(12, true));
              calls.clear();
              return true;
            },
            [&](HWND sheet) {
              // The delay is a setting like the others: typing it enables Apply, which saves and
              // uses it.
              ShowTab(sheet, 0);
              SetWindowTextA(Control(sheet, IDC_MEMO_DELAY), "9");
              CHECK(ApplyEnabled(sheet));
              Press(sheet, ID_APPLY_NOW);
              CHECK(calls == Sequence(9));
              CHECK(fixture.Stored().MemoTime == 9);
              return true;
            },
            [&](HWND sheet) {
              SetWindowTextA(Control(sheet, IDC_MEMO_DELAY), "20");
              Press(sheet, IDCANCEL);
              return true;
            }});
  // What was applied stays; what was changed after it is dropped by Cancel.
  Settings expected = Custom();
  expected.WeekdayOff[1] = 1, expected.Tray = 1, expected.MemoTime = 9;
  BuildWeeklyMask(expected);
  // The font page was shown: the face that is not installed gave way to a listed one, but
  // the size stays as it was.
  const Settings& applied = fixture.settings;
  CHECK(applied.PointSize == "13");
  expected.TypeFace = applied.TypeFace, expected.CharSet = applied.CharSet;
  expected.PitchAndFamily = applied.PitchAndFamily;
  CHECK(Fields(applied) == Fields(expected));
  CHECK(Fields(fixture.Stored()) == Fields(expected));
}

TEST_CASE("Cancel after a colour was chosen changes nothing; the custom colours stay") {
  SheetFixture fixture(Custom());
  const ColorDialog::CustomColors customBefore = ColorDialog::Custom();
  CHECK(customBefore[0] == RGB(255, 255, 255));
  RunSheet(fixture.environment, {[](HWND sheet) {
                                   ShowTab(sheet, 3);
                                   PostMessageA(Control(sheet, IDC_HOLIDAY_COLOR), BM_CLICK, 0, 0);
                                   return true;
                                 },
                                 [](HWND sheet) {
                                   const HWND dialog = FindDialogOwnedBy(sheet);
                                   if (dialog == nullptr) return false;
                                   // Red, green and blue typed in, added to the custom colours, and
                                   // OK.
                                   SetDlgItemTextA(dialog, 706, "1");
                                   SetDlgItemTextA(dialog, 707, "2");
                                   SetDlgItemTextA(dialog, 708, "3");
                                   SendMessageA(dialog, WM_COMMAND, 712, 0);
                                   PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                                   return true;
                                 },
                                 [](HWND sheet) {
                                   if (FindDialogOwnedBy(sheet) != nullptr) return false;
                                   CHECK(ApplyEnabled(sheet));
                                   ShowTab(sheet, 0);
                                   SetWindowTextA(Control(sheet, IDC_MEMO_DELAY), "17");
                                   Press(sheet, IDCANCEL);
                                   return true;
                                 }});
  CHECK(Fields(fixture.settings) == Fields(Custom()));
  CHECK(fixture.calendar.calls.empty());
  CHECK_FALSE(ConfigKeyExists());
  CHECK(ColorDialog::Custom()[0] == RGB(1, 2, 3));
}

TEST_CASE("the font page: faces in both character sets, TrueType sizes, the stored size kept") {
  SheetFixture fixture(Custom());
  std::string face;  // a TrueType face listed in both character sets
  RunSheet(fixture.environment, {[&](HWND sheet) {
             ShowTab(sheet, 2);
             const HWND list = Control(sheet, IDC_FACE_LIST);
             const std::vector<std::string> items = Items(list);
             REQUIRE(!items.empty());
             std::set<std::string> seen;
             for (std::size_t item = 0; item < items.size(); ++item) {
               CHECK(items[item].rfind('@', 0) == std::string::npos);
               if (!seen.insert(items[item]).second && face.empty()) {
                 // Twice in a row (the list is sorted): one ANSI, one Shift-JIS.
                 const int second = static_cast<int>(item);
                 Choose(sheet, IDC_FACE_LIST, second - 1);
                 const std::string first = Text(Control(sheet, IDC_FONT_KIND));
                 Choose(sheet, IDC_FACE_LIST, second);
                 const std::string other = Text(Control(sheet, IDC_FONT_KIND));
                 CHECK((EndsWith(first, " (ANSI)") != EndsWith(other, " (ANSI)")));
                 CHECK((EndsWith(first, " (SHIFT JIS)") != EndsWith(other, " (SHIFT JIS)")));
                 if (other.find("TrueType") != std::string::npos) {
                   face = items[item];
                   // Leave the Shift-JIS one chosen: the stored character set is ANSI.
                   if (!EndsWith(other, " (SHIFT JIS)")) Choose(sheet, IDC_FACE_LIST, second - 1);
                 }
               }
             }
             REQUIRE(!face.empty());
             CHECK(Items(Control(sheet, IDC_SIZE_LIST)) ==
                   std::vector<std::string>{"8", "9", "10", "11", "12", "14", "16", "18", "20",
                                            "22", "24", "26", "28", "36", "48", "72"});
             // 13 was typed earlier: it stays, with no size chosen instead.
             CHECK(Text(Control(sheet, IDC_SIZE_LIST)) == "13");
             CHECK(SendMessageA(Control(sheet, IDC_SIZE_LIST), CB_GETCURSEL, 0, 0) == CB_ERR);
             Press(sheet, IDOK);
             return true;
           }});
  CHECK(fixture.settings.TypeFace == face);
  CHECK(fixture.settings.CharSet == SHIFTJIS_CHARSET);
  CHECK((fixture.settings.PitchAndFamily & TMPF_TRUETYPE) != 0);
  CHECK(fixture.settings.PointSize == "13");
  CHECK(fixture.Stored().CharSet == SHIFTJIS_CHARSET);
}

TEST_CASE("each colour shows beside its label, and every label reads on the page in any colour") {
  // The worst cases: the page's own colour, and white, a background colour's usual.
  Settings start = Custom();
  start.OrdinaryColor = GetSysColor(COLOR_BTNFACE);
  start.HolidayColor = RGB(255, 255, 255);
  start.TodayColor = kToday;
  start.BackColor = kBack;
  SheetFixture fixture(start);
  const auto farFrom = [](COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
               std::abs(GetBValue(a) - GetBValue(b)) >
           200;
  };
  int labelsSeen = 0;
  RunSheet(fixture.environment, {[&](HWND sheet) {
             ShowTab(sheet, 3);
             const HWND page = Page(sheet);
             RedrawWindow(page, nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
             const Picture shown(page);
             const COLORREF ground = shown.At(1, 1);
             const std::pair<int, COLORREF> labels[] = {{IDC_ORDINARY_LABEL, start.OrdinaryColor},
                                                        {IDC_HOLIDAY_LABEL, start.HolidayColor},
                                                        {IDC_TODAY_LABEL, start.TodayColor},
                                                        {IDC_BACK_LABEL, start.BackColor}};
             for (const auto& [label, colour] : labels) {
               CAPTURE(label);
               const RECT text = ChildRect(page, label);
               int contrasting = 0;
               for (const COLORREF pixel : shown.Part(text)) contrasting += farFrom(pixel, ground);
               CHECK(contrasting >= 20);  // strokes of the label's characters
               // A patch of the colour itself, level with the label and left of it.
               const RECT beside{0, text.top, text.left, text.bottom};
               const int side = (text.bottom - text.top) / 2;
               CHECK(shown.Count(beside, colour) >= side * side / 2);
               ++labelsSeen;
             }
             Press(sheet, IDCANCEL);
             return true;
           }});
  CHECK(labelsSeen == 4);
}
