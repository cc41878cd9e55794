// iCalendar files under Windows. The system's conversion between the memos' code page 932
// and the UTF-8 of calendar files: there and back unchanged, each character it cannot hold one
// counted "?" (no look-alike); the system's local time of a UTC time. Then memos and holidays out
// and memos in, as a person does it: the context menu's iCalendar submenu chosen by its keys, the
// system's file dialogs, the confirmation with its counts and "上書きする", the holiday export's
// years; a memo file that cannot be written in the middle of an import; and the command-line forms
// with their exit codes, beside a running calendar that shows the imported memos at once.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CalendarHarness.h"
#include "ChildProcess.h"
#include "SheetScript.h"
#include "ical/win32/Cp932Codec.h"
#include "ical/win32/SystemTimeZone.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

// ---- A script of steps played from a timer inside whatever modal loop runs ----

using UserStep = std::function<bool()>;  // false: not yet possible, try again at the next tick
std::deque<UserStep> script;
int idleTicks = 0;

std::string ItemText(HWND dialog, int id) {
  return Text(GetDlgItem(dialog, id));
}

// A dialog of this thread that `wanted` accepts and that takes input (not one under a message
// box).
HWND FindDialog(const std::function<bool(HWND)>& wanted) {
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;) {
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && IsWindowVisible(w) &&
        IsWindowEnabled(w) && wanted(w)) {
      return w;
    }
  }
  return nullptr;
}

// Does `act` on the dialog that `wanted` accepts, then presses its OK.
UserStep OnDialog(const std::function<bool(HWND)>& wanted, const std::function<void(HWND)>& act) {
  return [wanted, act] {
    const HWND dialog = FindDialog(wanted);
    if (dialog == nullptr) return false;
    act(dialog);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
  };
}
// The program's message boxes are captioned "Tembori", their text is item 0xFFFF.
UserStep OnDialog(const std::string& caption, const std::function<void(HWND)>& act) {
  return OnDialog([caption](HWND dialog) { return Text(dialog) == caption; }, act);
}
// The system's file dialogs: the one with a file name field (cmb13 or edt1).
int FileNameField(HWND dialog) {
  return GetDlgItem(dialog, 0x47C) != nullptr   ? 0x47C
         : GetDlgItem(dialog, 0x480) != nullptr ? 0x480
                                                : 0;
}
UserStep ChooseFile(const std::string& path) {
  return OnDialog(
      [](HWND dialog) { return FileNameField(dialog) != 0; },
      [path](HWND dialog) { SetDlgItemTextA(dialog, FileNameField(dialog), path.c_str()); });
}

// A key as the keyboard gives it, once `menus` menus are open (two while the submenu is).
UserStep MenuKey(int menus, char key) {
  return [menus, key] {
    int open = 0;
    for (HWND menu = nullptr;
         (menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr;) {
      open += IsWindowVisible(menu) ? 1 : 0;
    }
    if (open < menus) return false;
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    return true;
  };
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (script.empty()) return;
  if (script.front()()) {
    script.pop_front();
    idleTicks = 0;
  } else if (++idleTicks > 400) {
    // A step that never becomes possible: every menu and dialog of this thread is closed.
    FAIL_CHECK("steps never taken: ", script.size());
    script.clear();
    EndMenu();
    for (int attempt = 0; attempt < 10; ++attempt) {
      if (const HWND dialog = FindDialog([](HWND) { return true; })) {
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      }
    }
  }
}

// Chooses `command` of the context menu's iCalendar submenu by its keys, then takes `steps`
// in the dialogs that follow until every one has been taken.
void ChooseAndPlay(RunningCalendar& calendar, char command, const std::vector<UserStep>& steps) {
  script = {MenuKey(1, 'I'), MenuKey(2, command)};
  script.insert(script.end(), steps.begin(), steps.end());
  idleTicks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, &Tick);
  REQUIRE(timer != 0);
  const HWND handle = calendar.Handle();
  SendMessageA(handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), MAKELPARAM(-1, -1));
  // Not the program's loop, which ends at a quit message posted in advance: a modal dialog
  // opened inside it would end at once.
  while (!script.empty()) PumpMessagesFor(10);
  KillTimer(nullptr, timer);
  PumpMessages();
}

// ---- Files and stores ----

std::string TestDir() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "tembori-ical\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}
std::string ReadAll(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}
// A calendar file of one-day events, each a date and a summary in UTF-8.
void WriteICal(const std::string& path,
               const std::vector<std::pair<const char*, std::string>>& events) {
  std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
  for (const auto& [date, summary] : events) {
    file += "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:" + std::string(date) + "\r\nSUMMARY:" + summary +
            "\r\nEND:VEVENT\r\n";
  }
  std::ofstream(path, std::ios::binary) << file + "END:VCALENDAR\r\n";
}
// The memo of a day of the shown month, as the store has it now.
std::string Memo(RunningCalendar& calendar, int day) {
  std::string text;
  calendar.Window().Memos().ReadMemo(day, text);
  return text;
}
bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST_CASE("code page 932 texts go to UTF-8 and back; a character it cannot hold is a counted ?") {
  const Cp932Codec codec;
  int replaced = 0;
  // Literals here are compiled to code page 932; u8 ones stay UTF-8.
  const std::string memo = "表ソ能 ﾒﾓ ～－∥ a,b;c\\d 日本語";
  CHECK(codec.ToUtf8(memo) == u8"表ソ能 ﾒﾓ ～－∥ a,b;c\\d 日本語");
  CHECK(codec.FromUtf8(codec.ToUtf8(memo), replaced) == memo);
  CHECK(replaced == 0);

  // An emoji (a surrogate pair), an accented letter that a best fit would turn into "e", and
  // a Korean syllable (outside the check, whose text of the expression is compiled to code
  // page 932 too).
  const std::string foreign = u8"🎂 café 한 寿司";
  CHECK(codec.FromUtf8(foreign, replaced) == "? caf? ? 寿司");
  CHECK(replaced == 3);
  CHECK(codec.FromUtf8("", replaced).empty());
  CHECK(codec.ToUtf8("").empty());
}

TEST_CASE("UTC times become the system's local time of their date") {
  const SystemTimeZone zone;
  SYSTEMTIME universal = {2026, 7, 0, 9, 23, 30, 0, 0}, local = {};
  REQUIRE(SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local));
  const ICalDateTime converted = zone.FromUtc({{2026, 7, 9}, 23, 30, 0});
  CHECK(converted.date == ICalDate{local.wYear, local.wMonth, local.wDay});
  CHECK(converted.hour == local.wHour);
  // Before the system's calendar starts, the time stays as it was.
  CHECK(zone.FromUtc({{1500, 1, 1}, 12, 0, 0}).date == ICalDate{1500, 1, 1});
}

TEST_CASE("memos go out and come in by the menu: the counts, 上書きする and the window at once") {
  StoreSettings({});
  PutMemos("12", DayBit(24), {{"24", "ｲﾌﾞ, 表示"}});
  PutMemos("11", DayBit(20), {{"20", "old"}});
  RunningCalendar calendar;
  const std::string out = TestDir() + "out.ics", in = TestDir() + "in.ics";
  DeleteFileA(out.c_str());
  ChooseAndPlay(calendar, 'E', {ChooseFile(out)});
  const std::string file = ReadAll(out);
  CHECK(Contains(file, u8"SUMMARY:ｲﾌﾞ\\, 表示\r\n"));
  CHECK(Contains(file, "RRULE:FREQ=YEARLY\r\n"));

  WriteICal(in, {{"20031120", u8"新しい予定"}, {"20031125", u8"追加🎂"}});
  std::string before, after;
  ChooseAndPlay(calendar, 'R', {ChooseFile(in), OnDialog("ﾒﾓの読み込み", [&](HWND dialog) {
                                  before = ItemText(dialog, IDC_ICAL_COUNTS);
                                  SendMessageA(GetDlgItem(dialog, IDC_ICAL_OVERWRITE), BM_CLICK, 0,
                                               0);
                                  after = ItemText(dialog, IDC_ICAL_COUNTS);
                                })});
  CHECK(Contains(before, "追加するﾒﾓ: 1件\n置き換えるﾒﾓ: 0件\n読み込まない予定: 1件"));
  CHECK(Contains(before, "表せない1文字は「?」になります。"));
  CHECK(Contains(after, "追加するﾒﾓ: 1件\n置き換えるﾒﾓ: 1件\n読み込まない予定: 0件"));
  CHECK(Memo(calendar, 20) == "新しい予定");
  CHECK(Memo(calendar, 25) == "追加?");
  PumpMessages();
  CHECK(calendar.Window().Memos().MemoMap() == (DayBit(20) | DayBit(25)));
}

TEST_CASE("the holiday export asks for its years and refuses a backward range") {
  StoreSettings({});
  RunningCalendar calendar;
  const std::string path = TestDir() + "holidays.ics";
  DeleteFileA(path.c_str());
  std::string first, last, refusal;
  ChooseAndPlay(calendar, 'H',
                {OnDialog("祝日の書き出し",
                          [&](HWND dialog) {
                            first = ItemText(dialog, IDC_ICAL_FIRST_YEAR);
                            last = ItemText(dialog, IDC_ICAL_LAST_YEAR);
                            SetDlgItemTextA(dialog, IDC_ICAL_FIRST_YEAR, "2026");
                            SetDlgItemTextA(dialog, IDC_ICAL_LAST_YEAR, "2025");
                          }),
                 OnDialog("Tembori", [&](HWND box) { refusal = ItemText(box, 0xFFFF); }),
                 OnDialog("祝日の書き出し",
                          [](HWND dialog) {
                            SetDlgItemTextA(dialog, IDC_ICAL_LAST_YEAR, "2026");
                            CheckDlgButton(dialog, IDC_ICAL_DAYS_OFF, BST_CHECKED);
                          }),
                 ChooseFile(path)});
  CHECK(first == "2003");  // the shown year and two more
  CHECK(last == "2005");
  CHECK(Contains(refusal, "1851"));
  const std::string file = ReadAll(path);
  CHECK(Contains(file, "DTSTART;VALUE=DATE:20260320\r\n"));  // the vernal equinox
  CHECK(Contains(file, "DTSTART;VALUE=DATE:20260104\r\n"));  // a Sunday, ticked
  CHECK_FALSE(Contains(file, "DTSTART;VALUE=DATE:20250"));
  CHECK_FALSE(Contains(file, "DTSTART;VALUE=DATE:20270"));
}

TEST_CASE("an import stops at a memo file that cannot be written and says how far it came") {
  StoreSettings({{"MemoFile", 1}});
  // The memo files are beside the program, here the test program.
  const std::string dir = FindProgramDir(), written = dir + "tb2024.mem",
                    blocked = dir + "tb2025.mem";
  DeleteFileA(written.c_str());
  DeleteFileA(blocked.c_str());
  REQUIRE(CreateDirectoryA(blocked.c_str(), nullptr));  // where the file would be
  RunningCalendar calendar;
  const std::string path = TestDir() + "two-years.ics";
  WriteICal(path, {{"20240105", "first"}, {"20250105", "second"}, {"20260105", "third"}});
  std::string message;
  ChooseAndPlay(calendar, 'R',
                {ChooseFile(path), OnDialog("ﾒﾓの読み込み", [](HWND) {}),
                 OnDialog("Tembori", [&](HWND box) { message = ItemText(box, 0xFFFF); })});
  RemoveDirectoryA(blocked.c_str());
  CHECK(message == "ﾒﾓの書き込みに失敗しました。1件を書き込んだところで中止しました。");
  CHECK(Contains(ReadAll(written), "5=first"));
  CHECK(GetFileAttributesA((dir + "tb2026.mem").c_str()) == INVALID_FILE_ATTRIBUTES);
  DeleteFileA(written.c_str());
}

TEST_CASE("the command line exports and imports beside a running calendar") {
  StoreSettings({});
  PutMemos("11", DayBit(1), {{"1", "一日"}});
  RunningCalendar calendar;
  const std::string dir = TestDir();
  std::string program = "Z:" TEMBORI_PROGRAM;
  std::replace(program.begin(), program.end(), '/', '\\');
  const auto run = [&](const std::string& arguments) {
    ChildProcess child(program, arguments);
    REQUIRE(child.Started());
    return child.Finish(30000);
  };

  DeleteFileA((dir + "memos.ics").c_str());
  CHECK(run("/export-memos \"" + dir + "memos.ics\" /quiet") == 0);
  CHECK(Contains(ReadAll(dir + "memos.ics"), u8"SUMMARY:一日\r\n"));
  CHECK(run("/export-holidays 2026 2026 \"" + dir + "h.ics\" /quiet") == 0);
  CHECK(Contains(ReadAll(dir + "h.ics"), "CATEGORIES:HOLIDAY\r\n"));
  CHECK(run("/export-holidays 2026 \"" + dir + "h.ics\" /quiet") == 2);
  CHECK(run("/export-memos \"" + dir + "no such folder\\m.ics\" /quiet") == 1);

  // A damaged file writes nothing; a good one shows in the running calendar at once.
  WriteICal(dir + "bad.ics", {{"20031107", "\x82\xA0"}});  // Shift-JIS, not UTF-8
  CHECK(run("/import-memos \"" + dir + "bad.ics\" /quiet") == 1);
  CHECK(Memo(calendar, 7).empty());
  WriteICal(dir + "good.ics", {{"20031107", u8"七日"}, {"20031101", "x"}});
  CHECK(run("/import-memos \"" + dir + "good.ics\" /quiet") == 0);
  CHECK(Memo(calendar, 7) == "七日");
  CHECK(Memo(calendar, 1) == "一日");  // a day with a memo keeps it
  PumpMessagesFor(200);
  CHECK((calendar.Window().Memos().MemoMap() & DayBit(7)) != 0);

  // Without /quiet a failure is told in a message box (the other process's: this one shows
  // none) before the exit.
  ChildProcess child(program, "/import-memos \"" + dir + "bad.ics\"");
  REQUIRE(child.Started());
  HWND box = nullptr;
  for (int wait = 0; box == nullptr && wait < 400; ++wait) {
    PumpMessagesFor(50);
    box = FindWindowA("#32770", "Tembori");
  }
  REQUIRE(box != nullptr);
  CHECK(Contains(ItemText(box, 0xFFFF), "UTF-8"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  CHECK(child.Finish(10000) == 1);
}
