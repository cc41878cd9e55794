// The window layer: routing tables and the hooks before them, the lifetime of a window
// object, pre-translation in the message loop, modal dialogs with data exchange, face names in
// code page 932 and the system libraries loaded on demand. (A control's own drawing is shown by
// the calendar's buttons.)
#include <doctest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ChildProcess.h"
#include "framework/Application.h"
#include "framework/ColorDialog.h"
#include "framework/Dialog.h"
#include "framework/FontFace.h"
#include "framework/MemoryExhaustion.h"
#include "framework/SystemLibrary.h"
#include "framework/Window.h"
#include "res/ResourceIds.h"

using namespace tembori;

namespace {

constexpr UINT kFirstAndSecond = WM_USER + 1;
constexpr UINT kDeclinedHere = WM_USER + 2;

UINT ProbeMessage() {
  static const UINT id = RegisterWindowMessageA("Tembori.Probe");
  return id;
}
// A registered message that does not exist on this system.
UINT AbsentMessage() {
  return 0;
}

// Commands going on from the main window to the application's table are shown by the
// calendar's own menu commands (the iCalendar test).
struct TestApplication : Application {
  bool InitInstance() override { return true; }
};

// Its table is searched after that of the class derived from it.
struct BaseProbe : Window {
  const RouteTable& Routes() const override {
    static const Route routes[] = {
        RouteMessage<kFirstAndSecond, &BaseProbe::Base>(),
        RouteMessage<kDeclinedHere, &BaseProbe::Base>(),
        RouteCommand<200, &BaseProbe::Command200>(),
    };
    static const RouteTable table(routes, &Window::Routes());
    return table;
  }
  LRESULT Base() { return 33; }
  void Command200() { calls.emplace_back("command 200"); }
  std::vector<std::string> calls;
};

// The ends of the probes' lives, in order.
std::vector<std::string> endings;

struct Probe : BaseProbe {
  explicit Probe(HWND parent = nullptr) {
    // The window procedure, the instance and the name; nothing else.
    static const WNDCLASSA kind{0,  &WindowProcedure, 0, 0, GetModuleHandleA(nullptr), {}, {}, {},
                                {}, "TemboriProbe"};
    static const ATOM windowClass = RegisterClassA(&kind);
    Create(0, MAKEINTATOM(windowClass), "probe", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 100, 100,
           parent, nullptr);
  }
  ~Probe() override { endings.emplace_back("deleted"); }
  bool PreTranslateMessage(MSG& message) override {
    if (message.message != WM_KEYDOWN) return false;
    keysOffered.push_back(message.wParam);
    return message.wParam == 'Q';  // eaten here
  }
  const RouteTable& Routes() const override {
    static const Route routes[] = {
        RouteMessage<WM_CREATE, &Probe::OnCreate>(),
        RouteMessage<kDeclinedHere, &Probe::Decline>(),
        RouteMessage<kFirstAndSecond, &Probe::Decline>(),
        RouteMessage<kFirstAndSecond, &Probe::First>(),
        RouteMessage<kFirstAndSecond, &Probe::Second>(),
        RouteCommand<201, &Probe::Command201>(),
        RouteNotify<NM_CLICK, 201, &Probe::Click201>(),
        RouteRegistered<&AbsentMessage, &Probe::Registered>(),
        RouteRegistered<&ProbeMessage, &Probe::Decline>(),
        RouteRegistered<&ProbeMessage, &Probe::Registered>(),
        RouteMessage<WM_LBUTTONDOWN, &Probe::OnLButtonDown>(),
        RouteMessage<WM_MOUSEWHEEL, &Probe::OnMouseWheel>(),
        RouteMessage<WM_CONTEXTMENU, &Probe::OnContextMenu>(),
        RouteMessage<WM_CAPTURECHANGED, &Probe::OnCaptureChanged>(),
    };
    static const RouteTable table(routes, &BaseProbe::Routes());
    return table;
  }
  bool OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == 201) calls.emplace_back("command hook");
    return BaseProbe::OnCommand(wParam, lParam);
  }
  bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    calls.emplace_back("notify hook");
    return BaseProbe::OnNotify(wParam, lParam, result);
  }
  void PostNcDestroy() override { endings.emplace_back(Handle() ? "bound" : "unbound"); }
  void OnCreate() { calls.emplace_back("create"); }
  LRESULT First() { return 11; }
  LRESULT Second() { return 22; }
  void Command201() { calls.emplace_back("command 201"); }
  LRESULT Click201() { return 5; }
  std::optional<LRESULT> Decline() {
    calls.emplace_back("declined");
    return std::nullopt;
  }
  LRESULT Registered(const Message& message) { return message.wParam + 40; }
  void OnLButtonDown(POINT point, UINT keys) { Cracked(point.x, point.y, keys); }
  void OnMouseWheel(short delta, UINT keys, POINT point) {
    Cracked(delta, static_cast<int>(keys), point.x, point.y);
  }
  void OnContextMenu(HWND window, POINT point) { Cracked(window == Handle(), point.x, point.y); }
  void OnCaptureChanged(HWND taker) { Cracked(taker == Handle()); }
  template <typename... Values>
  void Cracked(Values... values) {
    arguments.emplace_back(std::vector<int>{static_cast<int>(values)...});
  }

  std::vector<WPARAM> keysOffered;
  std::vector<std::vector<int>> arguments;
};

LRESULT Send(const Window& window, UINT id, WPARAM wParam, const void* lParam = nullptr) {
  return SendMessageA(window.Handle(), id, wParam, reinterpret_cast<LPARAM>(lParam));
}

constexpr int kTextId = 500, kNumberId = 501, kFirstRadioId = 502, kByHandId = 510;

// The About box's template with a text, a number and a group of three radio buttons followed
// by one of the next group; the user then types the number given and posts the commands.
// A second group like the first has its buttons set one by one by hand, the third checked.
struct ExchangeDialog : Dialog {
  ExchangeDialog(const char* typedNumber, std::vector<UINT> commands)
      : Dialog(IDD_ABOUT), typedNumber(typedNumber), commands(std::move(commands)) {}

  bool OnInitDialog() override {
    const HWND dialog = Handle();
    const DWORD radio = BS_AUTORADIOBUTTON;
    const DWORD first = radio | WS_GROUP | WS_TABSTOP;
    const DWORD styles[] = {WS_GROUP, WS_GROUP, first, radio, radio, radio | WS_GROUP};
    for (int id = kTextId; id < kFirstRadioId + 4; ++id) {
      CreateWindowExA(0, id < kFirstRadioId ? "EDIT" : "BUTTON", "",
                      WS_CHILD | styles[id - kTextId], 0, 0, 10, 10, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    for (int id = kByHandId; id < kByHandId + 3; ++id) {
      CreateWindowExA(0, "BUTTON", "", WS_CHILD | (id == kByHandId ? first : radio), 0, 0, 10, 10,
                      dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    CheckDlgButton(dialog, kFirstRadioId + 3, BST_CHECKED);
    const bool result = Dialog::OnInitDialog();
    for (int position = 0; position < 3; ++position) CheckItem(kByHandId + position, position == 2);
    for (int position = 0; position < 3; ++position) {
      const HWND loaded = Item(kFirstRadioId + position), byHand = Item(kByHandId + position);
      loadedAsByHand =
          loadedAsByHand &&
          GetWindowLongA(loaded, GWL_STYLE) == GetWindowLongA(byHand, GWL_STYLE) &&
          IsItemChecked(kFirstRadioId + position) == IsItemChecked(kByHandId + position);
    }

    for (int id = kTextId; id < kFirstRadioId + 4; ++id) {
      loaded += id < kFirstRadioId ? ItemText(id) + " " : std::to_string(IsItemChecked(id));
    }
    const HWND owner = GetWindow(dialog, GW_OWNER);
    ownedByDisabledMainWindow =
        owner == Application::Current()->MainWindow()->Handle() && !IsWindowEnabled(owner);
    SetItemText(kTextId, std::string(300, 'x'));
    SetItemText(kNumberId, typedNumber);
    CheckRadioButton(dialog, kFirstRadioId, kFirstRadioId + 2, kFirstRadioId);
    for (const UINT command : commands) PostMessageA(dialog, WM_COMMAND, command, 0);
    return result;
  }
  void ExchangeData(DataExchange& exchange) override {
    exchange.Text(kTextId, text);
    exchange.Number(kNumberId, number);
    exchange.Radio(kFirstRadioId, radio);
  }

  const char* typedNumber;
  std::vector<UINT> commands;
  std::string text = "before";
  int number = -12, radio = 2;
  std::string loaded;          // text, number, then the radio buttons
  bool loadedAsByHand = true;  // the loaded group's styles and checks as the second's
  bool ownedByDisabledMainWindow = false;
};

}  // namespace

TEST_CASE("routing: the first taker of the entries and the base's, hooks and typed arguments") {
  Probe probe;
  REQUIRE(probe.Handle() != nullptr);

  // A menu, an accelerator and a button click give the same command; other codes do not.
  const HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, probe.Handle(),
                                      reinterpret_cast<HMENU>(200), nullptr, nullptr);
  Send(probe, WM_COMMAND, MAKEWPARAM(200, 0));
  Send(probe, WM_COMMAND, MAKEWPARAM(200, 1));
  SendMessageA(button, BM_CLICK, 0, 0);
  Send(probe, WM_COMMAND, MAKEWPARAM(200, EN_CHANGE), button);
  Send(probe, WM_COMMAND, MAKEWPARAM(201, 0));
  NMHDR header{probe.Handle(), 201, static_cast<UINT>(NM_CLICK)};
  CHECK(Send(probe, WM_NOTIFY, 201, &header) == 5);
  header.code = static_cast<UINT>(NM_DBLCLK);
  CHECK(Send(probe, WM_NOTIFY, 201, &header) == 0);
  CHECK(probe.calls == std::vector<std::string>{"create", "command 200", "command 200",
                                                "command 200", "command hook", "command 201",
                                                "notify hook", "notify hook"});

  // Declined messages go on to later entries and the base.
  probe.calls.clear();
  CHECK(Send(probe, kFirstAndSecond, 0) == 11);  // the second entry, after a decline
  CHECK(Send(probe, kDeclinedHere, 0) == 33);    // the base class's entry
  // Registered at run time, in table order; an absent registration matches nothing, not 0.
  CHECK(Send(probe, ProbeMessage(), 2) == 42);
  CHECK(Send(probe, WM_NULL, 2) == 0);
  CHECK(probe.calls == std::vector<std::string>{"declined", "declined", "declined"});

  // Typed arguments keep signed points, deltas and the keyboard's (-1, -1); the timer's are
  // shown by the calendar's pop-up delay.
  Send(probe, WM_LBUTTONDOWN, MK_LBUTTON, reinterpret_cast<void*>(MAKELPARAM(-5, 7)));
  Send(probe, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -240),
       reinterpret_cast<void*>(MAKELPARAM(300, -20)));
  Send(probe, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(probe.Handle()),
       reinterpret_cast<void*>(MAKELPARAM(-1, -1)));
  Send(probe, WM_CAPTURECHANGED, 0, probe.Handle());
  CHECK(probe.arguments ==
        std::vector<std::vector<int>>{
            {-5, 7, MK_LBUTTON}, {-240, MK_CONTROL, 300, -20}, {1, -1, -1}, {1}});
}

TEST_CASE("the main window's object is deleted after its window, and the loop told to end") {
  TestApplication application;
  endings.clear();
  Probe* const probe = Window::OwnedByItsWindow(std::make_unique<Probe>());
  REQUIRE(probe != nullptr);
  const HWND handle = probe->Handle();
  CHECK(Window::FromHandle(handle) == probe);
  application.SetMainWindow(probe);
  DestroyWindow(handle);
  CHECK(endings == std::vector<std::string>{"unbound", "deleted"});
  CHECK(application.MainWindow() == nullptr);
  MSG quit{};
  CHECK(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_CASE("the message loop offers a message to its window first, then to the parents") {
  TestApplication application;
  Probe parentWindow;
  Probe childWindow(parentWindow.Handle());
  PostMessageA(childWindow.Handle(), WM_KEYDOWN, 'Q', 0);
  PostMessageA(childWindow.Handle(), WM_KEYDOWN, 'W', 0);
  PostQuitMessage(7);
  CHECK(application.Run(SW_SHOWNORMAL) == 7);
  CHECK(childWindow.keysOffered == std::vector<WPARAM>{'Q', 'W'});
  CHECK(parentWindow.keysOffered == std::vector<WPARAM>{'W'});
}

TEST_CASE("a modal dialog disables its owner and exchanges data both ways") {
  const struct {
    const char* typedNumber;
    std::vector<UINT> commands;
    INT_PTR result;
    int fieldsSaved;  // in the order of the exchange
  } cases[] = {
      {"-345", {IDOK}, IDOK, 3},
      {"-345", {IDCANCEL}, IDCANCEL, 0},
      // No number: OK leaves the dialog open and stores nothing from that field on.
      {"twelve", {IDOK, IDCANCEL}, IDCANCEL, 1},
  };
  TestApplication application;
  Probe owner;
  application.SetMainWindow(&owner);
  for (const auto& c : cases) {
    CAPTURE(&c - cases);
    ExchangeDialog dialog(c.typedNumber, c.commands);
    CHECK(dialog.RunModal() == c.result);
    CHECK(dialog.ownedByDisabledMainWindow);
    CHECK(IsWindowEnabled(owner.Handle()));
    CHECK(dialog.loaded == "before -12 0011");
    CHECK(dialog.loadedAsByHand);
    CHECK(dialog.text == (c.fieldsSaved >= 1 ? std::string(300, 'x') : "before"));
    CHECK(dialog.number == (c.fieldsSaved >= 2 ? -345 : -12));
    CHECK(dialog.radio == (c.fieldsSaved >= 3 ? 0 : 2));
  }
  application.SetMainWindow(nullptr);
}

TEST_CASE("a face name is cut to the font record's 31 bytes on a whole character") {
  const std::pair<std::string, std::string> cases[] = {
      // 30 single bytes and a double-byte character that would end on byte 32.
      {std::string(30, 'A') + "字" + "B", std::string(30, 'A')},
      {std::string(29, 'A') + "字", std::string(29, 'A') + "字"}};
  for (const auto& [face, kept] : cases) {
    LOGFONTA font{};
    std::memset(font.lfFaceName, 'x', sizeof font.lfFaceName);  // nothing of it may stay
    SetFaceName(font, face);
    CHECK(FaceNameOf(font) == kept);
  }
}

namespace {

std::vector<std::string> missingLibraries;
void RecordMissing(const char* fileName) {
  missingLibraries.emplace_back(fileName);
}

constexpr char kWithoutDialogsVariable[] = "TEMBORI_TEST_WITHOUT_COMMON_DIALOGS";

}  // namespace

TEST_CASE("a system library is loaded when a function is asked for; what is missing is told") {
  missingLibraries.clear();
  SystemLibrary::SetMissingHandler(&RecordMissing);

  SystemLibrary dialogs("comdlg32.dll");
  CHECK_FALSE(dialogs.Loaded());
  const auto lastError = dialogs.Function<DWORD(WINAPI*)()>("CommDlgExtendedError");
  REQUIRE((lastError != nullptr));  // in parentheses: doctest prints no function pointer
  CHECK(dialogs.Loaded());
  CHECK(lastError() == 0);
  CHECK(missingLibraries.empty());

  // A function the library does not have, and a library that is not there at all.
  CHECK((dialogs.Function<DWORD(WINAPI*)()>("TemboriNoSuchFunction") == nullptr));
  SystemLibrary absent("tembori-no-such-library.dll");
  CHECK((absent.Function<DWORD(WINAPI*)()>("CommDlgExtendedError") == nullptr));
  CHECK_FALSE(absent.Loaded());
  CHECK(missingLibraries ==
        std::vector<std::string>{"comdlg32.dll", "tembori-no-such-library.dll"});

  // The program's own directory is not searched: a library there is not taken for the
  // system's.
  const std::string besideProgram = testing::ThisDirectory() + "tembori-beside.dll";
  char system[MAX_PATH] = {};
  REQUIRE(GetSystemDirectoryA(system, MAX_PATH) > 0);
  REQUIRE(
      CopyFileA((std::string(system) + "\\comdlg32.dll").c_str(), besideProgram.c_str(), FALSE));
  SystemLibrary beside("tembori-beside.dll");
  CHECK((beside.Function<DWORD(WINAPI*)()>("CommDlgExtendedError") == nullptr));
  DeleteFileA(besideProgram.c_str());
  SystemLibrary::SetMissingHandler(nullptr);
}

TEST_CASE("without the common dialogs the program runs and the colour dialog says so") {
  if (testing::RunsAs(kWithoutDialogsVariable, "1")) {
    // Nothing the program links loads the library at start.
    CHECK(GetModuleHandleA("comdlg32.dll") == nullptr);
    missingLibraries.clear();
    SystemLibrary::SetMissingHandler(&RecordMissing);
    CHECK_FALSE(ColorDialog::Choose(nullptr, RGB(1, 2, 3)).has_value());
    CHECK(missingLibraries == std::vector<std::string>{"comdlg32.dll"});
    return;
  }
  const testing::WineLoadOrder noDialogs("comdlg32", "");
  CHECK(testing::RunTestCaseAlone("without the common dialogs*", kWithoutDialogsVariable, "1") ==
        0);
}

namespace {

// Runs out of memory in WM_CREATE when told to, and in every kStarve.
constexpr UINT kStarve = WM_USER + 3;
struct Starved : Window {
  explicit Starved(bool inCreate) : inCreate_(inCreate) {
    static const WNDCLASSA kind{0,  &WindowProcedure, 0, 0, GetModuleHandleA(nullptr), {}, {}, {},
                                {}, "TemboriStarved"};
    static const ATOM windowClass = RegisterClassA(&kind);
    Create(0, MAKEINTATOM(windowClass), "starved", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr);
  }
  const RouteTable& Routes() const override {
    static const Route routes[] = {
        RouteMessage<WM_CREATE, &Starved::OnCreate>(),
        RouteMessage<kStarve, &Starved::Starve>(),
    };
    static const RouteTable table(routes, &Window::Routes());
    return table;
  }
  LRESULT OnCreate() {
    if (inCreate_) MemoryExhausted();
    return 0;
  }
  LRESULT Starve() { MemoryExhausted(); }
  const bool inCreate_;
};

constexpr char kEndingVariable[] = "TEMBORI_TEST_MEMORY_EXHAUSTED";
constexpr char kEndingText[] = "メモリが足りないみたいです。";

// Answers the message box the end shows, if it says the prepared text; a wrong box ends the
// process with another status.
DWORD WINAPI AnswerEndingBox(void*) {
  for (int tries = 0; tries < 500; ++tries) {
    if (const HWND box = FindWindowA("#32770", "Tembori")) {
      char text[128] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      if (std::strcmp(text, kEndingText) != 0) ExitProcess(2);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(10);
  }
  ExitProcess(3);
}

}  // namespace

TEST_CASE("out of memory, a message gives up its work; without exceptions the process ends") {
  if (testing::RunsAs(kEndingVariable, "1")) {
    PrepareForMemoryExhaustion("Tembori", kEndingText);
    CloseHandle(CreateThread(nullptr, 0, &AnswerEndingBox, nullptr, 0, nullptr));
    EndForLackOfMemory();
  }
  // No application, no message box: the window procedure gives the message's fallback.
  const auto notCreated = std::make_unique<Starved>(true);
  CHECK(notCreated->Handle() == nullptr);
  const auto created = std::make_unique<Starved>(false);
  REQUIRE(created->Handle() != nullptr);
  CHECK(SendMessageA(created->Handle(), kStarve, 0, 0) == 0);
  CHECK(IsWindow(created->Handle()));
  DestroyWindow(created->Handle());

  CHECK(testing::RunTestCaseAlone("out of memory*", kEndingVariable, "1") ==
        ERROR_NOT_ENOUGH_MEMORY);
}
