// Memos in the running calendar: typed into the dialog by a double click in the
// holiday-setting mode and shown with an asterisk, in the registry and in a memo file; the
// pop-up over a resting pointer; the date's change noticed by the timer; and each month's
// own map after navigation.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "CalendarHarness.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

constexpr char kMemoCaption[] = "１行ﾒﾓの入力";
std::function<void(HWND dialog)> memoAnswer;
bool memoDialogSeen = false;

// Answers the dialog and confirms it, once it is up.
void CALLBACK ConfirmMemo(HWND, UINT, UINT_PTR, DWORD) {
  const HWND dialog = FindWindowA("#32770", kMemoCaption);
  if (dialog == nullptr || !IsWindowVisible(dialog) || memoDialogSeen) return;
  memoDialogSeen = true;
  memoAnswer(dialog);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

POINT CellCentre(CalendarWindow& window, int day) {
  const RECT cell = DayCell(window, day);
  return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

// A double click on the day in the holiday-setting mode, with the dialog answered and OK.
void EnterMemo(RunningCalendar& calendar, int day, const std::function<void(HWND)>& answer) {
  memoAnswer = answer;
  memoDialogSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, &ConfirmMemo);
  REQUIRE(timer != 0);
  const POINT at = CellCentre(calendar.Window(), day);
  SendMessageA(calendar.Handle(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(at.x, at.y));
  KillTimer(nullptr, timer);
  CHECK(memoDialogSeen);
  PumpMessages();
}
void EnterMemo(RunningCalendar& calendar, int day, const std::string& text) {
  EnterMemo(calendar, day,
            [&text](HWND dialog) { SetDlgItemTextA(dialog, IDC_MEMO_TEXT, text.c_str()); });
}

void SwitchMode(RunningCalendar& calendar) {
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_MODE_BUTTON, 0);
}

std::string RegistryMemo(const char* month, const char* day) {
  const std::string key = std::string(kMemoKey) + "\\" + month;
  char text[80] = {};
  DWORD size = sizeof text;
  if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), day, RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS) {
    return "(none)";
  }
  return text;
}

DWORD RegistryMap(const char* month) {
  const std::string key = std::string(kMemoKey) + "\\" + month;
  DWORD map = 0, size = sizeof map;
  RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "MapOfMemo", RRF_RT_REG_DWORD, nullptr, &map, &size);
  return map;
}

std::string ProfileText(const std::string& file, const char* section, const char* key) {
  char text[80] = {};
  GetPrivateProfileStringA(section, key, "(none)", text, sizeof text, file.c_str());
  return text;
}

// The ordinary-coloured pixels of a day's cell, as the window paints it: the number, and its
// asterisk when the day has a memo.
int NumberPixels(RunningCalendar& calendar, int day) {
  RedrawWindow(calendar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const Picture picture(calendar.Handle(), kBack);
  return picture.Count(DayCell(calendar.Window(), day), kOrdinary);
}

// The calendar's memo pop-up while it is shown: a visible window the calendar owns.
struct PopupSearch {
  HWND owner;
  HWND found;
};
BOOL CALLBACK CheckPopup(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<PopupSearch*>(data);
  if (GetWindow(window, GW_OWNER) != search.owner || !IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}
HWND ShownPopup(RunningCalendar& calendar) {
  PopupSearch search{calendar.Handle(), nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &CheckPopup, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The pointer put on a client point of the window, with the move it causes.
void PointAt(RunningCalendar& calendar, POINT client) {
  POINT screen = client;
  ClientToScreen(calendar.Handle(), &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(calendar.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

}  // namespace

TEST_CASE("a memo typed after a double click in the mode shows its asterisk at once") {
  SUBCASE("in the registry") {
    StoreSettings({});
    RunningCalendar calendar;
    SendMessageA(calendar.Handle(), WM_COMMAND, ID_NEXT_MONTH, 0);  // December 2003
    const int plain = NumberPixels(calendar, 5);
    SwitchMode(calendar);
    REQUIRE(calendar.Window().HolidayModeOn());
    EnterMemo(calendar, 5, "忘年会");
    EnterMemo(calendar, 1, "one");
    CHECK(NumberPixels(calendar, 5) > plain);
    CHECK(RegistryMemo("12", "5") == "忘年会");
    CHECK(RegistryMap("12") == (DayBit(1) | DayBit(5)));
    // OK on the memo as it stands writes it again, also where it has gone from the registry
    // meanwhile.
    EnterMemo(calendar, 5, [](HWND) {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, (std::string(kMemoKey) + "\\12").c_str(), "5");
    });
    CHECK(RegistryMemo("12", "5") == "忘年会");
    // A double click off the days opens nothing and keeps the frame.
    const LONG style = GetWindowLongA(calendar.Handle(), GWL_STYLE);
    SendMessageA(calendar.Handle(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(1, 1));
    CHECK(GetWindowLongA(calendar.Handle(), GWL_STYLE) == style);
  }
  SUBCASE("in a memo file, its map in ten characters") {
    StoreSettings({{"MemoFile", 1}});
    RunningCalendar calendar;
    SendMessageA(calendar.Handle(), WM_COMMAND, ID_NEXT_MONTH, 0);
    const std::string file = calendar.Window().Memos().FileName();
    DeleteFileA(file.c_str());
    const int plain = NumberPixels(calendar, 5);
    SwitchMode(calendar);
    EnterMemo(calendar, 1, "first");
    EnterMemo(calendar, 3, "third");
    EnterMemo(calendar, 5, "fifth");
    CHECK(NumberPixels(calendar, 5) > plain);
    CHECK(ProfileText(file, "12", "5") == "fifth");
    EnterMemo(calendar, 5, "");  // an empty line deletes the memo
    CHECK(ProfileText(file, "12", "5") == "(none)");
    CHECK(ProfileText(file, "12", "MapOfMemo") == "0500000005");
    CHECK(NumberPixels(calendar, 5) == plain);
    CHECK(RegistryMap("12") == 0);
    DeleteFileA(file.c_str());
  }
}

TEST_CASE("each month's own memos, and the pop-up over a resting pointer through the timer") {
  StoreSettings({{"MemoTime", 5}});
  const struct {
    const char *month, *day, *text;
  } memos[] = {{"11", "20", "dentist"}, {"11", "3", "dentist"}, {"12", "24", "eve"}};
  for (const auto& memo : memos) {
    const std::string key = std::string(kMemoKey) + "\\" + memo.month;
    PutValue(key.c_str(), memo.day, REG_SZ, memo.text, std::strlen(memo.text) + 1);
  }
  const DWORD november = DayBit(3) | DayBit(20), december = DayBit(24);
  PutValue((std::string(kMemoKey) + "\\11").c_str(), "MapOfMemo", REG_DWORD, &november,
           sizeof november);
  PutValue((std::string(kMemoKey) + "\\12").c_str(), "MapOfMemo", REG_DWORD, &december,
           sizeof december);
  RunningCalendar calendar;
  CalendarWindow& window = calendar.Window();
  CHECK(window.MemoPopup().Handle() == nullptr);  // made when first shown
  // Each month shows its own memos after moving there.
  CHECK(window.MemoMap() == november);
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_NEXT_MONTH, 0);
  CHECK(window.MemoMap() == december);
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_THIS_MONTH, 0);
  CHECK(window.MemoMap() == november);
  constexpr DWORD kTwoPeriods = 2 * 500 + 100;

  // A holiday without a memo shows its name; a day with one, its memo.
  PointAt(calendar, CellCentre(window, 23));
  CHECK(window.HoverTimerRunning());
  PumpMessagesFor(kTwoPeriods);
  REQUIRE(ShownPopup(calendar) != nullptr);
  CHECK(window.MemoPopup().Text() == "勤労感謝の日");
  const Picture name(ShownPopup(calendar));
  // A move hides it at the next tick.
  POINT moved = CellCentre(window, 23);
  ++moved.x;
  PointAt(calendar, moved);
  const DWORD start = GetTickCount();
  while (ShownPopup(calendar) != nullptr && GetTickCount() - start < 600) PumpMessagesFor(10);
  CHECK(ShownPopup(calendar) == nullptr);
  PointAt(calendar, CellCentre(window, 20));
  PumpMessagesFor(kTwoPeriods);
  REQUIRE(ShownPopup(calendar) != nullptr);
  CHECK(window.MemoPopup().Text() == "dentist");
  const Picture memo(ShownPopup(calendar));
  // The text in the middle: as much ground left of it as right of it.
  RECT client{};
  GetClientRect(ShownPopup(calendar), &client);
  int left = client.right, right = -1;
  for (int x = 0; x < client.right; ++x) {
    const RECT column{x, 0, x + 1, client.bottom};
    if (memo.Count(column, RGB(255, 255, 192)) == client.bottom) continue;
    left = std::min(left, x);
    right = x;
  }
  REQUIRE(right >= left);
  CHECK(std::abs(left - (client.right - 1 - right)) <= 2);
  // On a holiday with a memo, the memo.
  PointAt(calendar, CellCentre(window, 3));
  PumpMessagesFor(kTwoPeriods);
  REQUIRE(ShownPopup(calendar) != nullptr);
  CHECK(Picture(ShownPopup(calendar)).Part(client) == memo.Part(client));
  CHECK(name.Part(client) != memo.Part(client));
  // A key hides it (until the pointer rests for another period).
  PostMessageA(calendar.Handle(), WM_KEYDOWN, VK_SHIFT, 0);
  PostQuitMessage(0);
  calendar.App().RunMessageLoop();
  CHECK(ShownPopup(calendar) == nullptr);
  // So does a turn of the wheel to another month, at once: it told of a day no longer shown.
  PointAt(calendar, CellCentre(window, 20));
  PumpMessagesFor(kTwoPeriods);
  REQUIRE(ShownPopup(calendar) != nullptr);
  SendMessageA(calendar.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  CHECK(window.MemoMap() != november);
  CHECK(ShownPopup(calendar) == nullptr);
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_THIS_MONTH, 0);

  // Nothing in the holiday-setting mode.
  SwitchMode(calendar);
  PointAt(calendar, CellCentre(window, 23));
  PumpMessagesFor(kTwoPeriods);
  CHECK(ShownPopup(calendar) == nullptr);
  SwitchMode(calendar);

  // Leaving the window stops the timer.
  RECT frame{};
  GetWindowRect(calendar.Handle(), &frame);
  SetCursorPos(frame.right + 40, frame.bottom + 40);
  PumpMessagesFor(kTwoPeriods);
  CHECK_FALSE(window.HoverTimerRunning());
  CHECK(ShownPopup(calendar) == nullptr);
}

TEST_CASE("a new date between two ticks moves the title and the today mark, painted by itself") {
  StoreSettings({{"MemoTime", 1}, {"DispToday", 1}});
  RunningCalendar calendar;
  CalendarWindow& window = calendar.Window();
  // The box as the screen shows it: nothing here asks the window to paint.
  const auto boxPixels = [&](int day) {
    return Picture(calendar.Handle()).Count(BoxSide(DayCell(window, day)), kToday);
  };
  char before[64] = {};
  GetWindowTextA(calendar.Handle(), before, sizeof before);
  REQUIRE(boxPixels(12) > 0);
  CHECK(boxPixels(13) == 0);

  calendar.Clock().Set(MakeDate(2003, 11, 13));
  // The pointer keeps moving: the timer runs on and its ticks check the date.
  for (int step = 0; step < 6; ++step) {
    PointAt(calendar, {CellCentre(window, 1).x + step * 3, CellCentre(window, 1).y});
    PumpMessagesFor(150);
  }
  char after[64] = {};
  GetWindowTextA(calendar.Handle(), after, sizeof after);
  CHECK(std::string(after) != before);
  CHECK(std::string(after).find("13") != std::string::npos);
  PumpMessages();
  CHECK(boxPixels(13) > 0);
  CHECK(boxPixels(12) == 0);
}
