// Help through the HTML Help control, as the control sees it: a stand-in control registered
// in the test prefix records every call. The help contents and the pop-ups of the settings
// sheet's controls, the help file found in the program's directory, the help key's offer to
// the windows that may know better, and a process in which no control can be loaded at all.
// The loader's state lasts for the whole process, so the cases that load a control run in a
// process of their own.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "CalendarHarness.h"
#include "ChildProcess.h"
#include "SheetScript.h"
#include "help/ContextHelp.h"
#include "help/HelpKey.h"
#include "help/HtmlHelpLoader.h"
#include "res/ResourceIds.h"
#include "tests/wine/standin/HelpControlStandIn.h"

using namespace tembori;
using namespace tembori_test;
using tembori::testing::ThisProgram;

namespace {

constexpr char kControlKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr char kChildVariable[] = "TEMBORI_HELP_TEST_CHILD";

// The stand-in lies beside this test program.
using tembori::testing::ThisDirectory;
const std::string kStandInPath = ThisDirectory() + kStandInFileName;

// Registers `path` as the HTML Help control for the length of a test; what was registered
// before comes back at the end.
class RegisteredControl {
 public:
  explicit RegisteredControl(const std::string& path, DWORD type = REG_SZ) {
    char previous[MAX_PATH] = {};
    DWORD size = sizeof previous;
    hadPrevious_ = RegGetValueA(HKEY_CLASSES_ROOT, kControlKey, nullptr,
                                RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &previousType_,
                                previous, &size) == ERROR_SUCCESS;
    previous_ = previous;
    Register(path, type);
  }
  ~RegisteredControl() {
    if (hadPrevious_) {
      Register(previous_, previousType_);
    } else {
      RegDeleteKeyValueA(HKEY_CLASSES_ROOT, kControlKey, nullptr);
    }
  }
  static void Register(const std::string& path, DWORD type = REG_SZ) {
    REQUIRE(RegSetKeyValueA(HKEY_CLASSES_ROOT, kControlKey, nullptr, type, path.c_str(),
                            static_cast<DWORD>(path.size() + 1)) == ERROR_SUCCESS);
  }

 private:
  bool hadPrevious_ = false;
  DWORD previousType_ = REG_SZ;
  std::string previous_;
};

// The stand-in's path as systems register the control, through an environment variable.
constexpr char kDirectoryVariable[] = "TEMBORI_HELP_TEST_DIRECTORY";
const std::string kStandInExpandable =
    std::string("%") + kDirectoryVariable + "%" + kStandInFileName;

// The stand-in's record, once the help code has loaded it.
class StandIn {
 public:
  StandIn()
      : count_(Export<StandInCallCountFunction>("StandInCallCount")),
        at_(Export<StandInCallAtFunction>("StandInCallAt")),
        reset_(Export<StandInResetFunction>("StandInReset")) {}
  int Count() const { return count_(); }
  const StandInCall& Last() const {
    REQUIRE(count_() > 0);
    return *at_(count_() - 1);
  }
  void Reset() const { reset_(); }

 private:
  template <typename Function>
  static Function Export(const char* name) {
    const HMODULE module = GetModuleHandleA(kStandInPath.c_str());
    REQUIRE(module != nullptr);
    const auto function =
        reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    REQUIRE(static_cast<bool>(function));
    return function;
  }
  const StandInCallCountFunction count_;
  const StandInCallAtFunction at_;
  const StandInResetFunction reset_;
};

// The one call that opens the help contents of `file`: no owner, command 0, data 0.
void CheckContentsCall(const StandIn& standIn, const std::string& file) {
  REQUIRE(standIn.Count() == 1);
  CHECK(standIn.Last().window == nullptr);
  CHECK(std::string(standIn.Last().file) == file);
  CHECK(standIn.Last().command == 0);
  CHECK(standIn.Last().data == 0);
}

// A directory beside the test program, with or without a help file in it.
std::string ProgramDirectory(const char* name, bool withHelpFile) {
  const std::string directory = ThisDirectory() + name + "\\";
  CreateDirectoryA(directory.c_str(), nullptr);
  const std::string helpFile = directory + "tembori.chm";
  if (withHelpFile) {
    std::ofstream(helpFile, std::ios::binary) << "ITSF";
  } else {
    DeleteFileA(helpFile.c_str());
  }
  return directory;
}

DWORD RunAlone(const char* testCase, const char* mode, const std::string& program = ThisProgram()) {
  return testing::RunTestCaseAlone(testCase, kChildVariable, mode, program);
}
bool RunsAs(const char* mode) {
  return testing::RunsAs(kChildVariable, mode);
}

}  // namespace

TEST_CASE("without the help file beside the program its bare name is left to the viewer") {
  HtmlContextHelp help;
  for (const std::string& directory : {ProgramDirectory("help-without-file", false), {}}) {
    help.SetProgramDir(directory);
    CHECK(help.HelpFile() == "tembori.chm");
  }
}

TEST_CASE(
    "the registered path always ends, is expanded when it says so, and one too long is none") {
  RegisteredControl registered(kStandInPath);
  // Other types than REG_EXPAND_SZ are taken as they stand; as plain bytes nothing adds a zero
  // byte on reading.
  const auto store = [](const std::string& bytes, DWORD type = REG_BINARY) {
    REQUIRE(RegSetKeyValueA(HKEY_CLASSES_ROOT, kControlKey, nullptr, type, bytes.data(),
                            static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS);
  };
  char path[kHelpControlPathSize];

  // (The expansion itself is what loads the control for the calendar's help below.)
  store(kStandInExpandable + '\0', REG_SZ);
  REQUIRE(FindHtmlHelpControl(path));
  CHECK(std::string(path) == kStandInExpandable);
  // Short when stored, too long once expanded.
  SetEnvironmentVariableA(kDirectoryVariable, std::string(kHelpControlPathSize, 'a').c_str());
  store(kStandInExpandable + '\0', REG_EXPAND_SZ);
  CHECK_FALSE(FindHtmlHelpControl(path));

  store("C:\\help\\control.ocx");  // without its zero byte
  std::memset(path, 'x', sizeof path);
  REQUIRE(FindHtmlHelpControl(path));
  CHECK(std::string(path) == "C:\\help\\control.ocx");
  store(std::string(kHelpControlPathSize, 'a'));
  CHECK_FALSE(FindHtmlHelpControl(path));
}

namespace {

// Windows that record the help requests offered to them and answer as they are told.
struct HelpKeyRecord {
  std::vector<HWND> asked;
  std::vector<HWND> answering;
  int defaultHelpCommands = 0;
} record;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  if (id == HelpRequestMessage()) {
    record.asked.push_back(window);
    const auto& answering = record.answering;
    return std::find(answering.begin(), answering.end(), window) != answering.end() ? 1 : 0;
  }
  if (id == WM_COMMAND && LOWORD(wParam) == ID_DEFAULT_HELP) {
    ++record.defaultHelpCommands;
    return 0;
  }
  return DefWindowProcA(window, id, wParam, lParam);
}

HWND CreateRecordingWindow(DWORD style, HWND parentOrOwner) {
  static const ATOM windowClass = [] {
    WNDCLASSA description{};
    description.lpfnWndProc = &RecordingProcedure;
    description.hInstance = GetModuleHandleA(nullptr);
    description.lpszClassName = "TemboriHelpKeyTest";
    return RegisterClassA(&description);
  }();
  REQUIRE(windowClass != 0);
  const HWND window = CreateWindowExA(0, "TemboriHelpKeyTest", "", style, 10, 10, 100, 100,
                                      parentOrOwner, nullptr, GetModuleHandleA(nullptr), nullptr);
  REQUIRE(window != nullptr);
  return window;
}

}  // namespace

// (Where nobody answers on the real window, F1 opening the contents is tested below.)
TEST_CASE("the help key is offered along capture, focus and pop-up, and stops where answered") {
  record = HelpKeyRecord{};
  const HWND calendar = CreateRecordingWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
  const HWND field = CreateRecordingWindow(WS_CHILD | WS_VISIBLE, calendar);
  SetForegroundWindow(calendar);
  SetActiveWindow(calendar);

  SUBCASE("the capture's window and its owner first, then the focus's and its parent") {
    const HWND tracker = CreateRecordingWindow(WS_POPUP | WS_VISIBLE, calendar);
    SetFocus(field);
    SetCapture(tracker);
    REQUIRE(GetCapture() == tracker);
    REQUIRE(GetFocus() == field);
    record.answering = {field};
    CHECK(HandleHelpKey(calendar));
    CHECK(record.asked == std::vector<HWND>{tracker, calendar, field});
    ReleaseCapture();
    DestroyWindow(tracker);
  }
  SUBCASE("with neither capture nor focus, the last active pop-up is asked, then its owner") {
    const HWND popup = CreateRecordingWindow(WS_POPUP | WS_VISIBLE, calendar);
    SetActiveWindow(popup);
    REQUIRE(GetLastActivePopup(calendar) == popup);
    SetFocus(nullptr);
    CHECK_FALSE(HandleHelpKey(calendar));
    CHECK(record.asked == std::vector<HWND>{popup, calendar});
    CHECK(record.defaultHelpCommands == 1);
    DestroyWindow(popup);
  }
  DestroyWindow(calendar);
}

TEST_CASE("with no HTML Help control to be found, help stays off for the whole process") {
  if (!RunsAs("no-control")) {
    const testing::WineLoadOrder noWineControl("hhctrl.ocx", "");
    CHECK(RunAlone("with no HTML Help control*", "no-control") == 0);
    return;
  }
  RegisteredControl registered(ThisDirectory() + "no-such-control.ocx");
  HtmlContextHelp help;
  CHECK(CallHtmlHelp(nullptr, "tembori.chm", 0, 0) == nullptr);
  CHECK(GetModuleHandleA("hhctrl.ocx") == nullptr);
  CHECK_FALSE(help.ShowContents());

  // A control that appears later is not looked for again.
  RegisteredControl::Register(kStandInPath);
  CHECK_FALSE(help.ShowContents());
  CHECK_FALSE(help.ShowPopup(GetDesktopWindow()));
  CHECK(GetModuleHandleA(kStandInPath.c_str()) == nullptr);
}

TEST_CASE("without a usable registered path, the control is loaded from the system directory") {
  if (!RunsAs("system-directory")) {
    // A file of the control's name planted beside the program, where a load by the bare name
    // would look first.
    const std::string directory = ProgramDirectory("help-planted", false);
    const std::string program = directory + "test_help.exe";
    REQUIRE(CopyFileA(ThisProgram().c_str(), program.c_str(), FALSE));
    REQUIRE(CopyFileA(kStandInPath.c_str(), (directory + "hhctrl.ocx").c_str(), FALSE));
    const testing::WineLoadOrder fileFirst("hhctrl.ocx", "native,builtin");
    CHECK(RunAlone("without a usable registered path*", "system-directory", program) == 0);
    return;
  }
  RegisteredControl registered(ThisDirectory() + "no-such-control.ocx");
  CHECK(GetModuleHandleA("hhctrl.ocx") == nullptr);
  CallHtmlHelp(nullptr, nullptr, 0x12, 0);  // closes all help windows: there are none
  const HMODULE control = GetModuleHandleA("hhctrl.ocx");
  REQUIRE(control != nullptr);
  char loaded[MAX_PATH] = {}, system[MAX_PATH] = {};
  GetModuleFileNameA(control, loaded, MAX_PATH);
  GetSystemDirectoryA(system, MAX_PATH);
  CHECK(lstrcmpiA(loaded, (std::string(system) + "\\hhctrl.ocx").c_str()) == 0);
  CHECK(GetModuleHandleA((ThisDirectory() + "hhctrl.ocx").c_str()) == nullptr);
}

namespace {

// The program as a user saves it, under the name a browser gives a second download (a copy
// of this test program), with the help file and the HTML Help control in a folder of their own.
std::string UnpackedProgram() {
  const std::string directory = ProgramDirectory("help-program", true);
  const std::string program = directory + "Tembori (1).exe";
  REQUIRE(CopyFileA(ThisProgram().c_str(), program.c_str(), FALSE));
  REQUIRE(CopyFileA(kStandInPath.c_str(), (directory + kStandInFileName).c_str(), FALSE));
  return program;
}

}  // namespace

TEST_CASE(
    "F1 and the menu's help item open the help file beside the program; controls their topics") {
  if (!RunsAs("calendar")) {
    CHECK(RunAlone("F1 and the menu's help item*", "calendar", UnpackedProgram()) == 0);
    return;
  }
  // Registered with a variable, as systems do: loading needs the path expanded.
  SetEnvironmentVariableA(kDirectoryVariable, ThisDirectory().c_str());
  RegisteredControl registered(kStandInExpandable, REG_EXPAND_SZ);
  testing::DeleteProgramKeys();
  testing::RunningCalendar calendar;
  REQUIRE(calendar.Window().ProgramDir() == ThisDirectory());
  const std::string helpFile = ThisDirectory() + "tembori.chm";

  // The key as the keyboard gives it, through the program's loop and its accelerators; no
  // window of the calendar takes the request, so it ends in the application's help entry.
  PostMessageA(calendar.Handle(), WM_KEYDOWN, VK_F1, 1);
  PostMessageA(calendar.Handle(), WM_KEYUP, VK_F1, 0xC0000001);
  calendar.RunProgramLoop();
  const StandIn standIn;
  // Loaded from where the registry says, not by its name from the system.
  CHECK(GetModuleHandleA("hhctrl.ocx") == nullptr);
  CheckContentsCall(standIn, helpFile);

  // "ﾄﾋﾟｯｸの検索(&H)..." of the menu.
  standIn.Reset();
  PostMessageA(calendar.Handle(), WM_COMMAND, MAKEWPARAM(ID_HELP_FINDER, 0), 0);
  calendar.RunProgramLoop();
  CheckContentsCall(standIn, helpFile);

  // Every control of the settings sheet has its topic.
  int controls = 0;
  const auto askEveryControl = [&](HWND sheet) {
    for (int tab = 0; tab < 4; ++tab) {
      CAPTURE(tab);
      testing::ShowTab(sheet, tab);
      for (HWND control = GetWindow(testing::Page(sheet), GW_CHILD); control != nullptr;
           control = GetWindow(control, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(control);
        if (id == -1 || id == 0xFFFF) continue;  // frames and labels that stand for nothing
        CAPTURE(id);
        // The request reaches the help once, from the page itself or through the sheet, as a
        // user's F1 or "?" click would.
        standIn.Reset();
        HELPINFO request{sizeof request, HELPINFO_WINDOW, id, control, 0, {}};
        SendMessageA(control, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
        // (Checked, not required: nothing may be thrown through the sheet's modal loop.)
        CHECK(standIn.Count() == 1);
        if (standIn.Count() == 0) continue;
        CHECK(standIn.Last().window == control);
        CHECK(std::string(standIn.Last().file) == helpFile + "::/tembori_pop_hlp.txt");
        CHECK(standIn.Last().command == 17);
        CHECK(standIn.Last().topic != 0);
        ++controls;
      }
    }
    testing::Press(sheet, IDCANCEL);
    return true;
  };
  testing::PlaySheetScript({askEveryControl},
                           [&] { SendMessageA(calendar.Handle(), WM_COMMAND, ID_PROPERTIES, 0); });
  CHECK(controls > 40);
}
