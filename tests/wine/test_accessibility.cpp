// The calendar as a screen reader sees it, in-process: the client area's accessible object
// with the heading and one cell per day, their names, descriptions, roles and states,
// navigation and hit testing, the focus event of the day cursor, and the names of the
// buttons, the year field and the memo pop-up.
#include <doctest.h>
#include <windows.h>
// After windows.h, which they need.
#include <oleacc.h>

#include <cstring>
#include <string>
#include <vector>

#include "CalendarHarness.h"
#include "app/CalendarAccessible.h"
#include "memo/MemoStore.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

struct ComSession {
  ComSession() { CoInitialize(nullptr); }
  ~ComSession() { CoUninitialize(); }
};

// A reference to an accessible object, released at the end.
struct Accessible {
  explicit Accessible(HWND window) {
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(&object));
  }
  ~Accessible() {
    if (object != nullptr) object->Release();
  }
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

std::string Narrowed(BSTR text) {
  if (text == nullptr) return "(none)";
  const int length = WideCharToMultiByte(932, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(932, 0, text, -1, narrow.data(), length, nullptr, nullptr);
  SysFreeString(text);
  narrow.resize(std::strlen(narrow.c_str()));
  return narrow;
}

std::string Name(const Accessible& object, LONG child = CHILDID_SELF) {
  if (object.object == nullptr) return "(no object)";
  BSTR name = nullptr;
  object->get_accName(Child(child), &name);
  return Narrowed(name);
}
std::string Description(const Accessible& object, LONG child) {
  if (object.object == nullptr) return "(no object)";
  BSTR text = nullptr;
  object->get_accDescription(Child(child), &text);
  return Narrowed(text);
}
LONG Value(HRESULT result, const VARIANT& value) {
  return SUCCEEDED(result) && value.vt == VT_I4 ? value.lVal : -1;
}
LONG Role(const Accessible& object, LONG child) {
  if (object.object == nullptr) return -2;
  VARIANT role;
  VariantInit(&role);
  return Value(object->get_accRole(Child(child), &role), role);
}
LONG State(const Accessible& object, LONG child = CHILDID_SELF) {
  if (object.object == nullptr) return -2;
  VARIANT state;
  VariantInit(&state);
  return Value(object->get_accState(Child(child), &state), state);
}
LONG Navigate(const Accessible& object, long direction, LONG from) {
  VARIANT end;
  VariantInit(&end);
  object->accNavigate(direction, Child(from), &end);
  return end.vt == VT_I4 ? end.lVal : -1;
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

void PressKey(RunningCalendar& calendar, UINT key) {
  PostMessageA(calendar.Handle(), WM_KEYDOWN, key, 1);
  PostMessageA(calendar.Handle(), WM_KEYUP, key, 0xC0000001);
  calendar.RunProgramLoop();
}

}  // namespace

TEST_CASE("the client area reads as the heading and one cell per day with what it shows") {
  const ComSession com;
  DeleteProgramKeys();
  StoreSettings({});
  const std::string key = std::string(kMemoKey) + "\\11";
  PutValue(key.c_str(), "14", REG_SZ, "会議", sizeof "会議");
  const DWORD map = DayBit(14);
  PutValue(key.c_str(), "MapOfMemo", REG_DWORD, &map, sizeof map);
  RunningCalendar calendar;  // Wednesday 12 November 2003
  CalendarWindow& window = calendar.Window();
  window.Calendar().ToggleMark(13);  // a Thursday made a day off
  window.Calendar().ToggleMark(16);  // a Sunday made a working day

  const Accessible grid(calendar.Handle());
  REQUIRE(grid.object != nullptr);
  long count = 0;
  CHECK(grid->get_accChildCount(&count) == S_OK);
  CHECK(count == 1 + 30);
  CHECK(Role(grid, CHILDID_SELF) == ROLE_SYSTEM_TABLE);
  CHECK(Role(grid, 1) == ROLE_SYSTEM_STATICTEXT);
  CHECK(Name(grid, 1) == "2003年 11月");
  CHECK(Role(grid, Day(30)) == ROLE_SYSTEM_CELL);
  CHECK(Name(grid, Day(1)) == "2003年11月1日 土曜日");
  CHECK(Name(grid, Day(12)) == "2003年11月12日 水曜日");
  CHECK(Description(grid, Day(12)) == "今日");
  CHECK(Description(grid, Day(3)) == "祝日 文化の日");
  CHECK(Description(grid, Day(2)) == "休日");
  CHECK(Description(grid, Day(13)) == "休日、休日に設定");
  CHECK(Description(grid, Day(16)) == "平日に設定");
  CHECK(Description(grid, Day(14)) == "メモ: 会議");
  CHECK(Description(grid, Day(11)) == "(none)");
  BSTR none = nullptr;
  CHECK(grid->get_accName(Child(Day(31)), &none) == E_INVALIDARG);

  // The next month: the children follow the shown month.
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_NEXT_MONTH, 0);
  CHECK(grid->get_accChildCount(&count) == S_OK);
  CHECK(count == 1 + 31);
  CHECK(Description(grid, Day(23)) == "祝日 天皇誕生日");
}

TEST_CASE("navigation and hit testing lead from a point or a neighbour to the right day") {
  const ComSession com;
  StoreSettings({});
  RunningCalendar calendar;
  CalendarWindow& window = calendar.Window();
  const Accessible grid(calendar.Handle());
  REQUIRE(grid.object != nullptr);
  CHECK(Navigate(grid, NAVDIR_FIRSTCHILD, CHILDID_SELF) == 1);
  CHECK(Navigate(grid, NAVDIR_LASTCHILD, CHILDID_SELF) == Day(30));
  CHECK(Navigate(grid, NAVDIR_NEXT, 1) == Day(1));
  CHECK(Navigate(grid, NAVDIR_PREVIOUS, Day(14)) == Day(13));
  CHECK(Navigate(grid, NAVDIR_DOWN, Day(3)) == Day(10));
  CHECK(Navigate(grid, NAVDIR_UP, Day(3)) == -1);
  CHECK(Navigate(grid, NAVDIR_NEXT, Day(30)) == -1);

  for (const int day : {1, 25, 30}) {
    CAPTURE(day);
    RECT cell = DayCell(window, day);
    MapWindowPoints(calendar.Handle(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
    VARIANT hit;
    VariantInit(&hit);
    CHECK(grid->accHitTest((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, &hit) ==
          S_OK);
    CHECK(hit.vt == VT_I4);
    CHECK(hit.lVal == Day(day));
    long left = 0, top = 0, width = 0, height = 0;
    CHECK(grid->accLocation(&left, &top, &width, &height, Child(Day(day))) == S_OK);
    CHECK(left == cell.left);
    CHECK(top == cell.top);
    CHECK(width == cell.right - cell.left);
    CHECK(height == cell.bottom - cell.top);
  }
  // The cell after the last day is no day.
  RECT after = DayCell(window, 30);
  OffsetRect(&after, after.right - after.left, 0);
  MapWindowPoints(calendar.Handle(), nullptr, reinterpret_cast<POINT*>(&after), 2);
  VARIANT hit;
  VariantInit(&hit);
  grid->accHitTest(after.left + 2, after.top + 2, &hit);
  CHECK(hit.lVal == CHILDID_SELF);
}

TEST_CASE("the chosen day is focused and selected, and each move raises the focus event") {
  const ComSession com;
  StoreSettings({});
  RunningCalendar calendar;
  RECT frame{};
  GetWindowRect(calendar.Handle(), &frame);
  SetCursorPos(frame.right + 60, frame.bottom + 60);
  SetForegroundWindow(calendar.Handle());
  SetFocus(calendar.Handle());
  watched = calendar.Handle();
  focusedChildren.clear();
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnFocusEvent,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  REQUIRE(hook != nullptr);
  const Accessible grid(calendar.Handle());
  REQUIRE(grid.object != nullptr);

  PressKey(calendar, VK_TAB);
  PressKey(calendar, VK_RIGHT);
  PumpMessages();
  UnhookWinEvent(hook);
  CHECK(focusedChildren == std::vector<LONG>{Day(12), Day(13)});
  VARIANT focus;
  VariantInit(&focus);
  CHECK(grid->get_accFocus(&focus) == S_OK);
  CHECK(focus.vt == VT_I4);
  CHECK(focus.lVal == Day(13));
  CHECK((State(grid, Day(13)) & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED)) ==
        (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED));
  CHECK((State(grid, Day(12)) & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED)) == 0);
  PressKey(calendar, VK_ESCAPE);
  CHECK((State(grid, Day(13)) & STATE_SYSTEM_SELECTED) == 0);
}

TEST_CASE("the buttons, the year field and the memo pop-up have names") {
  const ComSession com;
  StoreSettings({});
  {
    RunningCalendar calendar;
    const auto control = [&](int id) { return GetDlgItem(calendar.Handle(), id); };
    CHECK(Name(Accessible(control(ID_PREV_MONTH))) == "前の月");
    CHECK(Name(Accessible(control(ID_NEXT_MONTH))) == "次の月");
    CHECK(Name(Accessible(control(IDC_YEAR_FIELD))) == "年");
    CHECK(Name(Accessible(control(ID_MODE_BUTTON))) == "休日設定ﾓｰﾄﾞ");
    // The padlock reports itself pushed while the mode is on, which the platform's button
    // object turns into the pressed state.
    const auto pushed = [&] {
      return (SendMessageA(control(ID_MODE_BUTTON), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    };
    CHECK_FALSE(pushed());
    SendMessageA(calendar.Handle(), WM_COMMAND, ID_MODE_BUTTON, 0);
    CHECK(pushed());
    CHECK_FALSE((SendMessageA(control(ID_PREV_MONTH), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0);
  }
  // The pop-up of the chosen day, the 3rd.
  StoreSettings({{"MemoTime", 1}});
  RunningCalendar shown;
  RECT frame{};
  GetWindowRect(shown.Handle(), &frame);
  SetCursorPos(frame.right + 60, frame.bottom + 60);
  SetForegroundWindow(shown.Handle());
  SetFocus(shown.Handle());
  for (const UINT key : {VK_TAB, VK_HOME, VK_RIGHT, VK_RIGHT}) PressKey(shown, key);
  PumpMessagesFor(400);
  REQUIRE(shown.Window().MemoPopup().IsShown());
  CHECK(Name(Accessible(shown.Window().MemoPopup().Handle())) == "文化の日");
}
