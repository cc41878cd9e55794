// The memo dialog as its template defines it, driven from a timer as a user would drive it:
// typing, Delete, OK and Cancel, with the memo stored in the real registry or a memo file.
#include <doctest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "RealMemos.h"
#include "memo/win32/MemoDialog.h"
#include "res/ResourceIds.h"

using namespace tembori;
using tembori::testing::RealMemos;

namespace {

constexpr char kMemoCaption[] = "１行ﾒﾓの入力";

// What the user does in each window that comes up, in order: a dialog or message box is
// found by its caption (any caption when null) and handed to its step.
struct Step {
  const char* caption;
  std::function<void(HWND)> act;
};
std::vector<Step> steps;
std::size_t nextStep = 0;

void CALLBACK TakeNextStep(HWND, UINT, UINT_PTR, DWORD) {
  if (nextStep >= steps.size()) return;
  const HWND window = FindWindowA("#32770", steps[nextStep].caption);
  if (window == nullptr || !IsWindowVisible(window)) return;
  steps[nextStep++].act(window);
}

void Click(HWND dialog, int id) {
  SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
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
std::string ControlText(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}
bool Enabled(HWND dialog, int id) {
  return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

// Runs the edit of a day's memo with the user's steps; every step must have been taken.
bool Edit(RealMemos& memos, int day, std::vector<Step> userSteps) {
  steps = std::move(userSteps);
  nextStep = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &TakeNextStep);
  REQUIRE(timer != 0);
  const bool edited = EditMemo(memos.store, day, nullptr);
  KillTimer(nullptr, timer);
  CHECK(nextStep == steps.size());
  return edited;
}

}  // namespace

TEST_CASE("a memo typed into the dialog and confirmed is stored, Delete alone deletes nothing") {
  RealMemos memos(MakeDate(2003, 12, 5));
  bool deleteEnabled = true, focusOnLine = false;
  std::string label;
  CHECK(Edit(memos, 5, {{kMemoCaption, [&](HWND dialog) {
                           label = ControlText(dialog, IDC_MEMO_DATE);
                           focusOnLine = GetFocus() == GetDlgItem(dialog, IDC_MEMO_TEXT);
                           Type(dialog, "Memo ");
                           Paste(dialog, "メモ");
                           deleteEnabled = Enabled(dialog, IDC_MEMO_DELETE);
                           Click(dialog, IDOK);
                         }}}));
  CHECK(label == "12/5");
  CHECK_FALSE(deleteEnabled);  // only a stored memo can be deleted
  CHECK(focusOnLine);
  CHECK(memos.Read(5) == "Memo メモ");
  CHECK(memos.store.MemoMap() == DayBit(5));

  // Delete empties the line and keeps the dialog open; Cancel then keeps the memo.
  std::string shown, afterDelete;
  bool deleteStaysEnabled = false;
  const auto deleteThen = [&](int button) {
    return [&, button](HWND dialog) {
      shown = ControlText(dialog, IDC_MEMO_TEXT);
      Click(dialog, IDC_MEMO_DELETE);
      afterDelete = ControlText(dialog, IDC_MEMO_TEXT);
      deleteStaysEnabled = IsWindowVisible(dialog) && Enabled(dialog, IDC_MEMO_DELETE);
      Click(dialog, button);
    };
  };
  CHECK_FALSE(Edit(memos, 5, {{kMemoCaption, deleteThen(IDCANCEL)}}));
  CHECK(shown == "Memo メモ");
  CHECK(afterDelete.empty());
  CHECK(deleteStaysEnabled);
  CHECK(memos.Read(5) == "Memo メモ");
  CHECK(memos.store.MemoMap() == DayBit(5));

  // Delete, then OK, removes it.
  CHECK(Edit(memos, 5, {{kMemoCaption, deleteThen(IDOK)}}));
  CHECK(memos.Read(5) == "(none)");
  CHECK(memos.store.MemoMap() == 0);
}

TEST_CASE(
    "the line takes 64 bytes of whole characters, and a line that cannot be saved stays open") {
  RealMemos memos(MakeDate(2004, 1, 1));
  memos.settings.MemoFile = 1;
  std::string label, typed, pasted, japanese;
  for (int i = 0; i < 40; ++i) japanese += "あ";
  CHECK(Edit(memos, 1, {{kMemoCaption, [&](HWND dialog) {
                           label = ControlText(dialog, IDC_MEMO_DATE);
                           Type(dialog, std::string(70, 'a').c_str());
                           typed = ControlText(dialog, IDC_MEMO_TEXT);
                           SetDlgItemTextA(dialog, IDC_MEMO_TEXT, "x");
                           SendDlgItemMessageA(dialog, IDC_MEMO_TEXT, EM_SETSEL, 1, 1);
                           Paste(dialog, japanese);  // the 32nd "あ" would end at byte 65
                           pasted = ControlText(dialog, IDC_MEMO_TEXT);
                           Click(dialog, IDOK);
                         }}}));
  CHECK(label == "1/1");
  CHECK(typed == std::string(64, 'a'));
  CHECK(pasted == "x" + japanese.substr(0, 62));
  CHECK(memos.Read(1) == pasted);
  CHECK((memos.store.MemoMap() & DayBit(1)) != 0);

  // A memo that cannot be written (its directory is missing) keeps the dialog open with its
  // line under the message; Cancel there returns to the line, Retry tries again.
  const std::string writable = memos.directory;
  const std::string missing = writable + "tembori-no-such-directory\\";
  memos.store.SetProgramDir(missing);
  std::string message, kept;
  HWND messageOwner = nullptr, memoDialog = nullptr;
  // Without the application the message box has the system's caption.
  const auto answer = [&](int button) {
    return [&, button](HWND box) {
      message = ControlText(box, 0xFFFF);
      messageOwner = GetWindow(box, GW_OWNER);
      if (button == IDRETRY) memos.store.SetProgramDir(writable);
      PostMessageA(box, WM_COMMAND, button, 0);
    };
  };
  CHECK(Edit(memos, 2,
             {{kMemoCaption,
               [&](HWND dialog) {
                 memoDialog = dialog;
                 Type(dialog, "kept");
                 Click(dialog, IDOK);
               }},
              {nullptr, answer(IDCANCEL)},
              {kMemoCaption,
               [&](HWND dialog) {
                 kept = ControlText(dialog, IDC_MEMO_TEXT);
                 Click(dialog, IDOK);
               }},
              {nullptr, answer(IDRETRY)}}));
  CHECK(message == "メモの書き込みに失敗しました。");
  CHECK(messageOwner == memoDialog);
  CHECK(kept == "kept");
  CHECK(memos.Read(2) == "kept");
  CHECK((memos.store.MemoMap() & DayBit(2)) != 0);

  // Cancelled after the message, nothing is stored and no mark shows.
  memos.store.SetProgramDir(missing);
  CHECK_FALSE(Edit(memos, 3,
                   {{kMemoCaption,
                     [](HWND dialog) {
                       Type(dialog, "lost");
                       Click(dialog, IDOK);
                     }},
                    {nullptr, answer(IDCANCEL)},
                    {kMemoCaption, [](HWND dialog) { Click(dialog, IDCANCEL); }}}));
  CHECK((memos.store.MemoMap() & DayBit(3)) == 0);
  CHECK(memos.Read(3) == "(none)");
}
