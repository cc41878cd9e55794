// Memos and holidays out as iCalendar files and memos in, as a person does it: the context
// menu's iCalendar submenu chosen by its keys, the system's file dialogs, the confirmation with
// its counts and "上書きする", the holiday export's years; a memo file that cannot be written
// in the middle of an import; and the command-line forms with their exit codes, beside a
// running calendar that shows the imported memos at once.
#include <doctest.h>
#include <windows.h>

#include <deque>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "CalendarHarness.h"
#include "ChildProcess.h"
#include "memo/MemoStore.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

// ---- A script of steps played from a timer inside whatever modal loop runs ----

using Step = std::function<bool()>;  // false: not yet possible, try again at the next tick
std::deque<Step> script;
bool stepRunning = false;

struct Search {
  std::function<bool(HWND)> wanted;
  HWND found = nullptr;
};
BOOL CALLBACK CheckWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  if (!IsWindowVisible(window) || !search.wanted(window)) return TRUE;
  search.found = window;
  return FALSE;
}
HWND FindThreadWindow(const std::function<bool(HWND)>& wanted) {
  Search search{wanted};
  EnumThreadWindows(GetCurrentThreadId(), &CheckWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
std::string ClassOf(HWND window) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}
std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}
HWND Dialog(const char* caption) {
  return FindThreadWindow(
      [caption](HWND w) { return ClassOf(w) == "#32770" && TextOf(w) == caption; });
}
// The system's file dialog: the one with a file name field.
constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1
HWND FileDialog() {
  return FindThreadWindow([](HWND w) {
    return ClassOf(w) == "#32770" &&
           (GetDlgItem(w, kFileNameCombo) != nullptr || GetDlgItem(w, kFileNameEdit) != nullptr);
  });
}
// The program's message box, captioned with its name; 0xFFFF is its text.
HWND MessageBoxWindow() {
  return Dialog("Tembori");
}
// The menus on the screen: two while the submenu is open.
int VisibleMenus() {
  int count = 0;
  for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu != nullptr;
       menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) {
    if (IsWindowVisible(menu)) ++count;
  }
  return count;
}

int idleTicks = 0;
std::size_t stepsLeftAtGiveUp = 0;

// Every dialog of this thread is cancelled and every menu closed.
void GiveUp() {
  stepsLeftAtGiveUp = script.size();
  script.clear();
  EndMenu();
  for (int attempt = 0; attempt < 10; ++attempt) {
    const HWND dialog = FindThreadWindow([](HWND w) { return ClassOf(w) == "#32770"; });
    if (dialog == nullptr) break;
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }
}

// Also inside the modal loops of menus and dialogs, where the test's own loop waits.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (stepRunning || script.empty()) return;
  stepRunning = true;
  if (script.front()()) {
    script.pop_front();
    idleTicks = 0;
  } else if (++idleTicks > 400) {
    GiveUp();  // a step that never becomes possible
  }
  stepRunning = false;
}

// Runs `start` and then the messages until every step has been taken.
void Play(std::deque<Step> steps, const std::function<void()>& start) {
  script = std::move(steps);
  idleTicks = 0;
  stepsLeftAtGiveUp = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, &Tick);
  REQUIRE(timer != 0);
  start();
  // Not the program's loop, which ends at a quit message posted in advance: a modal dialog
  // opened inside it would end at once.
  while (!script.empty()) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
  KillTimer(nullptr, timer);
  PumpMessages();
  CHECK_MESSAGE(stepsLeftAtGiveUp == 0, "steps never taken: ", stepsLeftAtGiveUp);
}

// A key as the keyboard gives it, to the menu that has taken the keyboard.
void PressKey(char key) {
  keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
}

// The steps that choose a command of the iCalendar submenu by its keys.
std::deque<Step> MenuSteps(char command) {
  return {
      [] {
        if (VisibleMenus() != 1) return false;
        PressKey('I');
        return true;
      },
      [command] {
        if (VisibleMenus() < 2) return false;
        PressKey(command);
        return true;
      },
  };
}
void OpenMenu(RunningCalendar& calendar) {
  const HWND handle = calendar.Handle();
  SendMessageA(handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), MAKELPARAM(-1, -1));
}
Step ChooseFile(const std::string& path) {
  return [path] {
    const HWND dialog = FileDialog();
    if (dialog == nullptr) return false;
    const int field =
        GetDlgItem(dialog, kFileNameCombo) != nullptr ? kFileNameCombo : kFileNameEdit;
    SetDlgItemTextA(dialog, field, path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
  };
}
Step Gone(const std::function<HWND()>& find) {
  return [find] { return find() == nullptr; };
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
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}
void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + events + "END:VCALENDAR\r\n";
}
std::string Event(const char* date, const std::string& summaryUtf8) {
  return "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:" + std::string(date) + "\r\nSUMMARY:" + summaryUtf8 +
         "\r\nEND:VEVENT\r\n";
}
void PutRegistryMemo(int month, int day, const std::string& text) {
  const std::string key = std::string(kMemoKey) + "\\" + std::to_string(month);
  const std::string name = std::to_string(day);
  PutValue(key.c_str(), name.c_str(), REG_SZ, text.c_str(), text.size() + 1);
  const DWORD map = DWORD{1} << (day - 1);
  PutValue(key.c_str(), kMemoMapName, REG_DWORD, &map, sizeof map);
}
std::string RegistryMemo(int month, int day) {
  const std::string key = std::string(kMemoKey) + "\\" + std::to_string(month);
  char text[80] = {};
  DWORD size = sizeof text;
  if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), std::to_string(day).c_str(), RRF_RT_REG_SZ,
                   nullptr, text, &size) != ERROR_SUCCESS) {
    return {};
  }
  return text;
}
bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST_CASE("memos go out through the menu and the save dialog") {
  StoreSettings({});
  PutRegistryMemo(12, 24, "ｲﾌﾞ, 表示");
  RunningCalendar calendar;
  const std::string path = TestDir() + "out.ics";
  DeleteFileA(path.c_str());
  std::deque<Step> steps = MenuSteps('E');
  steps.push_back(ChooseFile(path));
  steps.push_back(Gone(FileDialog));
  Play(steps, [&] { OpenMenu(calendar); });
  const std::string file = ReadAll(path);
  CHECK(Contains(file, "BEGIN:VCALENDAR\r\n"));
  CHECK(Contains(file, u8"SUMMARY:ｲﾌﾞ\\, 表示\r\n"));
  CHECK(Contains(file, "RRULE:FREQ=YEARLY\r\n"));
  CHECK(Contains(file, "UID:yearly-1224.memo@tembori\r\n"));
}

TEST_CASE("an import shows its counts, overwrites when ticked and the window shows it") {
  StoreSettings({});
  PutRegistryMemo(11, 20, "old");
  RunningCalendar calendar;
  const std::string path = TestDir() + "in.ics";
  WriteAll(path, Calendar(Event("20031120", u8"新しい予定") + Event("20031125", u8"追加🎂")));
  std::string before, after;
  std::deque<Step> steps = MenuSteps('R');
  steps.push_back(ChooseFile(path));
  steps.push_back([&] {
    const HWND dialog = Dialog("ﾒﾓの読み込み");
    if (dialog == nullptr) return false;
    before = TextOf(GetDlgItem(dialog, IDC_ICAL_COUNTS));
    SendMessageA(GetDlgItem(dialog, IDC_ICAL_OVERWRITE), BM_CLICK, 0, 0);
    after = TextOf(GetDlgItem(dialog, IDC_ICAL_COUNTS));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
  });
  steps.push_back(Gone([] { return Dialog("ﾒﾓの読み込み"); }));
  CHECK(calendar.Window().Memos().MemoMap() == DayBit(20));
  Play(steps, [&] { OpenMenu(calendar); });
  CHECK(Contains(before, "追加するﾒﾓ: 1件\n置き換えるﾒﾓ: 0件\n読み込まない予定: 1件"));
  CHECK(Contains(before, "表せない1文字は「?」になります。"));
  CHECK(Contains(after, "追加するﾒﾓ: 1件\n置き換えるﾒﾓ: 1件\n読み込まない予定: 0件"));
  CHECK(RegistryMemo(11, 20) == "新しい予定");
  CHECK(RegistryMemo(11, 25) == "追加?");
  PumpMessages();
  CHECK(calendar.Window().Memos().MemoMap() == (DayBit(20) | DayBit(25)));
}

TEST_CASE("the holiday export asks for its years and refuses a backward range") {
  StoreSettings({});
  RunningCalendar calendar;
  const std::string path = TestDir() + "holidays.ics";
  DeleteFileA(path.c_str());
  std::string first, last, refusal;
  std::deque<Step> steps = MenuSteps('H');
  steps.push_back([&] {
    const HWND dialog = Dialog("祝日の書き出し");
    if (dialog == nullptr) return false;
    first = TextOf(GetDlgItem(dialog, IDC_ICAL_FIRST_YEAR));
    last = TextOf(GetDlgItem(dialog, IDC_ICAL_LAST_YEAR));
    SetDlgItemTextA(dialog, IDC_ICAL_FIRST_YEAR, "2026");
    SetDlgItemTextA(dialog, IDC_ICAL_LAST_YEAR, "2025");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
  });
  steps.push_back([&] {
    const HWND box = MessageBoxWindow();
    if (box == nullptr) return false;
    refusal = TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return true;
  });
  steps.push_back([&] {
    const HWND dialog = Dialog("祝日の書き出し");
    if (dialog == nullptr || MessageBoxWindow() != nullptr) return false;
    SetDlgItemTextA(dialog, IDC_ICAL_LAST_YEAR, "2026");
    CheckDlgButton(dialog, IDC_ICAL_DAYS_OFF, BST_CHECKED);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
  });
  steps.push_back(ChooseFile(path));
  steps.push_back(Gone(FileDialog));
  Play(steps, [&] { OpenMenu(calendar); });
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
  const std::string dir = FindProgramDir();
  const std::string file2024 = dir + "tb2024.mem";
  const std::string blocked = dir + "tb2025.mem";
  DeleteFileA(file2024.c_str());
  DeleteFileA(blocked.c_str());
  REQUIRE(CreateDirectoryA(blocked.c_str(), nullptr));  // where the file would be
  RunningCalendar calendar;
  const std::string path = TestDir() + "two-years.ics";
  WriteAll(path, Calendar(Event("20240105", "first") + Event("20250105", "second") +
                          Event("20260105", "third")));
  std::string message;
  std::deque<Step> steps = MenuSteps('R');
  steps.push_back(ChooseFile(path));
  steps.push_back([] {
    const HWND dialog = Dialog("ﾒﾓの読み込み");
    if (dialog == nullptr) return false;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
  });
  steps.push_back([&] {
    const HWND box = MessageBoxWindow();
    if (box == nullptr) return false;
    message = TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return true;
  });
  Play(steps, [&] { OpenMenu(calendar); });
  RemoveDirectoryA(blocked.c_str());
  CHECK(message == "ﾒﾓの書き込みに失敗しました。1件を書き込んだところで中止しました。");
  CHECK(Contains(ReadAll(file2024), "5=first"));
  CHECK(GetFileAttributesA((dir + "tb2026.mem").c_str()) == INVALID_FILE_ATTRIBUTES);
  DeleteFileA(file2024.c_str());
}

TEST_CASE("the command line exports and imports beside a running calendar") {
  StoreSettings({});
  PutRegistryMemo(1, 1, "元日");
  RunningCalendar calendar;
  const std::string dir = TestDir();
  std::string program = TEMBORI_PROGRAM;
  for (char& c : program) c = c == '/' ? '\\' : c;
  program = "Z:" + program;
  const auto run = [&](const std::string& arguments) {
    ChildProcess child(program, arguments);
    REQUIRE(child.Started());
    return child.Finish(30000);
  };

  DeleteFileA((dir + "memos.ics").c_str());
  CHECK(run("/export-memos \"" + dir + "memos.ics\" /quiet") == 0);
  CHECK(Contains(ReadAll(dir + "memos.ics"), u8"SUMMARY:元日\r\n"));
  CHECK(run("/export-holidays 2026 2026 \"" + dir + "h.ics\" /quiet") == 0);
  CHECK(Contains(ReadAll(dir + "h.ics"), "CATEGORIES:HOLIDAY\r\n"));
  CHECK(run("/export-holidays 2026 \"" + dir + "h.ics\" /quiet") == 2);
  CHECK(run("/export-memos \"" + dir + "no such folder\\m.ics\" /quiet") == 1);

  // A damaged file writes nothing; a good one shows in the running calendar at once.
  WriteAll(dir + "bad.ics", Calendar(Event("20031107", "\x82\xA0")));  // Shift-JIS, not UTF-8
  CHECK(run("/import-memos \"" + dir + "bad.ics\" /quiet") == 1);
  CHECK(RegistryMemo(11, 7).empty());
  WriteAll(dir + "good.ics", Calendar(Event("20031107", u8"七日") + Event("20030101", "x")));
  CHECK(run("/import-memos \"" + dir + "good.ics\" /quiet") == 0);
  CHECK(RegistryMemo(11, 7) == "七日");
  CHECK(RegistryMemo(1, 1) == "元日");  // a day with a memo keeps it
  PumpMessagesFor(200);
  CHECK((calendar.Window().Memos().MemoMap() & DayBit(7)) != 0);

  // Without /quiet a failure is told in a message box before the exit.
  ChildProcess child(program, "/import-memos \"" + dir + "bad.ics\"");
  REQUIRE(child.Started());
  const DWORD begin = GetTickCount();
  HWND box = nullptr;
  while (box == nullptr && GetTickCount() - begin < 20000) {
    PumpMessagesFor(50);
    for (HWND w = FindWindowA("#32770", "Tembori"); w != nullptr;
         w = FindWindowExA(nullptr, w, "#32770", "Tembori")) {
      DWORD process = 0;
      GetWindowThreadProcessId(w, &process);
      if (process == GetProcessId(child.Handle())) box = w;
    }
  }
  REQUIRE(box != nullptr);
  CHECK(Contains(TextOf(GetDlgItem(box, 0xFFFF)), "UTF-8"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  CHECK(child.Finish(10000) == 1);
}
