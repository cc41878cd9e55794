// Memos in the running calendar: typed into the dialog by a double click in the
// holiday-setting mode as a user types them (Delete, OK and Cancel, the line's bound, a save
// that fails) and shown with an asterisk; the pop-up over a resting pointer; the date's change
// noticed by the timer; and each month's own map after navigation.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CalendarHarness.h"
#include "SheetScript.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

constexpr char kMemoCaption[] = "１行ﾒﾓの入力";

// What the user does in each window that comes up, in order: a dialog or message box is
// found by its caption (any caption when null) and handed to its step. A step that opens a
// message box posts its click, so that the next step is tried inside the box's loop.
struct UserStep {
  const char* caption;
  std::function<void(HWND)> act;
};

void Type(HWND dialog, const char* keys) {
  for (const char* key = keys; *key != '\0'; ++key) {
    SendDlgItemMessageA(dialog, IDC_MEMO_TEXT, WM_CHAR, static_cast<unsigned char>(*key), 0);
  }
}
// Pasted text goes in where the caret is, within the line's limit.
void Paste(HWND dialog, const std::string& text) {
  SendDlgItemMessageA(dialog, IDC_MEMO_TEXT, EM_REPLACESEL, TRUE,
                      reinterpret_cast<LPARAM>(text.c_str()));
}

// A double click on the day in the holiday-setting mode, with the user's steps in the windows
// that come up; every step must have been taken.
void EditMemoOf(RunningCalendar& calendar, int day, const std::vector<UserStep>& steps) {
  std::size_t next = 0;
  const LPARAM at = AtCentre(DayCell(calendar.Window(), day));
  DuringModalLoop([&] { SendMessageA(calendar.Handle(), WM_LBUTTONDBLCLK, 0, at); },
                  [&] {
                    const HWND window = FindWindowA("#32770", steps[next].caption);
                    if (window == nullptr || !IsWindowVisible(window)) return false;
                    steps[next++].act(window);
                    return next == steps.size();
                  });
  CHECK(next == steps.size());
  PumpMessages();
}

void SwitchMode(RunningCalendar& calendar) {
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_MODE_BUTTON, 0);
}

// The day's memo as the calendar's store reads it.
std::string StoredMemo(RunningCalendar& calendar, int day) {
  std::string text;
  return calendar.Window().Memos().ReadMemo(day, text) ? text : "(none)";
}

// The ordinary-coloured pixels of a day's cell, as the window paints it: the number, and its
// asterisk when the day has a memo.
int NumberPixels(RunningCalendar& calendar, int day) {
  RedrawWindow(calendar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const Picture picture(calendar.Handle(), kBack);
  return picture.Count(DayCell(calendar.Window(), day), kOrdinary);
}

// The calendar's memo pop-up while the screen shows it.
HWND ShownPopup(RunningCalendar& calendar) {
  const HWND popup = calendar.Window().MemoPopup().Handle();
  return IsWindowVisible(popup) ? popup : nullptr;
}

// The pointer put on the middle of a day's cell, `right` pixels to the right, with the move it
// causes.
void PointAt(RunningCalendar& calendar, int day, int right = 0) {
  const LPARAM at = AtCentre(DayCell(calendar.Window(), day)) + right;
  POINT screen{LOWORD(at), HIWORD(at)};
  ClientToScreen(calendar.Handle(), &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(calendar.Handle(), WM_MOUSEMOVE, 0, at);
}

}  // namespace

TEST_CASE("a memo typed after a double click in the mode: stored, its asterisk shown at once") {
  StoreSettings({});
  RunningCalendar calendar;
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_NEXT_MONTH, 0);  // December 2003
  const int plain = NumberPixels(calendar, 5);
  SwitchMode(calendar);
  bool focusOnLine = false, deleteEnabled = true;
  EditMemoOf(calendar, 5, {{kMemoCaption, [&](HWND dialog) {
                              focusOnLine = GetFocus() == GetDlgItem(dialog, IDC_MEMO_TEXT);
                              Type(dialog, "Memo ");
                              Paste(dialog, "メモ");
                              deleteEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_MEMO_DELETE));
                              Press(dialog, IDOK);
                            }}});
  CHECK(focusOnLine);
  CHECK_FALSE(deleteEnabled);  // only a stored memo can be deleted
  CHECK(StoredMemo(calendar, 5) == "Memo メモ");
  CHECK(NumberPixels(calendar, 5) > plain);

  // Delete empties the line and keeps the dialog open; Cancel then keeps the memo.
  std::string shown, afterDelete;
  bool deleteStaysEnabled = false;
  const auto deleteThen = [&](int button) {
    return UserStep{kMemoCaption, [&, button](HWND dialog) {
                      shown = Text(GetDlgItem(dialog, IDC_MEMO_TEXT));
                      Press(dialog, IDC_MEMO_DELETE);
                      afterDelete = Text(GetDlgItem(dialog, IDC_MEMO_TEXT));
                      deleteStaysEnabled = IsWindowVisible(dialog) &&
                                           IsWindowEnabled(GetDlgItem(dialog, IDC_MEMO_DELETE));
                      Press(dialog, button);
                    }};
  };
  EditMemoOf(calendar, 5, {deleteThen(IDCANCEL)});
  CHECK(shown == "Memo メモ");
  CHECK(afterDelete.empty());
  CHECK(deleteStaysEnabled);
  CHECK(StoredMemo(calendar, 5) == "Memo メモ");

  // OK on the memo as it stands writes it again, also where it has gone from the registry
  // meanwhile.
  EditMemoOf(calendar, 5, {{kMemoCaption, [](HWND dialog) {
                              RegDeleteKeyValueA(HKEY_CURRENT_USER,
                                                 (std::string(kMemoKey) + "\\12").c_str(), "5");
                              Press(dialog, IDOK);
                            }}});
  CHECK(StoredMemo(calendar, 5) == "Memo メモ");

  // Delete, then OK, removes it and its asterisk.
  EditMemoOf(calendar, 5, {deleteThen(IDOK)});
  CHECK(StoredMemo(calendar, 5) == "(none)");
  CHECK(NumberPixels(calendar, 5) == plain);

  // A double click off the days opens nothing and keeps the frame.
  const LONG style = GetWindowLongA(calendar.Handle(), GWL_STYLE);
  SendMessageA(calendar.Handle(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(1, 1));
  CHECK(GetWindowLongA(calendar.Handle(), GWL_STYLE) == style);
}

TEST_CASE("the line takes 64 bytes of whole characters; a line that cannot be saved stays open") {
  StoreSettings({{"MemoFile", 1}});
  RunningCalendar calendar;
  MemoStore& memos = calendar.Window().Memos();
  const std::string file = memos.FileName();
  DeleteFileA(file.c_str());
  SwitchMode(calendar);
  std::string typed, pasted, japanese;
  for (int i = 0; i < 40; ++i) japanese += "あ";
  EditMemoOf(calendar, 1, {{kMemoCaption, [&](HWND dialog) {
                              Type(dialog, std::string(70, 'a').c_str());
                              typed = Text(GetDlgItem(dialog, IDC_MEMO_TEXT));
                              SetDlgItemTextA(dialog, IDC_MEMO_TEXT, "x");
                              SendDlgItemMessageA(dialog, IDC_MEMO_TEXT, EM_SETSEL, 1, 1);
                              Paste(dialog, japanese);  // the 32nd "あ" would end at byte 65
                              pasted = Text(GetDlgItem(dialog, IDC_MEMO_TEXT));
                              Press(dialog, IDOK);
                            }}});
  CHECK(typed == std::string(64, 'a'));
  CHECK(pasted == "x" + japanese.substr(0, 62));
  CHECK(StoredMemo(calendar, 1) == pasted);

  // A memo that cannot be written (its directory is missing) keeps the dialog open with its
  // line under the message; Cancel there returns to the line, Retry tries again.
  const std::string writable = calendar.Window().ProgramDir();
  const std::string missing = writable + "tembori-no-such-directory\\";
  memos.SetProgramDir(missing);
  std::string message, kept;
  HWND messageOwner = nullptr, memoDialog = nullptr;
  const auto answer = [&](int button) {
    return UserStep{nullptr, [&, button](HWND box) {
                      message = Text(GetDlgItem(box, 0xFFFF));
                      messageOwner = GetWindow(box, GW_OWNER);
                      if (button == IDRETRY) memos.SetProgramDir(writable);
                      PostMessageA(box, WM_COMMAND, button, 0);
                    }};
  };
  EditMemoOf(calendar, 2,
             {{kMemoCaption,
               [&](HWND dialog) {
                 memoDialog = dialog;
                 Type(dialog, "kept");
                 PostMessageA(dialog, WM_COMMAND, IDOK, 0);
               }},
              answer(IDCANCEL),
              {kMemoCaption,
               [&](HWND dialog) {
                 kept = Text(GetDlgItem(dialog, IDC_MEMO_TEXT));
                 PostMessageA(dialog, WM_COMMAND, IDOK, 0);
               }},
              answer(IDRETRY)});
  CHECK(message == "メモの書き込みに失敗しました。");
  CHECK(messageOwner == memoDialog);
  CHECK(kept == "kept");
  CHECK(StoredMemo(calendar, 2) == "kept");

  DeleteFileA(file.c_str());
}

TEST_CASE("each month's own memos, and the pop-up over a resting pointer through the timer") {
  StoreSettings({{"MemoTime", 5}});
  PutMemos("11", DayBit(3) | DayBit(20), {{"3", "dentist"}, {"20", "dentist"}});
  RunningCalendar calendar;
  CalendarWindow& window = calendar.Window();
  CHECK(window.MemoPopup().Handle() == nullptr);  // made when first shown
  constexpr DWORD kTwoPeriods = 2 * 500 + 100;

  // A holiday without a memo shows its name; a day with one, its memo.
  PointAt(calendar, 23);
  PumpMessagesFor(kTwoPeriods);
  REQUIRE(ShownPopup(calendar) != nullptr);
  CHECK(window.MemoPopup().Text() == "勤労感謝の日");
  const Picture name(ShownPopup(calendar));
  PointAt(calendar, 20);
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
  PointAt(calendar, 3);
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
  PointAt(calendar, 20);
  PumpMessagesFor(kTwoPeriods);
  REQUIRE(ShownPopup(calendar) != nullptr);
  SendMessageA(calendar.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  CHECK(window.MemoMap() == 0);  // each month shows its own memos
  CHECK(ShownPopup(calendar) == nullptr);
  SendMessageA(calendar.Handle(), WM_COMMAND, ID_THIS_MONTH, 0);

  // Nothing in the holiday-setting mode.
  SwitchMode(calendar);
  PointAt(calendar, 23);
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
  REQUIRE(Text(calendar.Handle()).find("13") == std::string::npos);
  REQUIRE(boxPixels(12) > 0);
  CHECK(boxPixels(13) == 0);

  calendar.Clock().Set(MakeDate(2003, 11, 13));
  // The pointer keeps moving: the timer runs on and its ticks check the date.
  for (int step = 0; step < 6; ++step) {
    PointAt(calendar, 1, step * 3);
    PumpMessagesFor(150);
  }
  CHECK(Text(calendar.Handle()).find("13") != std::string::npos);
  PumpMessages();
  CHECK(boxPixels(13) > 0);
  CHECK(boxPixels(12) == 0);
}
