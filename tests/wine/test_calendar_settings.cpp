// The settings sheet over the running calendar, opened by its command and driven from a
// timer as a user drives it: what OK and Apply change shows on the window at once and is
// stored, what waits for the next start, what Cancel leaves alone, and the pages' own
// controls (the buttons that follow their boxes, the limits, the font lists, the colours).
#include <doctest.h>
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CalendarHarness.h"
#include "SheetScript.h"
#include "framework/ColorDialog.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

enum Tab { kGeneral1, kGeneral2, kFont, kColor };

// The Properties command as the menu gives it, with the steps played in the sheet.
void RunSheetOver(RunningCalendar& calendar, std::vector<Step> steps) {
  PlaySheetScript(std::move(steps),
                  [&] { SendMessageA(calendar.Handle(), WM_COMMAND, ID_PROPERTIES, 0); });
  PumpMessages();
}

Step Tick(Tab tab, int control) {
  return [tab, control](HWND sheet) {
    ShowTab(sheet, tab);
    Click(sheet, control);
    return true;
  };
}
Step PressButton(int button) {
  return [button](HWND sheet) {
    Press(sheet, button);
    return true;
  };
}

DWORD StoredNumber(const char* name) {
  DWORD value = 0xFFFFFFFF, size = sizeof value;
  RegGetValueA(HKEY_CURRENT_USER, kConfigKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
}

Picture Painted(RunningCalendar& calendar) {
  RedrawWindow(calendar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  return Picture(calendar.Handle(), kBack);
}

// The calendar window's WM_SHOWWINDOW messages: +1 for each show, +100 for each hide.
HWND watched = nullptr;
int showChanges = 0;
LRESULT CALLBACK CountShows(int code, WPARAM wParam, LPARAM lParam) {
  const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call.hwnd == watched && call.message == WM_SHOWWINDOW) {
    showChanges += call.wParam != 0 ? 1 : 100;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int TrayCalls(RunningCalendar& calendar, DWORD action) {
  int count = 0;
  for (const auto& call : calendar.Tray().calls) count += call.action == action ? 1 : 0;
  return count;
}

// Chooses a list item as a click in the list does.
void Choose(HWND sheet, int listId, int item) {
  const HWND list = Control(sheet, listId);
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageA(Page(sheet), WM_COMMAND, MAKEWPARAM(listId, CBN_SELENDOK),
               reinterpret_cast<LPARAM>(list));
}

bool Enabled(HWND sheet, int id) {
  return IsWindowEnabled(Control(sheet, id)) != FALSE;
}

// Typed key by key into the edit field of a combo box.
std::string TypedInto(HWND sheet, int comboId, const std::string& keys) {
  const HWND field = FindWindowExA(Control(sheet, comboId), nullptr, "Edit", nullptr);
  REQUIRE(field != nullptr);
  SetWindowTextA(field, "");
  for (const char key : keys) SendMessageA(field, WM_CHAR, static_cast<unsigned char>(key), 1);
  return Text(field);
}

int CALLBACK KeepPitch(const LOGFONTA*, const TEXTMETRICA* metrics, DWORD, LPARAM pitch) {
  *reinterpret_cast<BYTE*>(pitch) = metrics->tmPitchAndFamily;
  return 0;
}
// The pitch and family the platform gives a face in a character set.
BYTE PitchOf(const std::string& face, BYTE charSet) {
  LOGFONTA wanted{};
  wanted.lfCharSet = charSet;
  lstrcpynA(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
  BYTE pitch = 0;
  const WindowDc screen = GetWindowDc(nullptr);
  EnumFontFamiliesExA(screen.get(), &wanted, &KeepPitch, reinterpret_cast<LPARAM>(&pitch), 0);
  return pitch;
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

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string StoredText(const char* name) {
  char text[64] = {};
  DWORD size = sizeof text;
  RegGetValueA(HKEY_CURRENT_USER, kConfigKey, name, RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}

// Every value under the settings key: its type and bytes, by name.
using StoredValues = std::map<std::string, std::pair<DWORD, std::string>>;
StoredValues StoredConfig() {
  StoredValues values;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return values;
  }
  for (DWORD index = 0;; ++index) {
    char name[64] = {};
    BYTE data[256] = {};
    DWORD nameSize = sizeof name, type = 0, size = sizeof data;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &size) != ERROR_SUCCESS) {
      break;
    }
    values[name] = {type, std::string(reinterpret_cast<const char*>(data), size)};
  }
  RegCloseKey(key);
  return values;
}

// Every setting away from its default (Wednesdays and Saturdays off), in a font the calendar
// makes as it is asked, at a size that no list offers.
void StoreCustomSettings(DWORD charSet = SHIFTJIS_CHARSET) {
  StoreSettings({{"MemoTime", 12},
                 {"DispToday", 1},
                 {"Today'sFace", 1},
                 {"Language", 1},
                 {"RegularHoliday", 0x89122448},
                 {"Squeeze", 1},
                 {"NoFrame", 1},
                 {"MemoFile", 1},
                 {"TopMost", 1},
                 {"Tray", 1},
                 {"Circ", 0},
                 {"CharSet", charSet},
                 {"PitchAndFamily", 0x31},
                 {"Transparent", 1},
                 {"SunFirst", 1},
                 {"HolidayLaw", 1},
                 {"EraYear", 1},
                 {"Rokuyo", 1}});
  PutValue(kConfigKey, "TypeFace", REG_SZ, "ＭＳ ゴシック", sizeof "ＭＳ ゴシック");
  PutValue(kConfigKey, "PointSize", REG_SZ, "13", 3);
}

}  // namespace

TEST_CASE("English, Monday first and no weekly day off show at once; no frame waits") {
  StoreSettings({});
  RunningCalendar calendar;
  CalendarWindow& window = calendar.Window();
  const HWND handle = calendar.Handle();
  RECT before{}, after{};
  GetWindowRect(handle, &before);
  // What the screen shows: after OK the window paints itself.
  const Picture start(handle);
  REQUIRE(start.Count(DayCell(window, 9), kHoliday) > 0);  // a Sunday
  RunSheetOver(calendar, {Tick(kGeneral1, IDC_ENGLISH), Tick(kGeneral1, IDC_SUNDAY_OFF),
                          Tick(kGeneral2, IDC_MONDAY_FIRST), Tick(kGeneral2, IDC_NO_FRAME),
                          PressButton(IDOK)});
  CHECK(calendar.UserSettings().Language == 1);
  CHECK(StoredNumber("SunFirst") == 1);
  CHECK(StoredNumber("RegularHoliday") == 0);
  CHECK(StoredNumber("NoFrame") == 1);
  const Picture painted(handle);
  // The heading in English (the weekday row moves as well).
  CHECK(painted.Part(window.TitleRect()) != start.Part(window.TitleRect()));
  // The 1st, a Saturday, is in the sixth column now, so every day sits one cell before its
  // place in a week from Sunday. Sundays are ordinary days, national holidays stay.
  CHECK(painted.Count(Cells(window, 1, 5, 5), kOrdinary) > 0);
  CHECK(painted.Count(DayCell(window, 9 - 1), kHoliday) == 0);
  CHECK(painted.Count(DayCell(window, 9 - 1), kOrdinary) > 0);
  CHECK(painted.Count(DayCell(window, 3 - 1), kHoliday) > 0);
  // The frame stays until the next start.
  CHECK_FALSE(window.Frameless());
  CHECK((GetWindowLongA(handle, GWL_STYLE) & WS_CAPTION) == WS_CAPTION);
  GetWindowRect(handle, &after);
  CHECK(after == before);
}

TEST_CASE("Apply makes the new font before the window's size; the title follows at once") {
  StoreSettings({});
  RunningCalendar calendar;
  const HWND handle = calendar.Handle();
  RECT before{}, after{};
  GetClientRect(handle, &before);
  std::string title;
  RunSheetOver(calendar, {Tick(kGeneral1, IDC_DISP_TODAY),
                          [](HWND sheet) {
                            ShowTab(sheet, kFont);
                            const std::vector<std::string> sizes =
                                Items(Control(sheet, IDC_SIZE_LIST));
                            for (std::size_t item = 0; item < sizes.size(); ++item) {
                              if (sizes[item] == "28") {
                                Choose(sheet, IDC_SIZE_LIST, static_cast<int>(item));
                              }
                            }
                            Press(sheet, ID_APPLY_NOW);
                            return true;
                          },
                          [&](HWND) {
                            GetClientRect(handle, &after);
                            title = Text(handle);
                            return true;
                          },
                          PressButton(IDCANCEL)});
  CHECK(StoredText("PointSize") == "28");
  CHECK(after.right > before.right * 3 / 2);
  CHECK(after.bottom > before.bottom * 3 / 2);
  CHECK(title == "03年 11月 12日 (水)");
}

TEST_CASE("the tray icon by Apply: hidden and shown once around the layout, one icon") {
  StoreSettings({{"Tray", 0}});
  RunningCalendar calendar;
  watched = calendar.Handle();
  showChanges = 0;
  const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &CountShows, nullptr, GetCurrentThreadId());
  REQUIRE(hook != nullptr);
  int showsAtFirstApply = -1, showsAtSecondApply = -1, addsAtFirstApply = -1;
  RunSheetOver(calendar, {Tick(kGeneral2, IDC_TRAY), PressButton(ID_APPLY_NOW),
                          [&](HWND) {
                            showsAtFirstApply = showChanges;
                            addsAtFirstApply = TrayCalls(calendar, NIM_ADD);
                            return true;
                          },
                          Tick(kGeneral2, IDC_TOP_MOST), PressButton(ID_APPLY_NOW),
                          [&](HWND) {
                            showsAtSecondApply = showChanges;
                            return true;
                          },
                          PressButton(IDCANCEL)});
  UnhookWindowsHookEx(hook);
  CHECK(showsAtFirstApply == 101);
  CHECK(addsAtFirstApply == 1);
  CHECK(showsAtSecondApply == 101);
  CHECK(TrayCalls(calendar, NIM_ADD) == 1);
  CHECK(StoredNumber("Tray") == 1);
  CHECK((GetWindowLongA(calendar.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0);
  CHECK(IsWindowVisible(calendar.Handle()));
}

TEST_CASE("the other memo store's memos show at once after OK") {
  StoreSettings({});
  const std::string november = std::string(kMemoKey) + "\\11";
  PutValue(november.c_str(), "20", REG_SZ, "registry", 9);
  const DWORD registryMap = DayBit(20);
  PutValue(november.c_str(), "MapOfMemo", REG_DWORD, &registryMap, sizeof registryMap);
  RunningCalendar calendar;
  CalendarWindow& window = calendar.Window();
  const std::string file = window.Memos().FileName();
  REQUIRE(WritePrivateProfileStringA("11", "7", "file", file.c_str()));
  DWORD fileMap = DayBit(7);
  REQUIRE(WritePrivateProfileStructA("11", "MapOfMemo", &fileMap, sizeof fileMap, file.c_str()));
  CHECK(window.MemoMap() == DayBit(20));
  const int withoutMemo = Painted(calendar).Count(DayCell(window, 7), kOrdinary);

  RunSheetOver(calendar, {Tick(kGeneral2, IDC_MEMO_FILE), PressButton(IDOK)});
  CHECK(window.MemoMap() == DayBit(7));
  CHECK(Painted(calendar).Count(DayCell(window, 7), kOrdinary) > withoutMemo);
  DeleteFileA(file.c_str());
}

TEST_CASE("the law's holidays on a first start, the calendar's own a tick away, and back") {
  // 22 September 2026 lies between Respect for the Aged Day and the equinox: a holiday by
  // law only. Nothing stored shows the law; a stored 0 keeps the calendar's own rules.
  for (const bool stored : {false, true}) {
    CAPTURE(stored);
    StoreSettings(stored ? RegistryNumbers{{"HolidayLaw", 0}} : RegistryNumbers{});
    RunningCalendar calendar({2026, 9, 4, 10, 12, 0, 0, 0});  // Thursday 10 September 2026
    CalendarWindow& window = calendar.Window();
    const bool lawBefore = !stored;
    CHECK((Painted(calendar).Count(DayCell(window, 22), kHoliday) > 0) == lawBefore);
    UINT boxBefore = 2;
    RunSheetOver(calendar, {[&boxBefore](HWND sheet) {
                              ShowTab(sheet, kGeneral2);
                              boxBefore = static_cast<UINT>(
                                  SendMessageA(Control(sheet, IDC_HOLIDAY_LAW), BM_GETCHECK, 0, 0));
                              Click(sheet, IDC_HOLIDAY_LAW);
                              return true;
                            },
                            PressButton(IDOK)});
    CHECK(boxBefore == (lawBefore ? BST_CHECKED : BST_UNCHECKED));
    CHECK(StoredNumber("HolidayLaw") == (lawBefore ? 0u : 1u));
    const Picture after = Painted(calendar);
    CHECK((after.Count(DayCell(window, 22), kHoliday) > 0) == !lawBefore);
    CHECK((after.Count(DayCell(window, 22), kOrdinary) == 0) == !lawBefore);
    CHECK(after.Count(DayCell(window, 24), kHoliday) == 0);
  }
}

TEST_CASE("the pages as they open: colour buttons follow their boxes, limits, default colours") {
  const COLORREF defaults[] = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 255)};
  const int labels[] = {IDC_ORDINARY_LABEL, IDC_HOLIDAY_LABEL, IDC_TODAY_LABEL, IDC_BACK_LABEL};
  for (const DWORD on : {0, 1}) {
    CAPTURE(on);
    // The first run, or circles off and transparency on.
    DeleteProgramKeys();
    if (on == 1) PutNumbers(kConfigKey, {{"Circ", 0}, {"Transparent", 1}});
    RunningCalendar calendar;
    const auto follows = [](Tab tab, int box, int button, bool enabled) {
      return [=](HWND sheet) {
        ShowTab(sheet, tab);
        CHECK(Enabled(sheet, button) == enabled);
        Click(sheet, box);
        CHECK(Enabled(sheet, button) != enabled);
        Click(sheet, box);
        CHECK(Enabled(sheet, button) == enabled);
        return true;
      };
    };
    RunSheetOver(
        calendar,
        {follows(kGeneral2, IDC_CIRC, IDC_CIRC_COLOR, on == 0),
         follows(kColor, IDC_TRANSPARENT, IDC_BACK_COLOR, on == 0),
         [&](HWND sheet) {
           // Each colour shows in the swatch level with its label and left of it.
           ShowTab(sheet, kColor);
           const HWND page = Page(sheet);
           RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
           const Picture shown(page);
           for (int label = 0; label < 4; ++label) {
             CAPTURE(label);
             const RECT text = ChildRect(page, labels[label]);
             CHECK(shown.Count({0, text.top, text.left, text.bottom}, defaults[label]) >= 25);
           }
           return true;
         },
         [](HWND sheet) {
           // The delay in tenths of a second from 1 to 30.
           ShowTab(sheet, kGeneral1);
           int lowest = 0, highest = 0;
           SendMessageA(Control(sheet, IDC_MEMO_DELAY_SPIN), UDM_GETRANGE32,
                        reinterpret_cast<WPARAM>(&lowest), reinterpret_cast<LPARAM>(&highest));
           CHECK(lowest == 1);
           CHECK(highest == 30);
           // The face takes 32 characters, the size 2.
           ShowTab(sheet, kFont);
           CHECK(TypedInto(sheet, IDC_FACE_LIST, std::string(40, 'a')) == std::string(32, 'a'));
           CHECK(TypedInto(sheet, IDC_SIZE_LIST, "123") == "12");
           return true;
         },
         PressButton(IDCANCEL)});
  }
}

TEST_CASE("OK without a change stores every setting as it was") {
  StoreCustomSettings();
  const StoredValues stored = StoredConfig();
  RunningCalendar calendar;
  RunSheetOver(calendar, {PressButton(IDOK)});
  CHECK(StoredConfig() == stored);
}

TEST_CASE("Apply is enabled by a change on any page, disabled by Apply; Cancel keeps the applied") {
  StoreCustomSettings();
  RunningCalendar calendar;
  const std::tuple<Tab, int> changes[] = {
      {kGeneral1, IDC_SUNDAY_OFF + 1}, {kGeneral2, IDC_SQUEEZE}, {kColor, IDC_TRANSPARENT}};
  RunSheetOver(calendar, {[&](HWND sheet) {
                 // Showing every page loads its controls, which is no change.
                 for (const Tab tab : {kGeneral2, kFont, kColor, kGeneral1}) {
                   ShowTab(sheet, tab);
                 }
                 CHECK_FALSE(ApplyEnabled(sheet));
                 for (const auto& [tab, control] : changes) {
                   CAPTURE(control);
                   ShowTab(sheet, tab);
                   Click(sheet, control);
                   CHECK(ApplyEnabled(sheet));
                   Press(sheet, ID_APPLY_NOW);
                   CHECK_FALSE(ApplyEnabled(sheet));
                 }
                 // Typing the delay as well; Monday is off now.
                 ShowTab(sheet, kGeneral1);
                 SetWindowTextA(Control(sheet, IDC_MEMO_DELAY), "9");
                 CHECK(ApplyEnabled(sheet));
                 Press(sheet, ID_APPLY_NOW);
                 CHECK(StoredNumber("MemoTime") == 9);
                 CHECK(StoredNumber("RegularHoliday") == 0xA952A54Au);
                 CHECK(StoredNumber("Squeeze") == 0);
                 CHECK(StoredNumber("Transparent") == 0);
                 SetWindowTextA(Control(sheet, IDC_MEMO_DELAY), "20");
                 Press(sheet, IDCANCEL);
                 return true;
               }});
  CHECK(StoredNumber("MemoTime") == 9);
}

TEST_CASE("Cancel after a colour was chosen changes nothing; the custom colours stay") {
  StoreCustomSettings();
  const StoredValues stored = StoredConfig();
  RunningCalendar calendar;
  CHECK(ColorDialog::Custom()[0] == RGB(255, 255, 255));
  RunSheetOver(calendar, {[](HWND sheet) {
                            ShowTab(sheet, kColor);
                            PostMessageA(Control(sheet, IDC_HOLIDAY_COLOR), BM_CLICK, 0, 0);
                            return true;
                          },
                          [](HWND sheet) {
                            const HWND dialog = FindDialogOwnedBy(sheet);
                            if (dialog == nullptr) return false;
                            // Red, green and blue typed in, added to the custom colours, and OK.
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
                            Press(sheet, IDCANCEL);
                            return true;
                          }});
  CHECK(StoredConfig() == stored);
  CHECK(Painted(calendar).Count(calendar.Window().GridRect(), kHoliday) > 0);
  CHECK(ColorDialog::Custom()[0] == RGB(1, 2, 3));
}

TEST_CASE("the font page: faces in both character sets, TrueType sizes, the stored size kept") {
  // Apply and OK take the character set and pitch of the face chosen.
  StoreCustomSettings(ANSI_CHARSET);
  RunningCalendar calendar;
  std::string face;  // a TrueType face listed in both character sets
  int ansiItem = -1, shiftJisItem = -1;
  RunSheetOver(calendar, {[&](HWND sheet) {
                 ShowTab(sheet, kFont);
                 const std::vector<std::string> items = Items(Control(sheet, IDC_FACE_LIST));
                 std::set<std::string> seen;
                 for (int item = 0; item < static_cast<int>(items.size()); ++item) {
                   CHECK(items[item].rfind('@', 0) == std::string::npos);
                   if (seen.insert(items[item]).second || !face.empty()) continue;
                   // Twice in a row (the list is sorted): one ANSI, one Shift-JIS.
                   std::string kinds[2];
                   for (const int twin : {item - 1, item}) {
                     Choose(sheet, IDC_FACE_LIST, twin);
                     kinds[twin - item + 1] = Text(Control(sheet, IDC_FONT_KIND));
                   }
                   CHECK(EndsWith(kinds[0], " (ANSI)") != EndsWith(kinds[1], " (ANSI)"));
                   CHECK(EndsWith(kinds[0], " (SHIFT JIS)") != EndsWith(kinds[1], " (SHIFT JIS)"));
                   if (kinds[1].find("TrueType") == std::string::npos) continue;
                   face = items[item];
                   ansiItem = EndsWith(kinds[0], " (ANSI)") ? item - 1 : item;
                   shiftJisItem = 2 * item - 1 - ansiItem;
                 }
                 CHECK(!face.empty());
                 CHECK(Items(Control(sheet, IDC_SIZE_LIST)) ==
                       std::vector<std::string>{"8", "9", "10", "11", "12", "14", "16", "18", "20",
                                                "22", "24", "26", "28", "36", "48", "72"});
                 // 13 is in no list: it stays, with no size chosen instead.
                 CHECK(Text(Control(sheet, IDC_SIZE_LIST)) == "13");
                 CHECK(SendMessageA(Control(sheet, IDC_SIZE_LIST), CB_GETCURSEL, 0, 0) == CB_ERR);
                 Choose(sheet, IDC_FACE_LIST, shiftJisItem);
                 Press(sheet, ID_APPLY_NOW);
                 CHECK(StoredNumber("CharSet") == SHIFTJIS_CHARSET);
                 CHECK(StoredNumber("PitchAndFamily") == PitchOf(face, SHIFTJIS_CHARSET));
                 Choose(sheet, IDC_FACE_LIST, ansiItem);
                 Press(sheet, IDOK);
                 return true;
               }});
  CHECK(StoredText("TypeFace") == face);
  CHECK(StoredNumber("CharSet") == ANSI_CHARSET);
  CHECK(StoredNumber("PitchAndFamily") == PitchOf(face, ANSI_CHARSET));
  CHECK((StoredNumber("PitchAndFamily") & TMPF_TRUETYPE) != 0);
  CHECK(StoredText("PointSize") == "13");
}

TEST_CASE("each colour shows beside its label, and every label reads on its page in any colour") {
  // The worst cases: the page's own colour, and white, a background colour's usual; a pale
  // yellow near both the white and the grey of a page, yet told from either in the swatch.
  const COLORREF ordinary = GetSysColor(COLOR_BTNFACE), white = RGB(255, 255, 255),
                 pale = RGB(255, 255, 204);
  StoreSettings({{"OrdinaryColor", ordinary}, {"HolidayColor", white}, {"CircColor", pale}});
  RunningCalendar calendar;
  const auto farFrom = [](COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
               std::abs(GetBValue(a) - GetBValue(b)) >
           200;
  };
  const struct {
    Tab tab;
    int label;
    COLORREF colour;
  } labels[] = {{kColor, IDC_ORDINARY_LABEL, ordinary},
                {kColor, IDC_HOLIDAY_LABEL, white},
                {kColor, IDC_TODAY_LABEL, kToday},
                {kColor, IDC_BACK_LABEL, kBack},
                {kGeneral2, IDC_CIRC_LABEL, pale}};
  int labelsSeen = 0;
  RunSheetOver(calendar, {[&](HWND sheet) {
                 for (const auto& [tab, label, colour] : labels) {
                   CAPTURE(label);
                   ShowTab(sheet, tab);
                   const HWND page = Page(sheet);
                   RedrawWindow(page, nullptr, nullptr,
                                RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                   const Picture shown(page);
                   const COLORREF ground = shown.At(1, 1);
                   const RECT text = ChildRect(page, label);
                   int contrasting = 0;
                   for (const COLORREF pixel : shown.Part(text)) {
                     contrasting += farFrom(pixel, ground);
                   }
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
  CHECK(labelsSeen == 5);
}

TEST_CASE("era years and 六曜 from General 2: shown at once, saved, and ticked when reopened") {
  StoreSettings({{"DispToday", 1}});
  RunningCalendar calendar({2026, 12, 0, 6, 12, 0, 0, 0});
  CalendarWindow& window = calendar.Window();
  const CellSize plain = window.Cell();
  RunSheetOver(calendar,
               {Tick(kGeneral2, IDC_ERA_YEAR), Tick(kGeneral2, IDC_ROKUYO), PressButton(IDOK)});
  CHECK(StoredNumber("EraYear") == 1);
  CHECK(StoredNumber("Rokuyo") == 1);
  char title[64] = {};
  GetWindowTextA(calendar.Handle(), title, sizeof title);
  CHECK(std::string(title) == "令和8年 12月 6日 (日)");
  CHECK(window.Cell().height > plain.height);

  UINT eraBox = 0, rokuyoBox = 0;
  RunSheetOver(calendar, {[&](HWND sheet) {
                            ShowTab(sheet, kGeneral2);
                            eraBox = static_cast<UINT>(
                                SendMessageA(Control(sheet, IDC_ERA_YEAR), BM_GETCHECK, 0, 0));
                            rokuyoBox = static_cast<UINT>(
                                SendMessageA(Control(sheet, IDC_ROKUYO), BM_GETCHECK, 0, 0));
                            Click(sheet, IDC_ROKUYO);
                            return true;
                          },
                          PressButton(IDOK)});
  CHECK(eraBox == BST_CHECKED);
  CHECK(rokuyoBox == BST_CHECKED);
  CHECK(StoredNumber("Rokuyo") == 0);
  CHECK(window.Cell().height == plain.height);
}

TEST_CASE("a stored face that is not listed stays, with its character set, until one is chosen") {
  StoreCustomSettings(ANSI_CHARSET);
  PutValue(kConfigKey, "TypeFace", REG_SZ, "Nowhere Sans", sizeof "Nowhere Sans");
  const StoredValues stored = StoredConfig();
  RunningCalendar calendar;
  RunSheetOver(calendar, {[&](HWND sheet) {
                 ShowTab(sheet, kFont);
                 CHECK(Text(Control(sheet, IDC_FACE_LIST)) == "Nowhere Sans");
                 CHECK(SendMessageA(Control(sheet, IDC_FACE_LIST), CB_GETCURSEL, 0, 0) == CB_ERR);
                 Press(sheet, ID_APPLY_NOW);
                 CHECK(StoredConfig() == stored);
                 Press(sheet, IDOK);
                 return true;
               }});
  CHECK(StoredConfig() == stored);
}

namespace {

// Each bad input typed into the field, then `leave` tried (posted, as a click would come):
// the user is told at the field, the text stays for correction and the page stays shown.
// The field's tip is put away before each try, so that each one must show its own.
void RefuseEach(std::vector<Step>& steps, int field, const std::vector<std::string>& inputs,
                UINT complaintId, const std::function<void(HWND sheet)>& leave) {
  for (const std::string& input : inputs) {
    steps.push_back([=](HWND sheet) {
      CloseFieldTips();
      SetWindowTextA(Control(sheet, field), input.c_str());
      leave(sheet);
      return true;
    });
    steps.push_back([=](HWND sheet) {
      const std::string tip = ShownFieldTip();
      if (tip.empty()) return false;
      INFO(input);
      CHECK(tip == LoadResourceString(complaintId));
      CHECK(Control(sheet, field) != nullptr);  // the same page is shown
      CHECK(Text(Control(sheet, field)) == input);
      return true;
    });
  }
}

}  // namespace

TEST_CASE("a delay or a size the field cannot take is told there, kept, and holds the page") {
  StoreCustomSettings();
  const StoredValues stored = StoredConfig();
  RunningCalendar calendar;
  const auto post = [](int button) {
    return [button](HWND sheet) { PostMessageA(GetDlgItem(sheet, button), BM_CLICK, 0, 0); };
  };
  const auto otherTab = [](HWND sheet) { PostMessageA(sheet, PSM_SETCURSEL, kGeneral2, 0); };
  std::vector<Step> steps;
  RefuseEach(steps, IDC_MEMO_DELAY, {"31", "0", "x"}, IDS_MEMO_TIME_INVALID, post(ID_APPLY_NOW));
  RefuseEach(steps, IDC_MEMO_DELAY, {""}, IDS_MEMO_TIME_INVALID, otherTab);
  RefuseEach(steps, IDC_MEMO_DELAY, {"-1"}, IDS_MEMO_TIME_INVALID, post(IDOK));
  steps.push_back([&](HWND sheet) {
    CHECK(StoredConfig() == stored);  // nothing was applied
    SetWindowTextA(Control(sheet, IDC_MEMO_DELAY), "30");
    ShowTab(sheet, kFont);
    CHECK(ShownFieldTip().empty());  // taken, and the balloon is put away
    return true;
  });
  RefuseEach(steps, IDC_SIZE_LIST, {"0", "1x", "100"}, IDS_POINT_SIZE_INVALID, post(IDOK));
  RefuseEach(steps, IDC_SIZE_LIST, {" "}, IDS_POINT_SIZE_INVALID, otherTab);
  steps.push_back([](HWND sheet) {
    SetWindowTextA(Control(sheet, IDC_SIZE_LIST), "99");
    Press(sheet, IDOK);
    return true;
  });
  RunSheetOver(calendar, steps);
  CloseFieldTips();
  CHECK(StoredNumber("MemoTime") == 30);
  CHECK(StoredText("PointSize") == "99");
}

namespace {

int CALLBACK AddListedFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list) {
  const BYTE set = font->lfCharSet;
  if (font->lfFaceName[0] != '@' && (set == ANSI_CHARSET || set == SHIFTJIS_CHARSET)) {
    const auto combo = reinterpret_cast<HWND>(list);
    const LRESULT item =
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
    SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), set);
  }
  return 1;
}

// The face list as it was made before: the faces added one by one, as enumerated, to a list
// that sorts itself; each item's text with its character set.
std::vector<std::pair<std::string, BYTE>> FacesAddedOneByOne() {
  const HWND list = CreateWindowExA(0, "ComboBox", "", CBS_SIMPLE | CBS_SORT | WS_POPUP, 0, 0, 100,
                                    100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  REQUIRE(list != nullptr);
  const HDC dc = GetDC(list);
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(dc, &all, &AddListedFace, reinterpret_cast<LPARAM>(list), 0);
  ReleaseDC(list, dc);
  std::vector<std::pair<std::string, BYTE>> faces;
  const std::vector<std::string> texts = Items(list);
  for (std::size_t item = 0; item < texts.size(); ++item) {
    faces.emplace_back(texts[item], static_cast<BYTE>(SendMessageA(list, CB_GETITEMDATA, item, 0)));
  }
  DestroyWindow(list);
  return faces;
}

bool BeginsWithTwoLetters(const std::string& text) {
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  return text.size() > 2 && letter(text[0]) && letter(text[1]);
}

// The letters before the first double-byte character in the other case.
std::string OtherCase(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) break;
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

}  // namespace

TEST_CASE("the font page lists the faces as a self-sorting list did and finds the stored one") {
  const std::vector<std::pair<std::string, BYTE>> expected = FacesAddedOneByOne();
  std::vector<std::string> texts;
  for (const auto& face : expected) texts.push_back(face.first);
  // A name listed in both character sets.
  std::size_t ansi = 0, shiftJis = 0;
  for (std::size_t item = 1; item < expected.size() && shiftJis == 0; ++item) {
    if (texts[item] == texts[item - 1] && BeginsWithTwoLetters(texts[item])) {
      const bool firstIsAnsi = expected[item - 1].second == ANSI_CHARSET;
      ansi = firstIsAnsi ? item - 1 : item;
      shiftJis = firstIsAnsi ? item : item - 1;
    }
  }
  REQUIRE(shiftJis != 0);
  const std::string both = texts[shiftJis];
  // The first item that begins with the name's first two letters, in either case.
  std::size_t firstBeginning = 0;
  while (_strnicmp(texts[firstBeginning].c_str(), both.c_str(), 2) != 0) ++firstBeginning;
  const struct {
    std::string face;
    BYTE charSet;
    std::size_t item;
  } cases[] = {
      {both, SHIFTJIS_CHARSET, shiftJis},
      {both, ANSI_CHARSET, ansi},
      {OtherCase(both), SHIFTJIS_CHARSET, shiftJis},
      {OtherCase(both.substr(0, 2)), SHIFTJIS_CHARSET, firstBeginning},
  };
  for (const auto& c : cases) {
    CAPTURE(c.face);
    StoreCustomSettings(c.charSet);
    PutValue(kConfigKey, "TypeFace", REG_SZ, c.face.c_str(), static_cast<DWORD>(c.face.size() + 1));
    RunningCalendar calendar;
    RunSheetOver(calendar, {[&](HWND sheet) {
                   ShowTab(sheet, kFont);
                   CHECK(Items(Control(sheet, IDC_FACE_LIST)) == texts);
                   CHECK(SendMessageA(Control(sheet, IDC_FACE_LIST), CB_GETCURSEL, 0, 0) ==
                         static_cast<LRESULT>(c.item));
                   const char* const charSet =
                       expected[c.item].second == ANSI_CHARSET ? " (ANSI)" : " (SHIFT JIS)";
                   CHECK(EndsWith(Text(Control(sheet, IDC_FONT_KIND)), charSet));
                   Press(sheet, IDCANCEL);
                   return true;
                 }});
  }
}
