// The settings sheet over the running calendar, opened by its command and driven from a
// timer: what OK and Apply change shows on the window at once (texts, the first weekday, the
// weekly days off, the tray icon, the memo store, the holiday rules), and what waits for the
// next start stays as it is.
#include <doctest.h>
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <prsht.h>

#include <string>

#include "CalendarHarness.h"
#include "SheetScript.h"
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

}  // namespace

TEST_CASE("English, Monday first and no weekly day off show at once; no frame waits") {
  StoreSettings({});
  RunningCalendar calendar;
  CalendarWindow& window = calendar.Window();
  const HWND handle = calendar.Handle();
  RECT before{}, after{};
  GetWindowRect(handle, &before);
  const Picture start = Painted(calendar);
  REQUIRE(start.Count(DayCell(window, 9), kHoliday) > 0);  // a Sunday
  RunSheetOver(calendar, {Tick(kGeneral1, IDC_ENGLISH), Tick(kGeneral1, IDC_SUNDAY_OFF),
                          Tick(kGeneral2, IDC_MONDAY_FIRST), Tick(kGeneral2, IDC_NO_FRAME),
                          PressButton(IDOK)});
  CHECK(calendar.UserSettings().Language == 1);
  CHECK(StoredNumber("SunFirst") == 1);
  CHECK(StoredNumber("RegularHoliday") == 0);
  CHECK(StoredNumber("NoFrame") == 1);
  const Picture painted = Painted(calendar);
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

namespace {

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

}  // namespace

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

TEST_CASE("Apply takes the character set and pitch of the face chosen on the font page") {
  StoreSettings({});
  RunningCalendar calendar;
  std::string face;
  RunSheetOver(calendar, {[&](HWND sheet) {
                            // The stored font is a Shift-JIS one: an ANSI face instead.
                            ShowTab(sheet, kFont);
                            const HWND list = Control(sheet, IDC_FACE_LIST);
                            const int count =
                                static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
                            for (int item = 0; item < count && face.empty(); ++item) {
                              Choose(sheet, IDC_FACE_LIST, item);
                              const std::string kind = Text(Control(sheet, IDC_FONT_KIND));
                              if (kind.size() > 6 && kind.substr(kind.size() - 6) == "(ANSI)") {
                                face = Text(list);
                              }
                            }
                            CHECK(!face.empty());
                            Press(sheet, ID_APPLY_NOW);
                            return true;
                          },
                          PressButton(IDCANCEL)});
  CHECK(StoredNumber("CharSet") == ANSI_CHARSET);
  CHECK(StoredNumber("PitchAndFamily") == PitchOf(face, ANSI_CHARSET));
  CHECK(PitchOf(face, ANSI_CHARSET) != 0);
}
