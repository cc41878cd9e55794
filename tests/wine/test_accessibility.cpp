// The calendar as a screen reader sees it, in-process: the client area's accessible object
// with the heading and one cell per day, their names, descriptions, roles and states,
// navigation and hit testing, the focus event of the day cursor, and the names of the
// buttons, the year field and the chosen day's pop-up.
#include <doctest.h>
#include <windows.h>
// After windows.h, which they need.
#include <oleacc.h>

#include <string>
#include <vector>

#include "CalendarHarness.h"
#include "app/CalendarAccessible.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

struct ComSession {
  ComSession() { CoInitialize(nullptr); }
  ~ComSession() { CoUninitialize(); }
};

// The accessible object of a window's client area, released at the end.
struct Accessible {
  explicit Accessible(HWND window) {
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(&object));
    REQUIRE(object != nullptr);
  }
  ~Accessible() { object->Release(); }
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;
  IAccessible* operator->() const { return object; }
  IAccessible* object = nullptr;
};

VARIANT Child(LONG id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

// The name, or the description, of a child; "(none)" when it has none.
std::string Said(const Accessible& object, LONG child, bool description = false) {
  BSTR text = nullptr;
  if (description) {
    object->get_accDescription(Child(child), &text);
  } else {
    object->get_accName(Child(child), &text);
  }
  if (text == nullptr) return "(none)";
  char narrow[256] = {};
  WideCharToMultiByte(932, 0, text, -1, narrow, sizeof narrow - 1, nullptr, nullptr);
  SysFreeString(text);
  return narrow;
}
// A number the object answers with through `ask`, -1 for none.
template <typename Ask>
LONG Number(Ask ask) {
  VARIANT value;
  VariantInit(&value);
  return SUCCEEDED(ask(&value)) && value.vt == VT_I4 ? value.lVal : -1;
}
LONG Role(const Accessible& object, LONG child) {
  return Number([&](VARIANT* role) { return object->get_accRole(Child(child), role); });
}
LONG State(const Accessible& object, LONG child) {
  return Number([&](VARIANT* state) { return object->get_accState(Child(child), state); });
}
LONG Navigate(const Accessible& object, long direction, LONG from) {
  return Number([&](VARIANT* end) { return object->accNavigate(direction, Child(from), end); });
}
LONG Day(int day) {
  return CalendarAccessible::ChildOfDay(day);
}

// Focus events of this process, as a reader receives them.
std::vector<LONG> focusedChildren;
HWND watched = nullptr;
void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                           DWORD) {
  if (window == watched && object == OBJID_CLIENT) focusedChildren.push_back(child);
}

}  // namespace

TEST_CASE("the heading, the days with what they show, their neighbours, places and focus") {
  const ComSession com;
  StoreSettings({{"MemoTime", 1}});
  PutMemos("11", DayBit(14), {{"14", "会議"}});
  RunningCalendar calendar;  // Wednesday 12 November 2003
  const HWND handle = calendar.Handle();
  CalendarWindow& window = calendar.Window();
  window.Calendar().ToggleMark(13);  // a Thursday made a day off
  window.Calendar().ToggleMark(16);  // a Sunday made a working day

  const Accessible grid(handle);
  long count = 0;
  CHECK(grid->get_accChildCount(&count) == S_OK);
  CHECK(count == 1 + 30);
  CHECK(Role(grid, CHILDID_SELF) == ROLE_SYSTEM_TABLE);
  CHECK(Role(grid, 1) == ROLE_SYSTEM_STATICTEXT);
  CHECK(Said(grid, 1) == "2003年 11月");
  CHECK(Role(grid, Day(30)) == ROLE_SYSTEM_CELL);
  CHECK(Said(grid, Day(1)) == "2003年11月1日 土曜日");
  CHECK(Said(grid, Day(12), true) == "今日");
  CHECK(Said(grid, Day(3), true) == "祝日 文化の日");
  CHECK(Said(grid, Day(2), true) == "休日");
  CHECK(Said(grid, Day(13), true) == "休日、休日に設定");
  CHECK(Said(grid, Day(16), true) == "平日に設定");
  CHECK(Said(grid, Day(14), true) == "メモ: 会議");
  CHECK(Said(grid, Day(11), true) == "(none)");
  BSTR none = nullptr;
  CHECK(grid->get_accName(Child(Day(31)), &none) == E_INVALIDARG);

  // Neighbours and points lead to the right day.
  CHECK(Navigate(grid, NAVDIR_FIRSTCHILD, CHILDID_SELF) == 1);
  CHECK(Navigate(grid, NAVDIR_LASTCHILD, CHILDID_SELF) == Day(30));
  CHECK(Navigate(grid, NAVDIR_NEXT, 1) == Day(1));
  CHECK(Navigate(grid, NAVDIR_PREVIOUS, Day(14)) == Day(13));
  CHECK(Navigate(grid, NAVDIR_DOWN, Day(3)) == Day(10));
  CHECK(Navigate(grid, NAVDIR_UP, Day(3)) == -1);
  CHECK(Navigate(grid, NAVDIR_NEXT, Day(30)) == -1);

  const auto hitAt = [&](const RECT& cell) {
    return Number([&](VARIANT* hit) {
      return grid->accHitTest((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, hit);
    });
  };
  for (const int day : {1, 30}) {
    CAPTURE(day);
    const RECT cell = OnScreen(handle, DayCell(window, day));
    CHECK(hitAt(cell) == Day(day));
    long left = 0, top = 0, width = 0, height = 0;
    CHECK(grid->accLocation(&left, &top, &width, &height, Child(Day(day))) == S_OK);
    CHECK(RECT{left, top, left + width, top + height} == cell);
  }
  // The cell after the last day is no day.
  RECT after = OnScreen(handle, DayCell(window, 30));
  OffsetRect(&after, after.right - after.left, 0);
  CHECK(hitAt(after) == CHILDID_SELF);

  calendar.TakeKeyboard();
  watched = handle;
  focusedChildren.clear();
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnFocusEvent,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  REQUIRE(hook != nullptr);
  calendar.PressKey(VK_TAB);
  calendar.PressKey(VK_RIGHT);
  PumpMessages();
  UnhookWinEvent(hook);
  CHECK(focusedChildren == std::vector<LONG>{Day(12), Day(13)});
  CHECK(Number([&](VARIANT* focus) { return grid->get_accFocus(focus); }) == Day(13));
  constexpr LONG kChosen = STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
  CHECK((State(grid, Day(13)) & kChosen) == kChosen);
  CHECK((State(grid, Day(12)) & kChosen) == 0);
  calendar.PressKey(VK_ESCAPE);
  CHECK((State(grid, Day(13)) & STATE_SYSTEM_SELECTED) == 0);

  // The buttons, the year field and the chosen day's pop-up have names.
  const auto nameOf = [&](int id) {
    return Said(Accessible(GetDlgItem(handle, id)), CHILDID_SELF);
  };
  CHECK(nameOf(ID_PREV_MONTH) == "前の月");
  CHECK(nameOf(ID_NEXT_MONTH) == "次の月");
  CHECK(nameOf(IDC_YEAR_FIELD) == "年");
  CHECK(nameOf(ID_MODE_BUTTON) == "休日設定ﾓｰﾄﾞ");
  // The padlock reports itself pushed while the mode is on, which the platform's button
  // object turns into the pressed state.
  const auto pushed = [&](int id) {
    return (SendMessageA(GetDlgItem(handle, id), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  };
  CHECK_FALSE(pushed(ID_MODE_BUTTON));
  SendMessageA(handle, WM_COMMAND, ID_MODE_BUTTON, 0);
  CHECK(pushed(ID_MODE_BUTTON));
  SendMessageA(handle, WM_COMMAND, ID_MODE_BUTTON, 0);

  // The chosen day's memo or name pops up at its cell after the delay; a key hides it, and a
  // day with neither shows none.
  calendar.TakeKeyboard();
  for (const UINT key : {VK_TAB, VK_HOME, VK_RIGHT, VK_RIGHT}) calendar.PressKey(key);  // the 3rd
  const MemoWindow& popup = window.MemoPopup();
  CHECK_FALSE(popup.IsShown());
  PumpMessagesFor(400);
  REQUIRE(popup.IsShown());
  CHECK(Said(Accessible(popup.Handle()), CHILDID_SELF) == "文化の日");
  const RECT cell = OnScreen(handle, DayCell(window, 3));
  CHECK(WindowRect(popup.Handle()).left == cell.right);
  CHECK(WindowRect(popup.Handle()).top == cell.bottom);
  calendar.PressKey(VK_RIGHT);
  CHECK_FALSE(popup.IsShown());
  PumpMessagesFor(400);
  CHECK_FALSE(popup.IsShown());

  // The next month: the children follow the shown month.
  SendMessageA(handle, WM_COMMAND, ID_NEXT_MONTH, 0);
  CHECK(grid->get_accChildCount(&count) == S_OK);
  CHECK(count == 1 + 31);
  CHECK(Said(grid, Day(23), true) == "祝日 天皇誕生日");
}
