// The memo dialog as its template defines it, driven from a timer as a user would drive it:
// typing, Delete, OK and Cancel, with the memo stored in the real registry or a memo file.
#include <doctest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "calendar/FixedClock.h"
#include "memo/MemoStore.h"
#include "memo/win32/MemoDialog.h"
#include "memo/win32/PrivateProfileFile.h"
#include "res/ResourceIds.h"
#include "settings/win32/RegistryStore.h"

using namespace tembori;

namespace {

constexpr char kMemoRoot[] = "Software\\Tembori\\Memo";
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

// A memo store on the real registry and a memo file directory of its own, showing the month
// of `today`.
struct Memos {
  explicit Memos(SystemTime today) : clock(today) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kMemoRoot);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    store.SetProgramDir(temp);
  }
  ~Memos() { RegDeleteTreeA(HKEY_CURRENT_USER, kMemoRoot); }

  // Runs the edit with the steps; every step must have been taken.
  bool Edit(int day, std::vector<Step> userSteps) {
    steps = std::move(userSteps);
    nextStep = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &TakeNextStep);
    REQUIRE(timer != 0);
    const bool edited = EditMemo(store, day, nullptr);
    KillTimer(nullptr, timer);
    CHECK(nextStep == steps.size());
    return edited;
  }
  std::string Read(int day) {
    std::string text;
    return store.ReadMemo(day, text) ? text : "(none)";
  }

  FixedClock clock;
  RegistryStore registry;
  PrivateProfileFile files;
  Settings settings;
  MonthCalendar calendar{clock, registry, settings};
  MemoStore store{calendar, settings, registry, files};
};

// The template as the resource holds it: a DLGTEMPLATE and its items.
struct TemplateItem {
  DWORD style;
  short x, y, cx, cy;
  WORD id;
  std::wstring className, text;
};
struct DialogTemplate {
  DWORD style;
  short cx, cy;
  std::wstring title, font;
  WORD pointSize;
  std::vector<TemplateItem> items;
};

DialogTemplate ReadTemplate(int id) {
  const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
  REQUIRE(found != nullptr);
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  REQUIRE(data != nullptr);
  const BYTE* p = data;
  const auto word = [&p] {
    WORD value = 0;
    std::memcpy(&value, p, 2);
    p += 2;
    return value;
  };
  const auto dword = [&] { return word() | (static_cast<DWORD>(word()) << 16); };
  // A name or an ordinal (0xFFFF and a number); the standard control classes by name.
  const auto name = [&]() -> std::wstring {
    WORD first = word();
    if (first == 0xFFFF) {
      const WORD ordinal = word();
      const wchar_t* const classes[] = {L"BUTTON", L"EDIT", L"STATIC"};
      return ordinal >= 0x80 && ordinal <= 0x82 ? classes[ordinal - 0x80]
                                                : L"#" + std::to_wstring(ordinal);
    }
    std::wstring text;
    for (; first != 0; first = word()) text += static_cast<wchar_t>(first);
    return text;
  };
  DialogTemplate dialog{};
  dialog.style = dword();
  dword();  // extended style
  const WORD count = word();
  word();
  word();
  dialog.cx = static_cast<short>(word());
  dialog.cy = static_cast<short>(word());
  name();  // menu
  name();  // class
  dialog.title = name();
  if ((dialog.style & DS_SETFONT) != 0) {
    dialog.pointSize = word();
    dialog.font = name();
  }
  for (WORD i = 0; i < count; ++i) {
    p = data + ((p - data + 3) & ~3);
    TemplateItem item{};
    item.style = dword();
    dword();
    item.x = static_cast<short>(word());
    item.y = static_cast<short>(word());
    item.cx = static_cast<short>(word());
    item.cy = static_cast<short>(word());
    item.id = word();
    item.className = name();
    item.text = name();
    p += word();  // creation data
    dialog.items.push_back(item);
  }
  return dialog;
}

}  // namespace

TEST_CASE("the memo dialog's template: caption, font, size, and its controls in tab order") {
  const DialogTemplate dialog = ReadTemplate(IDD_MEMO);
  CHECK(dialog.style == 0x80C800C0);
  CHECK(dialog.cx == 187);
  CHECK(dialog.cy == 69);
  CHECK(dialog.title == L"１行ﾒﾓの入力");
  CHECK(dialog.font == L"ＭＳ Ｐゴシック");
  CHECK(dialog.pointSize == 9);
  const TemplateItem expected[] = {
      {0x50810080, 7, 24, 173, 14, 1051, L"EDIT", L""},
      {0x50010001, 7, 48, 50, 14, 1, L"BUTTON", L"OK"},
      {0x50010000, 57, 48, 50, 14, 2, L"BUTTON", L"ｷｬﾝｾﾙ"},
      {0x50010000, 130, 48, 50, 14, 1050, L"BUTTON", L"削除(&D)"},
      {0x50020000, 7, 6, 66, 14, 1052, L"STATIC", L""},
  };
  REQUIRE(dialog.items.size() == std::size(expected));
  for (std::size_t i = 0; i < dialog.items.size(); ++i) {
    CAPTURE(i);
    const TemplateItem& item = dialog.items[i];
    CHECK(item.style == expected[i].style);
    CHECK(item.x == expected[i].x);
    CHECK(item.y == expected[i].y);
    CHECK(item.cx == expected[i].cx);
    CHECK(item.cy == expected[i].cy);
    CHECK(item.id == expected[i].id);
    CHECK((item.className == expected[i].className));
    CHECK((item.text == expected[i].text));
  }
}

TEST_CASE("a memo typed into the dialog and confirmed is stored, Delete alone deletes nothing") {
  Memos memos(MakeDate(2003, 12, 5));
  bool deleteEnabled = true, deleteEnabledAfterTyping = true, focusOnLine = false;
  std::string label;
  LRESULT limit = 0;
  CHECK(memos.Edit(5, {{kMemoCaption, [&](HWND dialog) {
                          label = ControlText(dialog, IDC_MEMO_DATE);
                          deleteEnabled = Enabled(dialog, IDC_MEMO_DELETE);
                          focusOnLine = GetFocus() == GetDlgItem(dialog, IDC_MEMO_TEXT);
                          limit = SendDlgItemMessageA(dialog, IDC_MEMO_TEXT, EM_GETLIMITTEXT, 0, 0);
                          Type(dialog, "Memo ");
                          Paste(dialog, "メモ");
                          deleteEnabledAfterTyping = Enabled(dialog, IDC_MEMO_DELETE);
                          Click(dialog, IDOK);
                        }}}));
  CHECK(label == "12/5");
  CHECK_FALSE(deleteEnabled);
  CHECK_FALSE(deleteEnabledAfterTyping);
  CHECK(focusOnLine);
  CHECK(limit == 64);
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
  CHECK_FALSE(memos.Edit(5, {{kMemoCaption, deleteThen(IDCANCEL)}}));
  CHECK(shown == "Memo メモ");
  CHECK(afterDelete.empty());
  CHECK(deleteStaysEnabled);
  CHECK(memos.Read(5) == "Memo メモ");
  CHECK(memos.store.MemoMap() == DayBit(5));

  // Delete, then OK, removes it.
  CHECK(memos.Edit(5, {{kMemoCaption, deleteThen(IDOK)}}));
  CHECK(memos.Read(5) == "(none)");
  CHECK(memos.store.MemoMap() == 0);
}

TEST_CASE("the line takes 64 bytes, double-byte characters whole, and the label of 1 January") {
  Memos memos(MakeDate(2004, 1, 1));
  memos.settings.MemoFile = 1;
  std::string label, typed, pasted;
  std::string japanese;
  for (int i = 0; i < 40; ++i) japanese += "あ";
  CHECK(memos.Edit(1, {{kMemoCaption, [&](HWND dialog) {
                          label = ControlText(dialog, IDC_MEMO_DATE);
                          Type(dialog, std::string(70, 'a').c_str());
                          typed = ControlText(dialog, IDC_MEMO_TEXT);
                          SetDlgItemTextA(dialog, IDC_MEMO_TEXT, "x");
                          SendDlgItemMessageA(dialog, IDC_MEMO_TEXT, EM_SETSEL, 1, 1);
                          Paste(dialog, japanese);
                          pasted = ControlText(dialog, IDC_MEMO_TEXT);
                          Click(dialog, IDOK);
                        }}}));
  CHECK(label == "1/1");
  CHECK(typed == std::string(64, 'a'));
  CHECK(pasted == "x" + japanese.substr(0, 62));
  std::string stored;
  REQUIRE(memos.store.BeginEdit(1, stored));
  memos.store.EndEdit();
  CHECK(stored == pasted);
}

TEST_CASE("a memo that cannot be written is reported, and its day shows no memo") {
  Memos memos(MakeDate(2003, 12, 5));
  memos.settings.MemoFile = 1;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  memos.store.SetProgramDir(std::string(temp) + "tembori-no-such-directory\\");
  std::string message;
  CHECK(memos.Edit(5, {{kMemoCaption,
                        [](HWND dialog) {
                          Type(dialog, "lost");
                          Click(dialog, IDOK);
                        }},
                       // Without the application the message box has the system's caption.
                       {nullptr, [&](HWND box) {
                          message = ControlText(box, 0xFFFF);
                          PostMessageA(box, WM_COMMAND, IDOK, 0);
                        }}}));
  CHECK(message == "メモの書き込みに失敗しました。");
  CHECK(memos.store.MemoMap() == 0);
  CHECK(memos.Read(5) == "(none)");
}
