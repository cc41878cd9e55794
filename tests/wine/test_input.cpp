// The calendar window driven as a user drives it, through the program's own message loop:
// the navigation commands from menu, keys, buttons and wheel, the year field, the
// holiday-setting mode, the context menu and the system menu, the frame toggle, dragging the
// frameless card, the title and the tray icon, and the end of a session; the keyboard's day
// cursor: the grid as a focus stop, the keys that move the chosen day across months, its focus
// rectangle, Enter for its memo, and the context menu with the day's section.
#include <doctest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CalendarHarness.h"
#include "SheetScript.h"
#include "app/WindowPosition.h"
#include "app/geometry/Geometry.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

LPARAM At(int x, int y) {
  return MAKELPARAM(x, y);
}

// The month shown and, unless -1, the day cursor's day (0: none).
struct Shown {
  int year, month, day = -1;
};
Shown ShownMonth(RunningCalendar& calendar) {
  const SystemTime& shown = calendar.Window().Calendar().Shown();
  return {shown.wYear, shown.wMonth};
}
void CheckShown(RunningCalendar& calendar, Shown wanted) {
  CHECK(ShownMonth(calendar).year == wanted.year);
  CHECK(ShownMonth(calendar).month == wanted.month);
  if (wanted.day != -1) CHECK(calendar.Window().CursorDay() == wanted.day);
  // The year field follows.
  CHECK(Text(GetDlgItem(calendar.Handle(), IDC_YEAR_FIELD)) == std::to_string(wanted.year));
}

// Shows a month without going through the window's input.
void ShowMonth(RunningCalendar& calendar, Shown wanted) {
  MonthCalendar& model = calendar.Window().Calendar();
  model.GoToToday();
  const int months = (wanted.year - 2003) * 12 + wanted.month - 11;
  for (int step = 0; step < months; ++step) model.NextMonth();
  for (int step = 0; step > months; --step) model.PrevMonth();
  calendar.Window().RefreshShownMonth();
}

// Enter on the chosen day: its memo's dialog is answered with `text` (Cancel when null), and
// its labels as seen are kept.
std::string memoLabel, memoLine;
bool EnterOpensMemo(RunningCalendar& calendar, const char* text) {
  bool seen = false;
  // Straight into the pre-translation: the test loop's pending quit would end the dialog.
  MSG enter{calendar.Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  DuringModalLoop([&] { CHECK(calendar.Window().PreTranslateMessage(enter)); },
                  [&] {
                    const HWND dialog = FindWindowA("#32770", "１行ﾒﾓの入力");
                    if (dialog == nullptr || !IsWindowVisible(dialog)) return false;
                    seen = true;
                    memoLabel = Text(GetDlgItem(dialog, IDC_MEMO_DATE));
                    memoLine = Text(GetDlgItem(dialog, IDC_MEMO_DAY));
                    if (text != nullptr) SetDlgItemTextA(dialog, IDC_MEMO_TEXT, text);
                    PostMessageA(dialog, WM_COMMAND, text != nullptr ? IDOK : IDCANCEL, 0);
                    return true;
                  });
  return seen;
}

}  // namespace

TEST_CASE("each way through the months: commands, keys, buttons, the wheel and the year field") {
  StoreSettings({});
  RunningCalendar calendar;
  const HWND window = calendar.Handle();
  const HWND yearField = GetDlgItem(window, IDC_YEAR_FIELD);
  CheckShown(calendar, {2003, 11});

  // Each command from the menu, its key pressed in the calendar and in the year field, and
  // the title row's button where it has one; December to January crosses into the next year.
  const std::tuple<UINT, UINT, int, Shown, Shown> steps[] = {
      {ID_NEXT_MONTH, VK_RIGHT, ID_NEXT_MONTH, {2003, 12}, {2004, 1}},
      {ID_PREV_MONTH, VK_LEFT, ID_PREV_MONTH, {2004, 1}, {2003, 12}},
      {ID_NEXT_YEAR, VK_UP, 0, {2003, 12}, {2004, 12}},
      {ID_PREV_YEAR, VK_DOWN, 0, {2004, 12}, {2003, 12}},
      {ID_THIS_MONTH, VK_SPACE, 0, {2005, 3}, {2003, 11}},
  };
  for (const auto& [command, key, button, from, to] : steps) {
    CAPTURE(command);
    for (int way = 0; way < (button != 0 ? 4 : 3); ++way) {
      CAPTURE(way);
      ShowMonth(calendar, from);
      switch (way) {
        case 0:
          SendMessageA(window, WM_COMMAND, command, 0);
          break;
        case 1:
          SetFocus(window);
          calendar.PressKey(key);
          break;
        case 2:
          SetFocus(yearField);
          calendar.PressKey(key, false, yearField);
          CHECK(GetFocus() == yearField);
          break;
        default:
          SendMessageA(GetDlgItem(window, button), BM_CLICK, 0, 0);
          break;
      }
      CheckShown(calendar, to);
    }
  }
  // Two quick clicks on a month button step twice; the padlock takes them as one.
  ShowMonth(calendar, {2003, 11});
  for (const int button : {ID_NEXT_MONTH, ID_MODE_BUTTON}) {
    for (const UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
      SendMessageA(GetDlgItem(window, button), mouse, 0, MAKELPARAM(2, 2));
    }
  }
  CheckShown(calendar, {2004, 1});
  CHECK(calendar.Window().HolidayModeOn());
  SendMessageA(GetDlgItem(window, ID_MODE_BUTTON), BM_CLICK, 0, 0);
  SetFocus(window);
  ShowMonth(calendar, {2003, 11});

  // The wheel a month, with Ctrl a year (its steps are counted natively); the middle button
  // shows this month.
  SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), At(100, 100));
  CheckShown(calendar, {2003, 12});
  SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -120), At(100, 100));
  CheckShown(calendar, {2002, 12});
  SendMessageA(window, WM_MBUTTONUP, 0, At(5, 5));
  CheckShown(calendar, {2003, 11});

  // A year typed in the field counts when Enter leaves it, which writes it in its normal form.
  SetFocus(yearField);
  SetWindowTextA(yearField, "01999");
  PostMessageA(yearField, WM_CHAR, '\r', 1);
  calendar.RunProgramLoop();
  CHECK(GetFocus() == window);
  CheckShown(calendar, {1999, 11});
  // A year the calendar refuses (its range is the calendar's own) or no number changes nothing
  // and stays in the field, with a balloon that says why; Enter on one keeps the focus there
  // with the text selected for retyping.
  const auto typeAndLeave = [&](const char* year) {
    SetFocus(yearField);
    SetWindowTextA(yearField, year);
    SetFocus(window);
  };
  for (const char* typed : {"2151", "20x6"}) {
    CAPTURE(typed);
    CloseFieldTips();
    typeAndLeave(typed);
    CHECK(ShownMonth(calendar).year == 1999);
    CHECK(Text(yearField) == typed);
    CHECK(ShownFieldTip() == LoadResourceString(IDS_YEAR_INVALID));
  }
  CloseFieldTips();
  SetFocus(yearField);
  SetWindowTextA(yearField, "2151");
  PostMessageA(yearField, WM_CHAR, '\r', 1);
  calendar.RunProgramLoop();
  CHECK(GetFocus() == yearField);
  CHECK(ShownFieldTip() == LoadResourceString(IDS_YEAR_INVALID));
  DWORD selectionEnd = 0;
  SendMessageA(yearField, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&selectionEnd));
  CHECK(selectionEnd == 4);
  CHECK(ShownMonth(calendar).year == 1999);
  typeAndLeave("2149");
  CheckShown(calendar, {2149, 11});
  CHECK(ShownFieldTip().empty());  // taken, and the balloon is put away
  const HWND spin = GetDlgItem(window, IDC_YEAR_SPIN);
  RECT arrows{};
  GetClientRect(spin, &arrows);
  const auto clickSpin = [&](int y) {
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, At(arrows.right / 2, y));
    SendMessageA(spin, WM_LBUTTONUP, 0, At(arrows.right / 2, y));
  };
  for (int click = 0; click < 3; ++click) clickSpin(2);
  CheckShown(calendar, {2150, 11});
  clickSpin(arrows.bottom - 2);
  CheckShown(calendar, {2149, 11});
}

TEST_CASE("the holiday-setting mode: the padlock, marks by right click, and no menu") {
  StoreSettings({});
  RunningCalendar calendar;
  CalendarWindow& window = calendar.Window();
  const HWND handle = calendar.Handle();
  const RECT padlock = ChildRect(handle, ID_MODE_BUTTON);
  // Where the open shackle's free end hangs.
  const RECT shackleEnd = {padlock.left + 13, padlock.top + 2, padlock.left + 20, padlock.top + 10};
  CHECK(Picture(handle).Count(shackleEnd, kDarkYellow) == 0);

  calendar.PressKey('L', true);
  REQUIRE(window.HolidayModeOn());
  CHECK(Picture(handle).Count(shackleEnd, kDarkYellow) > 0);

  // Wednesday the 5th becomes a day off and back; only the day's cell is painted again.
  const RECT fifth = DayCell(window, 5);
  UpdateWindow(handle);
  CHECK_FALSE(MenuOpenedBy([&] {
                SendMessageA(handle, WM_RBUTTONUP, 0, AtCentre(fifth));
                const GdiObject<HRGN> repainted(CreateRectRgn(0, 0, 0, 0));
                const GdiObject<HRGN> cell(CreateRectRgnIndirect(&fifth));
                CHECK(GetUpdateRgn(handle, repainted.get(), FALSE) == SIMPLEREGION);
                CHECK(EqualRgn(repainted.get(), cell.get()));
              }).opened);
  PumpMessages();
  CHECK(window.Calendar().MarkedDays() == DayBit(5));
  const Picture marked(handle);
  CHECK(marked.Count(fifth, kHoliday) > 0);
  CHECK(marked.Count(fifth, kOrdinary) == 0);
  SendMessageA(handle, WM_RBUTTONUP, 0, AtCentre(fifth));
  CHECK(window.Calendar().MarkedDays() == 0);

  // The weekday row, the cell after the 30th and the window's other parts mark nothing; no
  // menu opens in this mode.
  CHECK_FALSE(MenuOpenedBy([&] {
                SendMessageA(handle, WM_RBUTTONUP, 0, AtCentre(Cells(window, 0, 3, 3)));
                SendMessageA(handle, WM_RBUTTONUP, 0, AtCentre(DayCell(window, 31)));
                SendMessageA(handle, WM_RBUTTONUP, 0, At(2, 2));
                SendMessageA(handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), At(-1, -1));
                SendMessageA(handle, WM_USER, IDI_TRAY, WM_RBUTTONUP);
              }).opened);
  CHECK(window.Calendar().MarkedDays() == 0);
  // The padlock button switches the mode off again.
  SendMessageA(GetDlgItem(handle, ID_MODE_BUTTON), BM_CLICK, 0, 0);
  CHECK(!window.HolidayModeOn());
}

TEST_CASE("the menu at the keyboard's corner or chosen day; a double click switches the frame") {
  StoreSettings({});
  RunningCalendar calendar;
  calendar.TakeKeyboard();
  CalendarWindow& window = calendar.Window();
  const HWND handle = calendar.Handle();
  SetWindowPos(handle, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const auto menuAt = [&](LPARAM point) {
    const SeenMenu menu = MenuOpenedBy(
        [&] { SendMessageA(handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), point); });
    calendar.RunProgramLoop();
    return menu;
  };
  // The keyboard's point is -1 in either coordinate; the mouse's is where the pointer is.
  const std::tuple<POINT, POINT> menus[] = {{{-1, -1}, {120, 90}},
                                            {{-1, 300}, {120, 90}},
                                            {{300, -1}, {120, 90}},
                                            {{300, 250}, {300, 250}}};
  for (const auto& [asked, opened] : menus) {
    CAPTURE(asked.x);
    CAPTURE(asked.y);
    const SeenMenu menu = menuAt(At(asked.x, asked.y));
    CHECK(menu.opened);
    CHECK(menu.rect.left == opened.x);
    CHECK(menu.rect.top == opened.y);
  }
  // A right click asks for it through default processing.
  CHECK(MenuOpenedBy([&] { SendMessageA(handle, WM_RBUTTONUP, 0, At(30, 40)); }).opened);

  const LPARAM keyboard = At(-1, -1);
  // Without the grid's focus the keyboard's menu is the plain one; over a day, that day's
  // section comes first.
  const SeenMenu plain = menuAt(keyboard);
  REQUIRE(plain.opened);
  CHECK(plain.items[0] != "ﾒﾓの入力(&M)...");
  const auto checkDaySection = [&](const SeenMenu& menu, const char* mark) {
    REQUIRE(menu.items.size() == plain.items.size() + 3);
    CHECK(menu.items[0] == "ﾒﾓの入力(&M)...");
    CHECK(menu.items[1] == mark);
    CHECK(menu.items[2].empty());
    CHECK(std::equal(plain.items.begin(), plain.items.end(), menu.items.begin() + 3));
  };

  // At the chosen day's cell: Friday the 14th, a working day.
  for (const UINT key : {VK_TAB, VK_RIGHT, VK_RIGHT}) calendar.PressKey(key);
  const SeenMenu atCursor = menuAt(keyboard);
  checkDaySection(atCursor, "休日にする(&O)");
  const RECT cell = OnScreen(handle, DayCell(window, 14));
  CHECK(atCursor.rect.left == cell.left);
  CHECK(atCursor.rect.top == cell.bottom);
  // Its mark, as a right click in the mode makes it.
  SendMessageA(handle, WM_COMMAND, ID_DAY_MARK, 0);
  CHECK(window.Calendar().IsDayOff(14));
  CHECK((window.Calendar().MarkedDays() & DayBit(14)) != 0);
  checkDaySection(menuAt(keyboard), "平日にする(&O)");

  // A right click on a day, outside the mode: the 3rd, a national holiday.
  calendar.PressKey(VK_ESCAPE);
  checkDaySection(menuAt(AtCentre(OnScreen(handle, DayCell(window, 3)))), "平日にする(&O)");
  SendMessageA(handle, WM_COMMAND, ID_DAY_MARK, 0);
  CHECK_FALSE(window.Calendar().IsDayOff(3));
  // On the heading, no day.
  CHECK(menuAt(AtCentre(OnScreen(handle, window.TitleRect()))).items == plain.items);

  // With the frame, a press and a move of the left button drag nothing.
  const RECT framed = WindowRect(handle);
  SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, AtCentre(DayCell(window, 5)));
  CHECK(GetCapture() != handle);
  SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, At(5, 5));
  SendMessageA(handle, WM_LBUTTONUP, 0, At(5, 5));
  PumpMessages();
  CHECK(WindowRect(handle) == framed);

  // Double clicks anywhere, the mode's key while frameless brings the frame back first.
  const RECT strip = window.BottomStripRect();
  for (const LPARAM point : {AtCentre(DayCell(window, 5)), AtCentre(strip)}) {
    SendMessageA(handle, WM_LBUTTONDBLCLK, 0, point);
    CHECK(window.Frameless());
    CHECK((GetWindowLongA(handle, GWL_STYLE) & WS_CAPTION) == 0);
    SendMessageA(handle, WM_LBUTTONDBLCLK, 0, At(3, 3));
    CHECK(!window.Frameless());
    CHECK(WindowRect(handle) == framed);  // back where it was
  }
  calendar.PressKey('G', true);
  REQUIRE(window.Frameless());
  calendar.PressKey('L', true);
  CHECK(!window.Frameless());
  CHECK(window.HolidayModeOn());
  CHECK(IsWindowVisible(GetDlgItem(handle, ID_MODE_BUTTON)));
}

TEST_CASE("the system menu never offers Maximize, and Restore only while minimised") {
  StoreSettings({});
  RunningCalendar calendar;
  const HWND handle = calendar.Handle();
  const HMENU menu = GetSystemMenu(handle, FALSE);
  REQUIRE(menu != nullptr);
  const auto greyed = [&](UINT item) {
    return (GetMenuState(menu, item, MF_BYCOMMAND) & MF_GRAYED) != 0;
  };
  for (const bool minimised : {false, true}) {
    CAPTURE(minimised);
    ShowWindow(handle, minimised ? SW_MINIMIZE : SW_RESTORE);
    PumpMessages();
    // Whatever the items were before, the menu's initialisation decides.
    for (const UINT item : {SC_MAXIMIZE, SC_RESTORE, SC_MINIMIZE}) {
      EnableMenuItem(menu, item, MF_BYCOMMAND | MF_ENABLED);
    }
    SendMessageA(handle, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    CHECK(greyed(SC_MAXIMIZE));
    CHECK(greyed(SC_RESTORE) != minimised);
    CHECK(greyed(SC_MINIMIZE) == minimised);
  }
}

TEST_CASE("dragging the frameless card leaves no outline; the end of a session saves its place") {
  StoreSettings({{"NoFrame", 1}});
  PutNumbers(kPositionKey, {{"Left", 300}, {"Top", 200}, {"Right", 500}, {"Bottom", 330}});
  RunningCalendar calendar;
  const HWND handle = calendar.Handle();
  const RECT start = WindowRect(handle);
  REQUIRE(start.left == 300);
  CHECK(SendMessageA(handle, WM_QUERYENDSESSION, 0, 0) == TRUE);
  CHECK(StoredPosition() == start);  // not the one stored for a second copy at the start
  // The screen around the card, with the card's own place left out of the comparisons.
  const RECT around = {start.left - 60, start.top - 60, start.right + 60, start.bottom + 60};
  const auto outside = [&](const Picture& picture, const std::vector<RECT>& cards) {
    std::vector<COLORREF> pixels;
    for (int y = around.top; y < around.bottom; ++y) {
      for (int x = around.left; x < around.right; ++x) {
        bool onCard = false;
        for (const RECT& card : cards) onCard = onCard || PtInRect(&card, POINT{x, y});
        if (!onCard) pixels.push_back(picture.At(x - around.left, y - around.top));
      }
    }
    return pixels;
  };
  const Picture before(around);

  // A click without moving leaves it in place.
  SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  SendMessageA(handle, WM_LBUTTONUP, 0, At(10, 10));
  CHECK(WindowRect(handle) == start);

  SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, At(25, 18));
  SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, At(40, 30));
  SendMessageA(handle, WM_LBUTTONUP, 0, At(40, 30));
  PumpMessages();
  const RECT moved = WindowRect(handle);
  CHECK(moved == RECT{start.left + 30, start.top + 20, start.right + 30, start.bottom + 20});
  CHECK(outside(Picture(around), {start, moved}) == outside(before, {start, moved}));

  // Another window takes the mouse mid-drag: the outline goes, the card stays, and later
  // moves and the button's release do nothing.
  const Picture settled(around);
  SendMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, At(30, 25));
  const HWND taker =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetCapture(taker);
  SendMessageA(handle, WM_MOUSEMOVE, MK_LBUTTON, At(50, 45));
  SendMessageA(handle, WM_LBUTTONUP, 0, At(50, 45));
  ReleaseCapture();
  DestroyWindow(taker);
  PumpMessages();
  CHECK(WindowRect(handle) == moved);
  CHECK(outside(Picture(around), {moved}) == outside(settled, {moved}));

  // With the frame back, the end saves the frameless place.
  SendMessageA(handle, WM_COMMAND, ID_FRAME_TOGGLE, 0);
  const RECT framed = WindowRect(handle);
  CHECK(framed.left != moved.left);
  SendMessageA(handle, WM_COMMAND, ID_APP_EXIT, 0);
  CHECK(!IsWindow(handle));
  const RECT saved = StoredPosition();
  CHECK(saved.left == moved.left);
  CHECK(saved.top == moved.top);
  CHECK(saved.right - saved.left == framed.right - framed.left);
}

TEST_CASE(
    "the title and the tray icon follow the settings; the icon comes back after a shell restart") {
  SUBCASE("the date, in Japanese with days below 10 in one digit, in the title and the tooltip") {
    const std::pair<DWORD, const char*> dates[] = {{0, "03年 12月 5日 (金)"},
                                                   {1, "Fri, Dec 05 03"}};
    for (const auto& [language, date] : dates) {
      StoreSettings({{"DispToday", 1}, {"Language", language}, {"Tray", 1}});
      RunningCalendar dated(MakeDate(2003, 12, 5));
      CHECK(Text(dated.Handle()) == date);
      REQUIRE(dated.Tray().calls.size() == 1);
      CHECK(std::string(dated.Tray().calls[0].record.szTip) == date);
    }
  }
  SUBCASE("one icon, changed, removed, and added again for a new taskbar") {
    StoreSettings({{"Tray", 1}});
    RunningCalendar calendar;
    const HWND handle = calendar.Handle();
    std::vector<RecordingTray::Call>& calls = calendar.Tray().calls;
    REQUIRE(calls.size() == 1);
    const NOTIFYICONDATAA added = calls[0].record;
    CHECK(calls[0].action == NIM_ADD);
    // The shell sends the icon's clicks (tried where the calendar comes to the front) as this
    // message with the icon's number.
    CHECK(added.hWnd == handle);
    CHECK(added.uID == IDI_TRAY);
    CHECK(added.uCallbackMessage == WM_USER);
    CHECK(added.hIcon != nullptr);
    CHECK(std::string(added.szTip) == "Tembori");

    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    calendar.Window().UpdateTitleAndTray();
    SendMessageA(handle, taskbarCreated, 0, 0);
    calendar.UserSettings().Tray = 0;
    calendar.Window().UpdateTitleAndTray();
    SendMessageA(handle, taskbarCreated, 0, 0);  // no icon: nothing to add
    REQUIRE(calls.size() == 4);
    CHECK(calls[1].action == NIM_MODIFY);
    CHECK(calls[2].action == NIM_ADD);
    CHECK(calls[3].action == NIM_DELETE);
    for (const auto& call : calls) CHECK(std::memcmp(&call.record, &added, sizeof added) == 0);
    // The window's end takes the icon away.
    calendar.UserSettings().Tray = 1;
    calendar.Window().UpdateTitleAndTray();
    DestroyWindow(handle);
    CHECK(calls.back().action == NIM_DELETE);
  }
}

TEST_CASE("a tooltip always ends within its record, however long the text") {
  RecordingTray tray;
  {
    TrayIcon icon(tray, nullptr, IDI_TRAY, WM_USER, nullptr);
    icon.SetTip(std::string(100, 'x'));
    icon.Notify(NIM_ADD);
  }
  REQUIRE(tray.calls.size() == 2);
  CHECK(tray.calls[1].action == NIM_DELETE);
  CHECK(std::string(tray.calls[0].record.szTip) == std::string(63, 'x'));
}

TEST_CASE("Tab makes the grid a focus stop, the chosen day framed; its keys cross months") {
  StoreSettings({});
  RunningCalendar calendar;  // Wednesday 12 November 2003
  calendar.TakeKeyboard();
  CalendarWindow& window = calendar.Window();
  const HWND handle = calendar.Handle();
  const HWND yearField = GetDlgItem(handle, IDC_YEAR_FIELD);
  CHECK_FALSE(window.GridFocused());
  CHECK(window.CursorDay() == 0);
  const auto paint = [&] {
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return Picture(handle);
  };
  RECT client{};
  GetClientRect(handle, &client);
  const Picture before = paint();
  const std::vector<COLORREF> unfocused = before.Part(client);

  calendar.PressKey(VK_TAB);
  CHECK(window.GridFocused());
  CheckShown(calendar, {2003, 11, 12});  // today
  // The chosen day is framed inside its cell, and only while the grid has the focus.
  calendar.PressKey(VK_LEFT);  // the 11th, a working day
  const RECT frame = ToWinRect(FocusFrame(FromWinRect(DayCell(window, 11))));
  const Picture focused = paint();
  CHECK(focused.Part(frame) != before.Part(frame));
  const BrushHandle cover(CreateSolidBrush(kBlack));
  for (const Picture* picture : {&before, &focused}) FillRect(picture->Dc(), &frame, cover.get());
  CHECK(focused.Part(client) == before.Part(client));
  calendar.PressKey(VK_ESCAPE);
  CHECK(paint().Part(client) == unfocused);

  // The cursor starts on today again, and Tab goes on to the year field and back.
  calendar.PressKey(VK_TAB);
  CheckShown(calendar, {2003, 11, 12});
  calendar.PressKey(VK_TAB);
  CHECK(GetFocus() == yearField);
  CHECK_FALSE(window.GridFocused());
  calendar.PressKey(VK_TAB, false, yearField);  // back: the grid is the field's only neighbour
  CHECK(GetFocus() == handle);
  CheckShown(calendar, {2003, 11, 12});

  // Every key once, the shown month following (the moves' arithmetic is tested natively).
  const struct {
    UINT key;
    bool control;
    Shown chosen;
  } moves[] = {
      {VK_END, false, {2003, 11, 30}},  {VK_RIGHT, false, {2003, 12, 1}},
      {VK_UP, false, {2003, 11, 24}},   {VK_DOWN, false, {2003, 12, 1}},
      {VK_DOWN, false, {2003, 12, 8}},  {VK_PRIOR, false, {2003, 11, 8}},
      {VK_NEXT, true, {2004, 11, 8}},   {VK_PRIOR, true, {2003, 11, 8}},
      {VK_NEXT, false, {2003, 12, 8}},  {VK_HOME, false, {2003, 12, 1}},
      {VK_LEFT, false, {2003, 11, 30}}, {VK_SPACE, false, {2003, 11, 12}},
  };
  for (const auto& [key, control, chosen] : moves) {
    CAPTURE(key);
    calendar.PressKey(key, control);
    CheckShown(calendar, chosen);
  }
  // The wheel moves the month under the cursor, which goes to the new month's 1st.
  SendMessageA(calendar.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  CheckShown(calendar, {2003, 12, 1});

  // Escape gives the keys their old meaning; another month shown meanwhile starts on its 1st.
  calendar.PressKey(VK_ESCAPE);
  CHECK_FALSE(window.GridFocused());
  CHECK(GetFocus() == calendar.Handle());
  calendar.PressKey(VK_RIGHT);
  CheckShown(calendar, {2004, 1, 0});
  calendar.PressKey(VK_TAB);
  CheckShown(calendar, {2004, 1, 1});

  // Enter writes the chosen day's memo, in the holiday-setting mode as well.
  REQUIRE(EnterOpensMemo(calendar, "会議"));
  CHECK(memoLabel == "1/1");
  CHECK(memoLine == "2004年1月1日 (木)　毎年表示されます");
  CHECK((window.MemoMap() & DayBit(1)) != 0);
  std::string stored;
  CHECK(window.Memos().ReadMemo(1, stored));
  CHECK(stored == "会議");
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_MODE_BUTTON, 0);
  SetFocus(calendar.Handle());
  CHECK(EnterOpensMemo(calendar, nullptr));
  CHECK(memoLabel == "1/1");
}
