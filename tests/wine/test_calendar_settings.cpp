// The settings sheet over the running calendar, opened by its command and driven from a
// timer as a user drives it: what OK and Apply change shows on the window at once and is
// stored, what waits for the next start, what Cancel leaves alone, and the pages' own
// controls (the buttons that follow their boxes, the limits, the font lists, the colours).
#include <doctest.h>
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
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

// A step that can always be taken.
Step Do(const std::function<void(HWND sheet)>& action) {
  return [action](HWND sheet) {
    action(sheet);
    return true;
  };
}
Step Tick(Tab tab, int control) {
  return Do([=](HWND sheet) {
    ShowTab(sheet, tab);
    Click(sheet, control);
  });
}
Step PressButton(int button) {
  return Do([=](HWND sheet) { Press(sheet, button); });
}

// The Properties command as the menu gives it, with the steps played in the sheet.
void RunSheetOver(RunningCalendar& calendar, std::vector<Step> steps) {
  PlaySheetScript(std::move(steps),
                  [&] { SendMessageA(calendar.Handle(), WM_COMMAND, ID_PROPERTIES, 0); });
  PumpMessages();
}

DWORD StoredNumber(const char* name) {
  DWORD value = 0xFFFFFFFF, size = sizeof value;
  RegGetValueA(HKEY_CURRENT_USER, kConfigKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
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

// Every setting away from its default (Wednesdays and Saturdays off), in `face`, at a size
// that no list offers.
void StoreCustomSettings(DWORD charSet, const std::string& face) {
  StoreSettings({{"MemoTime", 12},
                 {"RegularHoliday", 0x89122448},
                 {"Circ", 0},
                 {"HolidayLaw", 0},
                 {"CharSet", charSet},
                 {"PitchAndFamily", 0x31}});
  for (const char* ticked :
       {"DispToday", "Today'sFace", "Language", "Squeeze", "NoFrame", "MemoFile", "TopMost", "Tray",
        "Transparent", "SunFirst", "EraYear", "Rokuyo"}) {
    PutNumbers(kConfigKey, {{ticked, 1}});
  }
  PutValue(kConfigKey, "TypeFace", REG_SZ, face.c_str(), face.size() + 1);
  PutValue(kConfigKey, "PointSize", REG_SZ, "13", 3);
}

Picture Painted(RunningCalendar& calendar) {
  RedrawWindow(calendar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  return Picture(calendar.Handle(), kBack);
}

// Chooses a list item as a click in the list does.
void Choose(HWND sheet, int listId, LRESULT item) {
  const HWND list = Control(sheet, listId);
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageA(Page(sheet), WM_COMMAND, MAKEWPARAM(listId, CBN_SELENDOK),
               reinterpret_cast<LPARAM>(list));
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

auto TrayAdds(RunningCalendar& calendar) {
  const auto& calls = calendar.Tray().calls;
  return std::count_if(calls.begin(), calls.end(),
                       [](auto& call) { return call.action == NIM_ADD; });
}

}  // namespace

TEST_CASE("English, Monday first and no weekly day off show at once; no frame waits") {
  StoreSettings({});
  RunningCalendar calendar;
  CalendarWindow& window = calendar.Window();
  const HWND handle = calendar.Handle();
  const RECT before = WindowRect(handle);
  RunSheetOver(calendar, {Tick(kGeneral1, IDC_ENGLISH), Tick(kGeneral1, IDC_SUNDAY_OFF),
                          Tick(kGeneral2, IDC_MONDAY_FIRST), Tick(kGeneral2, IDC_NO_FRAME),
                          PressButton(IDOK)});
  CHECK(StoredNumber("NoFrame") == 1);
  const Picture painted(handle);  // after OK the window paints itself
  CHECK(HeadingReads(calendar, "Nov. 2003"));
  // The 1st, a Saturday, is in the sixth column now, so every day sits one cell before its
  // place in a week from Sunday. Sundays are ordinary days, national holidays stay.
  CHECK(painted.Count(Cells(window, 1, 5, 5), kOrdinary) > 0);
  CHECK(painted.Count(DayCell(window, 9 - 1), kHoliday) == 0);
  CHECK(painted.Count(DayCell(window, 9 - 1), kOrdinary) > 0);
  CHECK(painted.Count(DayCell(window, 3 - 1), kHoliday) > 0);
  // The frame stays until the next start.
  CHECK((GetWindowLongA(handle, GWL_STYLE) & WS_CAPTION) == WS_CAPTION);
  CHECK(WindowRect(handle) == before);
}

TEST_CASE("Apply makes the new font before the window's size; the title follows at once") {
  StoreSettings({});
  RunningCalendar calendar;
  const HWND handle = calendar.Handle();
  RECT before{}, after{};
  GetClientRect(handle, &before);
  // Cancel keeps what Apply applied.
  RunSheetOver(calendar, {Tick(kGeneral1, IDC_DISP_TODAY), Do([](HWND sheet) {
                            ShowTab(sheet, kFont);
                            SetWindowTextA(Control(sheet, IDC_SIZE_LIST), "28");
                            Press(sheet, ID_APPLY_NOW);
                          }),
                          PressButton(IDCANCEL)});
  GetClientRect(handle, &after);
  CHECK(StoredText("PointSize") == "28");
  CHECK(after.right > before.right * 3 / 2);
  CHECK(after.bottom > before.bottom * 3 / 2);
  CHECK(Text(handle) == "03年 11月 12日 (水)");
}

TEST_CASE("the tray icon by Apply: hidden and shown once around the layout, one icon") {
  StoreSettings({{"Tray", 0}});
  RunningCalendar calendar;
  watched = calendar.Handle();
  showChanges = 0;
  const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &CountShows, nullptr, GetCurrentThreadId());
  REQUIRE(hook != nullptr);
  int showsAtFirstApply = -1, showsAtSecondApply = -1, addsAtFirstApply = -1;
  RunSheetOver(calendar,
               {Tick(kGeneral2, IDC_TRAY), PressButton(ID_APPLY_NOW), Do([&](HWND) {
                  showsAtFirstApply = showChanges;
                  addsAtFirstApply = TrayAdds(calendar);
                }),
                Tick(kGeneral2, IDC_TOP_MOST), PressButton(ID_APPLY_NOW),
                Do([&](HWND) { showsAtSecondApply = showChanges; }), PressButton(IDCANCEL)});
  UnhookWindowsHookEx(hook);
  CHECK(showsAtFirstApply == 101);
  CHECK(addsAtFirstApply == 1);
  CHECK(showsAtSecondApply == 101);
  CHECK(TrayAdds(calendar) == 1);
  CHECK(StoredNumber("Tray") == 1);
  CHECK((GetWindowLongA(calendar.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0);
  CHECK(IsWindowVisible(calendar.Handle()));
}

TEST_CASE("the other memo store's memos show at once after OK") {
  StoreSettings({});
  PutMemos("11", DayBit(20), {{"20", "registry"}});
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

TEST_CASE("the holiday law, era years and 六曜 from General 2: shown at once, saved, taken back") {
  // 22 September 2026 lies between Respect for the Aged Day and the equinox: a holiday by
  // law only.
  StoreSettings({{"DispToday", 1}});
  RunningCalendar calendar({2026, 9, 4, 10, 12, 0, 0, 0});  // Thursday 10 September 2026
  CalendarWindow& window = calendar.Window();
  const int plain = window.Cell().height;
  CHECK(Painted(calendar).Count(DayCell(window, 22), kHoliday) > 0);
  RunSheetOver(calendar, {Tick(kGeneral2, IDC_HOLIDAY_LAW), Tick(kGeneral2, IDC_ERA_YEAR),
                          Tick(kGeneral2, IDC_ROKUYO), PressButton(IDOK)});
  CHECK(StoredNumber("HolidayLaw") == 0);
  CHECK(StoredNumber("EraYear") == 1);
  CHECK(StoredNumber("Rokuyo") == 1);
  CHECK(Painted(calendar).Count(DayCell(window, 22), kHoliday) == 0);
  CHECK(Text(calendar.Handle()) == "令和8年 9月 10日 (木)");
  CHECK(window.Cell().height > plain);
  RunSheetOver(calendar, {Tick(kGeneral2, IDC_ROKUYO), PressButton(IDOK)});
  CHECK(StoredNumber("Rokuyo") == 0);
  CHECK(window.Cell().height == plain);
}

TEST_CASE("the pages as they open: colour buttons follow their boxes, limits, colour swatches") {
  // The default colours on a first run; then circles off, transparency on, and the worst
  // colours for a label: the page's own, white, and a pale yellow near both the white and the
  // grey of a page, yet told from either in the swatch.
  const COLORREF page = GetSysColor(COLOR_BTNFACE), white = RGB(255, 255, 255),
                 pale = RGB(255, 255, 204), red = RGB(255, 0, 0);
  for (const DWORD on : {0, 1}) {
    CAPTURE(on);
    DeleteProgramKeys();
    const RegistryNumbers worst = {{"Circ", 0},
                                   {"Transparent", 1},
                                   {"OrdinaryColor", page},
                                   {"HolidayColor", white},
                                   {"CircColor", pale}};
    if (on == 1) PutNumbers(kConfigKey, worst);
    const std::tuple<Tab, int, COLORREF> labels[] = {
        {kColor, IDC_ORDINARY_LABEL, on == 1 ? page : RGB(0, 0, 0)},
        {kColor, IDC_HOLIDAY_LABEL, on == 1 ? white : red},
        {kColor, IDC_TODAY_LABEL, RGB(0, 255, 0)},
        {kColor, IDC_BACK_LABEL, white},
        {kGeneral2, IDC_CIRC_LABEL, on == 1 ? pale : red}};
    RunningCalendar calendar;
    RunSheetOver(
        calendar,
        {Do([&](HWND sheet) {
           for (const auto& [tab, box, button] :
                {std::tuple{kGeneral2, IDC_CIRC, IDC_CIRC_COLOR},
                 std::tuple{kColor, IDC_TRANSPARENT, IDC_BACK_COLOR}}) {
             CAPTURE(button);
             ShowTab(sheet, tab);
             CHECK((IsWindowEnabled(Control(sheet, button)) != FALSE) == (on == 0));
             Click(sheet, box);
             CHECK((IsWindowEnabled(Control(sheet, button)) != FALSE) == (on == 1));
           }
           for (const auto& [tab, label, colour] : labels) {
             CAPTURE(label);
             ShowTab(sheet, tab);
             const HWND shownPage = Page(sheet);
             RedrawWindow(shownPage, nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
             const Picture shown(shownPage);
             const COLORREF ground = shown.At(1, 1);
             const RECT text = ChildRect(shownPage, label);
             int strokes = 0;  // of the label's characters, in any colour
             for (const COLORREF pixel : shown.Part(text)) {
               strokes += std::abs(GetRValue(pixel) - GetRValue(ground)) +
                              std::abs(GetGValue(pixel) - GetGValue(ground)) +
                              std::abs(GetBValue(pixel) - GetBValue(ground)) >
                          200;
             }
             CHECK(strokes >= 20);
             // A patch of the colour itself, level with the label, left of it.
             const int side = (text.bottom - text.top) / 2;
             CHECK(shown.Count({0, text.top, text.left, text.bottom}, colour) >= side * side / 2);
           }
           // The delay in tenths of a second from 1 to 30.
           ShowTab(sheet, kGeneral1);
           int lowest = 0, highest = 0;
           SendMessageA(Control(sheet, IDC_MEMO_DELAY_SPIN), UDM_GETRANGE32,
                        reinterpret_cast<WPARAM>(&lowest), reinterpret_cast<LPARAM>(&highest));
           CHECK(lowest == 1);
           CHECK(highest == 30);
           // The face takes 32 characters, the size 2, typed key by key.
           ShowTab(sheet, kFont);
           for (const auto& [list, length] :
                {std::pair{IDC_FACE_LIST, 32}, std::pair{IDC_SIZE_LIST, 2}}) {
             const HWND field = FindWindowExA(Control(sheet, list), nullptr, "Edit", nullptr);
             REQUIRE(field != nullptr);
             SetWindowTextA(field, "");
             for (int key = 0; key < 40; ++key) {
               SendMessageA(field, WM_CHAR, '1', 1);
             }
             CHECK(Text(field) == std::string(length, '1'));
           }
         }),
         PressButton(IDCANCEL)});
  }
}

TEST_CASE("OK without a change stores every setting as it was, an unlisted face included") {
  // Whether the pages were shown or not; a face that is not listed stays with its character
  // set, as no item is chosen.
  for (const bool showPages : {false, true}) {
    CAPTURE(showPages);
    StoreCustomSettings(ANSI_CHARSET, "Nowhere Sans");
    const StoredValues stored = StoredConfig();
    RunningCalendar calendar;
    RunSheetOver(calendar, {Do([&](HWND sheet) {
                              if (!showPages) return;
                              for (const Tab tab : {kGeneral2, kColor, kGeneral1, kFont}) {
                                ShowTab(sheet, tab);
                              }
                            }),
                            PressButton(IDOK)});
    CHECK(StoredConfig() == stored);
  }
}

TEST_CASE("Apply is enabled by a change on any page, disabled by Apply; Cancel keeps the applied") {
  StoreCustomSettings(SHIFTJIS_CHARSET, "ＭＳ ゴシック");
  RunningCalendar calendar;
  StoredValues applied;
  const std::tuple<Tab, int> changes[] = {
      {kGeneral1, IDC_SUNDAY_OFF + 1}, {kGeneral2, IDC_SQUEEZE}, {kColor, IDC_TRANSPARENT}};
  CHECK(ColorDialog::Custom()[0] == RGB(255, 255, 255));
  RunSheetOver(calendar, {Do([&](HWND sheet) {
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
                            applied = StoredConfig();
                            CHECK(StoredNumber("MemoTime") == 9);
                            CHECK(StoredNumber("RegularHoliday") == 0xA952A54Au);
                            CHECK(StoredNumber("Squeeze") == 0);
                            CHECK(StoredNumber("Transparent") == 0);
                            // Then a delay and a colour that Cancel drops.
                            SetWindowTextA(Control(sheet, IDC_MEMO_DELAY), "20");
                            ShowTab(sheet, kColor);
                            PostMessageA(Control(sheet, IDC_HOLIDAY_COLOR), BM_CLICK, 0, 0);
                          }),
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
  CHECK(StoredConfig() == applied);
  CHECK(Painted(calendar).Count(calendar.Window().GridRect(), kHoliday) > 0);
  CHECK(ColorDialog::Custom()[0] == RGB(1, 2, 3));  // the custom colours stay
}

namespace {

std::vector<std::string> Items(HWND list) {
  std::vector<std::string> items;
  for (LRESULT item = 0; item < SendMessageA(list, CB_GETCOUNT, 0, 0); ++item) {
    char text[LF_FACESIZE] = {};
    SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    items.emplace_back(text);
  }
  return items;
}

// A face as the platform enumerates it.
struct Face {
  std::string name;
  BYTE charSet, pitchAndFamily;
};

int CALLBACK AddListedFace(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD, LPARAM list) {
  const BYTE set = font->lfCharSet;
  if (font->lfFaceName[0] != '@' && (set == ANSI_CHARSET || set == SHIFTJIS_CHARSET)) {
    const auto combo = reinterpret_cast<HWND>(list);
    const LRESULT item =
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
    SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(item),
                 MAKEWORD(set, metrics->tmPitchAndFamily));
  }
  return 1;
}

// The face list as it was made before: the faces added one by one, as enumerated, to a list
// that sorts itself.
std::vector<Face> FacesAddedOneByOne() {
  const HWND list = CreateWindowExA(0, "ComboBox", "", CBS_SIMPLE | CBS_SORT | WS_POPUP, 0, 0, 100,
                                    100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  REQUIRE(list != nullptr);
  const HDC dc = GetDC(list);
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(dc, &all, &AddListedFace, reinterpret_cast<LPARAM>(list), 0);
  ReleaseDC(list, dc);
  std::vector<Face> faces;
  for (const std::string& name : Items(list)) {
    const auto data = static_cast<WORD>(SendMessageA(list, CB_GETITEMDATA, faces.size(), 0));
    faces.push_back({name, LOBYTE(data), HIBYTE(data)});
  }
  DestroyWindow(list);
  return faces;
}

}  // namespace

TEST_CASE(
    "the font page: faces as a sorted list had them, a raster face its own sizes; Apply and OK "
    "take the chosen face's kind") {
  // The prefix lists no raster face: this one comes from fonts-wine (which tools/setup.sh
  // installs), for this program only. The file's three FONTINFO headers give MS Sans Serif at
  // 8, 10 and 12 points (13, 16 and 20 pixels at 96 DPI, with 2, 3 and 4 of internal leading).
  const char* const rasterFile = "Z:\\usr\\share\\wine\\fonts\\sserife.fon";
  const std::vector<std::string> rasterSizes = {"8", "10", "12"};
  AddFontResourceExA(rasterFile, FR_PRIVATE, nullptr);
  // A TrueType face listed in both character sets (twice in a row), stored in the character
  // set of its second item, so that the first by its name alone is the wrong one.
  const std::vector<Face> expected = FacesAddedOneByOne();
  std::vector<std::string> names;
  for (const Face& face : expected) names.push_back(face.name);
  std::size_t twin = 1;
  while (twin < expected.size() &&
         (names[twin] != names[twin - 1] || (expected[twin].pitchAndFamily & TMPF_TRUETYPE) == 0)) {
    ++twin;
  }
  REQUIRE(twin < expected.size());
  const Face &stored = expected[twin], &other = expected[twin - 1];
  const auto raster = std::find_if(expected.begin(), expected.end(), [](const Face& face) {
    return face.name == "MS Sans Serif" && (face.pitchAndFamily & TMPF_TRUETYPE) == 0;
  });
  REQUIRE(raster != expected.end());
  StoreCustomSettings(stored.charSet, stored.name);
  RunningCalendar calendar;
  const auto showsKind = [](HWND sheet, const Face& face) {
    const std::string kind = Text(Control(sheet, IDC_FONT_KIND));
    const std::string set = face.charSet == ANSI_CHARSET ? " (ANSI)" : " (SHIFT JIS)";
    return kind.size() > set.size() && kind.compare(kind.size() - set.size(), set.size(), set) == 0;
  };
  RunSheetOver(calendar,
               {Do([&](HWND sheet) {
                  ShowTab(sheet, kFont);
                  const HWND faces = Control(sheet, IDC_FACE_LIST);
                  CHECK(Items(faces) == names);
                  CHECK(SendMessageA(faces, CB_GETCURSEL, 0, 0) == static_cast<LRESULT>(twin));
                  CHECK(showsKind(sheet, stored));
                  Choose(sheet, IDC_FACE_LIST, raster - expected.begin());
                  CHECK(Items(Control(sheet, IDC_SIZE_LIST)) == rasterSizes);
                  Choose(sheet, IDC_FACE_LIST, static_cast<LRESULT>(twin - 1));
                  CHECK(showsKind(sheet, other));
                  Press(sheet, ID_APPLY_NOW);
                  CHECK(StoredNumber("CharSet") == other.charSet);
                  CHECK(StoredNumber("PitchAndFamily") == other.pitchAndFamily);
                  Choose(sheet, IDC_FACE_LIST, static_cast<LRESULT>(twin));
                }),
                PressButton(IDOK)});
  CHECK(StoredText("TypeFace") == stored.name);
  CHECK(StoredNumber("CharSet") == stored.charSet);
  CHECK(StoredNumber("PitchAndFamily") == stored.pitchAndFamily);
  CHECK(StoredText("PointSize") == "13");  // in no list: kept, no size chosen instead
  RemoveFontResourceExA(rasterFile, FR_PRIVATE, nullptr);
}

namespace {

// Each bad input typed into the field, then `leave` tried (posted, as a click would come):
// the user is told at the field, the text stays for correction and the page stays shown.
// The field's tip is put away before each try, so that each one must show its own.
void RefuseEach(std::vector<Step>& steps, int field, const std::vector<std::string>& inputs,
                UINT complaintId, const std::function<void(HWND sheet)>& leave) {
  for (const std::string& input : inputs) {
    steps.push_back(Do([=](HWND sheet) {
      CloseFieldTips();
      SetWindowTextA(Control(sheet, field), input.c_str());
      leave(sheet);
    }));
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
  StoreCustomSettings(SHIFTJIS_CHARSET, "ＭＳ ゴシック");
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
  steps.push_back(Do([&](HWND sheet) {
    CHECK(StoredConfig() == stored);  // nothing was applied
    SetWindowTextA(Control(sheet, IDC_MEMO_DELAY), "30");
    ShowTab(sheet, kFont);
    CHECK(ShownFieldTip().empty());  // taken, and the balloon is put away
  }));
  RefuseEach(steps, IDC_SIZE_LIST, {"0", "1x", "100"}, IDS_POINT_SIZE_INVALID, post(IDOK));
  RefuseEach(steps, IDC_SIZE_LIST, {" "}, IDS_POINT_SIZE_INVALID, otherTab);
  steps.push_back(Do([](HWND sheet) {
    SetWindowTextA(Control(sheet, IDC_SIZE_LIST), "99");
    Press(sheet, IDOK);
  }));
  RunSheetOver(calendar, steps);
  CloseFieldTips();
  CHECK(StoredNumber("MemoTime") == 30);
  CHECK(StoredText("PointSize") == "99");
}
