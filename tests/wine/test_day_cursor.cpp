// The keyboard's day cursor in the running calendar, driven through the program's own
// message loop: the grid as a focus stop, the keys that move the chosen day across months,
// its focus rectangle, Enter for its memo, the context menu with the day's section, and the
// chosen day's pop-up.
#include <doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "CalendarHarness.h"
#include "SheetScript.h"
#include "app/geometry/Geometry.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

void HoldControl(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

// A key pressed in `target` (the calendar window when none is given).
void Press(RunningCalendar& calendar, UINT key, bool control = false, HWND target = nullptr) {
  HoldControl(control);
  PostMessageA(target != nullptr ? target : calendar.Handle(), WM_KEYDOWN, key, 1);
  PostMessageA(target != nullptr ? target : calendar.Handle(), WM_KEYUP, key, 0xC0000001);
  calendar.RunProgramLoop();
  HoldControl(false);
}

// The calendar in front with the keyboard, the pointer away from it so that no hover
// pop-up interferes.
void Prepare(RunningCalendar& calendar) {
  RECT frame{};
  GetWindowRect(calendar.Handle(), &frame);
  SetCursorPos(frame.right + 60, frame.bottom + 60);
  SetForegroundWindow(calendar.Handle());
  SetFocus(calendar.Handle());
  calendar.RunProgramLoop();
}

struct Chosen {
  int year, month, day;
};
Chosen ChosenDay(RunningCalendar& calendar) {
  const SystemTime& shown = calendar.Window().Calendar().Shown();
  return {shown.wYear, shown.wMonth, calendar.Window().CursorDay()};
}
void CheckChosen(RunningCalendar& calendar, Chosen wanted) {
  const Chosen chosen = ChosenDay(calendar);
  CHECK(chosen.year == wanted.year);
  CHECK(chosen.month == wanted.month);
  CHECK(chosen.day == wanted.day);
  CHECK(Text(GetDlgItem(calendar.Handle(), IDC_YEAR_FIELD)) == std::to_string(wanted.year));
}

// The dialog of a memo answered with `text` (Cancel when null), and its labels as seen.
const char* memoToType = nullptr;
std::string memoLabel, memoLine;
bool memoDialogSeen = false;
void CALLBACK AnswerMemo(HWND, UINT, UINT_PTR, DWORD) {
  const HWND dialog = FindWindowA("#32770", "１行ﾒﾓの入力");
  if (dialog == nullptr || !IsWindowVisible(dialog) || memoDialogSeen) return;
  memoDialogSeen = true;
  memoLabel = Text(GetDlgItem(dialog, IDC_MEMO_DATE));
  memoLine = Text(GetDlgItem(dialog, IDC_MEMO_DAY));
  if (memoToType != nullptr) SetDlgItemTextA(dialog, IDC_MEMO_TEXT, memoToType);
  PostMessageA(dialog, WM_COMMAND, memoToType != nullptr ? IDOK : IDCANCEL, 0);
}
bool EnterOpensMemo(RunningCalendar& calendar, const char* text) {
  memoToType = text;
  memoDialogSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, &AnswerMemo);
  REQUIRE(timer != 0);
  // Straight into the pre-translation: the test loop's pending quit would end the dialog.
  MSG enter{calendar.Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  CHECK(calendar.Window().PreTranslateMessage(enter));
  KillTimer(nullptr, timer);
  return memoDialogSeen;
}

// The items of the pop-up menu that opens, read and then closed by a timer.
std::vector<std::string> menuItems;
RECT menuRect{};
void CALLBACK ReadMenu(HWND, UINT, UINT_PTR, DWORD) {
  const HWND window = FindWindowA("#32768", nullptr);
  if (window == nullptr || !IsWindowVisible(window) || !menuItems.empty()) return;
  const auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    menuItems.push_back(text);
  }
  GetWindowRect(window, &menuRect);
  EndMenu();
}
std::vector<std::string> MenuOpenedBy(RunningCalendar& calendar, LPARAM contextPoint) {
  menuItems.clear();
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, &ReadMenu);
  REQUIRE(timer != 0);
  SendMessageA(calendar.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(calendar.Handle()),
               contextPoint);
  KillTimer(nullptr, timer);
  calendar.RunProgramLoop();
  return menuItems;
}
LPARAM OnScreen(RunningCalendar& calendar, const RECT& cell) {
  POINT centre{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  ClientToScreen(calendar.Handle(), &centre);
  return MAKELPARAM(centre.x, centre.y);
}

}  // namespace

TEST_CASE("Tab makes the grid a focus stop beside the year field; Escape gives the keys back") {
  StoreSettings({});
  RunningCalendar calendar;  // Wednesday 12 November 2003
  Prepare(calendar);
  CalendarWindow& window = calendar.Window();
  const HWND yearField = GetDlgItem(calendar.Handle(), IDC_YEAR_FIELD);
  CHECK_FALSE(window.GridFocused());
  CHECK(window.CursorDay() == 0);

  Press(calendar, VK_TAB);
  CHECK(window.GridFocused());
  CheckChosen(calendar, {2003, 11, 12});  // today
  Press(calendar, VK_RIGHT);
  Press(calendar, VK_RIGHT);
  CHECK(window.CursorDay() == 14);
  Press(calendar, VK_TAB);
  CHECK(GetFocus() == yearField);
  CHECK_FALSE(window.GridFocused());
  HoldControl(false);
  Press(calendar, VK_TAB, false, yearField);  // back: the grid is the field's only neighbour
  CHECK(GetFocus() == calendar.Handle());
  CHECK(window.CursorDay() == 12);

  // Another month shown while the grid has no focus: the cursor starts on its 1st.
  Press(calendar, VK_ESCAPE);
  CHECK_FALSE(window.GridFocused());
  CHECK(GetFocus() == calendar.Handle());
  Press(calendar, VK_RIGHT);  // the old meaning: the next month
  CheckChosen(calendar, {2003, 12, 0});
  Press(calendar, VK_TAB);
  CheckChosen(calendar, {2003, 12, 1});
}

TEST_CASE("the cursor's keys cross months and years, and the shown month follows") {
  StoreSettings({});
  RunningCalendar calendar;
  Prepare(calendar);
  Press(calendar, VK_TAB);
  Press(calendar, VK_END);
  CheckChosen(calendar, {2003, 11, 30});
  Press(calendar, VK_RIGHT);
  CheckChosen(calendar, {2003, 12, 1});
  Press(calendar, VK_UP);
  CheckChosen(calendar, {2003, 11, 24});
  Press(calendar, VK_DOWN);
  Press(calendar, VK_DOWN);
  CheckChosen(calendar, {2003, 12, 8});
  Press(calendar, VK_PRIOR);
  CheckChosen(calendar, {2003, 11, 8});
  Press(calendar, VK_NEXT, true);
  CheckChosen(calendar, {2004, 11, 8});
  Press(calendar, VK_PRIOR, true);
  Press(calendar, VK_PRIOR, true);
  CheckChosen(calendar, {2002, 11, 8});
  Press(calendar, VK_HOME);
  Press(calendar, VK_LEFT);
  CheckChosen(calendar, {2002, 10, 31});
  Press(calendar, VK_SPACE);
  CheckChosen(calendar, {2003, 11, 12});
  // The wheel moves the month under the cursor, which goes to the new month's 1st.
  SendMessageA(calendar.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  CheckChosen(calendar, {2003, 12, 1});
}

TEST_CASE("the chosen day is framed inside its cell, and only while the grid has the focus") {
  StoreSettings({});
  RunningCalendar calendar;
  Prepare(calendar);
  CalendarWindow& window = calendar.Window();
  const auto paint = [&] {
    RedrawWindow(calendar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return Picture(calendar.Handle());
  };
  RECT client{};
  GetClientRect(calendar.Handle(), &client);
  const std::vector<COLORREF> before = paint().Part(client);

  Press(calendar, VK_TAB);
  Press(calendar, VK_LEFT);  // the 11th, a working day
  const RECT frame = ToWinRect(FocusFrame(FromWinRect(DayCell(window, 11))));
  const Picture focused = paint();
  int changedInside = 0, changedOutside = 0;
  for (int y = client.top; y < client.bottom; ++y) {
    for (int x = client.left; x < client.right; ++x) {
      const bool changed =
          focused.At(x, y) != before[static_cast<std::size_t>(y * client.right + x)];
      const POINT point{x, y};
      const bool onFrame = PtInRect(&frame, point) != FALSE;
      (onFrame ? changedInside : changedOutside) += changed ? 1 : 0;
    }
  }
  CHECK(changedInside > 0);
  CHECK(changedOutside == 0);

  Press(calendar, VK_ESCAPE);
  CHECK(paint().Part(client) == before);
}

TEST_CASE("Enter writes the chosen day's memo in either mode") {
  StoreSettings({});
  DeleteProgramKeys();
  StoreSettings({});
  RunningCalendar calendar;
  Prepare(calendar);
  Press(calendar, VK_TAB);
  Press(calendar, VK_RIGHT);
  Press(calendar, VK_RIGHT);
  REQUIRE(EnterOpensMemo(calendar, "会議"));
  CHECK(memoLabel == "11/14");
  CHECK(memoLine == "2003年11月14日 (金)　毎年表示されます");
  CHECK((calendar.Window().MemoMap() & DayBit(14)) != 0);
  std::string stored;
  CHECK(calendar.Window().Memos().ReadMemo(14, stored));
  CHECK(stored == "会議");
  // In the holiday-setting mode as well.
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_MODE_BUTTON, 0);
  SetFocus(calendar.Handle());
  CHECK(EnterOpensMemo(calendar, nullptr));
  CHECK(memoLabel == "11/14");
}

TEST_CASE("the context menu over a day begins with its memo and its mark") {
  StoreSettings({});
  DeleteProgramKeys();
  StoreSettings({});
  RunningCalendar calendar;
  Prepare(calendar);
  CalendarWindow& window = calendar.Window();
  const LPARAM keyboard = MAKELPARAM(-1, -1);

  // Without the grid's focus the keyboard's menu is the plain one.
  std::vector<std::string> items = MenuOpenedBy(calendar, keyboard);
  REQUIRE(items.size() == 18);  // with the iCalendar submenu and its separator
  CHECK(items[0] == "ﾄﾋﾟｯｸの検索(&H)...");

  // At the chosen day's cell: Friday the 14th, a working day.
  Press(calendar, VK_TAB);
  Press(calendar, VK_RIGHT);
  Press(calendar, VK_RIGHT);
  items = MenuOpenedBy(calendar, keyboard);
  REQUIRE(items.size() == 21);
  CHECK(items[0] == "ﾒﾓの入力(&M)...");
  CHECK(items[1] == "休日にする(&O)");
  CHECK(items[2].empty());
  CHECK(items[3] == "ﾄﾋﾟｯｸの検索(&H)...");
  RECT cell = DayCell(window, 14);
  MapWindowPoints(calendar.Handle(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
  CHECK(menuRect.left == cell.left);
  CHECK(menuRect.top == cell.bottom);
  // Its mark, as a right click in the mode makes it.
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_DAY_MARK, 0);
  CHECK(window.Calendar().IsDayOff(14));
  CHECK((window.Calendar().MarkedDays() & DayBit(14)) != 0);
  CHECK(MenuOpenedBy(calendar, keyboard)[1] == "平日にする(&O)");

  // A right click on a day, outside the mode: the 3rd, a national holiday.
  Press(calendar, VK_ESCAPE);
  items = MenuOpenedBy(calendar, OnScreen(calendar, DayCell(window, 3)));
  REQUIRE(items.size() == 21);
  CHECK(items[1] == "平日にする(&O)");
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_DAY_MARK, 0);
  CHECK_FALSE(window.Calendar().IsDayOff(3));
  // On the heading, no day.
  CHECK(MenuOpenedBy(calendar, OnScreen(calendar, window.TitleRect())).size() == 18);
}

TEST_CASE("the chosen day's memo or name pops up at its cell after the delay") {
  StoreSettings({{"MemoTime", 1}});
  RunningCalendar calendar;
  Prepare(calendar);
  CalendarWindow& window = calendar.Window();
  Press(calendar, VK_TAB);
  Press(calendar, VK_HOME);
  Press(calendar, VK_RIGHT);
  Press(calendar, VK_RIGHT);  // the 3rd
  CHECK_FALSE(window.MemoPopup().IsShown());
  PumpMessagesFor(400);
  REQUIRE(window.MemoPopup().IsShown());
  CHECK(window.MemoPopup().Text() == "文化の日");
  RECT popup{}, cell = DayCell(window, 3);
  GetWindowRect(window.MemoPopup().Handle(), &popup);
  MapWindowPoints(calendar.Handle(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
  CHECK(popup.left == cell.right);
  CHECK(popup.top == cell.bottom);
  // A key hides it; a day without memo or name shows none.
  Press(calendar, VK_RIGHT);
  CHECK_FALSE(window.MemoPopup().IsShown());
  PumpMessagesFor(400);
  CHECK_FALSE(window.MemoPopup().IsShown());
}
