// The window layer: routing order and kinds, declining to default processing, chained
// tables, the main window and the application's table, window lifetime, subclassed controls
// with reflection and pre-translation, modal dialogs with data exchange, and string loading.
#include <doctest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/ChildControl.h"
#include "framework/Dialog.h"
#include "framework/ResourceText.h"
#include "framework/Window.h"
#include "res/ResourceIds.h"

using namespace tembori;

namespace {

constexpr char kProbeClass[] = "TemboriFrameworkProbe";
constexpr UINT kFirstAndSecond = WM_USER + 1;

void RegisterProbeClass() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Window::WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kProbeClass;
  RegisterClassA(&windowClass);
}

class TestApplication : public Application {
 public:
  bool InitInstance() override { return initInstance ? initInstance() : true; }
  std::vector<UINT> commands;
  bool (*initInstance)() = nullptr;

 protected:
  const RouteTable& Routes() const override {
    static const Route routes[] = {RouteCommand<202, &TestApplication::OnAppCommand>()};
    static const RouteTable table(routes, &Application::Routes());
    return table;
  }

 private:
  void OnAppCommand() { commands.push_back(202); }
};

class ProbeWindow : public Window {
 public:
  explicit ProbeWindow(std::vector<std::string>* log = nullptr, bool* destroyed = nullptr,
                       HWND parent = nullptr, bool refuseCreation = false)
      : log_(log), destroyed_(destroyed), refuseCreation_(refuseCreation) {
    RegisterProbeClass();
    Create(0, kProbeClass, "probe", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 100, 100, parent,
           nullptr);
  }
  ~ProbeWindow() override {
    if (destroyed_ != nullptr) *destroyed_ = true;
  }

  std::vector<std::string> calls;
  std::vector<MSG> pretranslated;

  bool PreTranslateMessage(MSG& message) override {
    pretranslated.push_back(message);
    return message.message == WM_KEYDOWN && message.wParam == 'Q';  // eaten here
  }

 protected:
  const RouteTable& Routes() const override {
    static const Route routes[] = {
        RouteMessage<WM_CREATE, &ProbeWindow::OnCreate>(),
        RouteMessage<kFirstAndSecond, &ProbeWindow::First>(),
        RouteMessage<kFirstAndSecond, &ProbeWindow::Second>(),
        RouteCommand<200, &ProbeWindow::OnCommand200>(),
        RouteNotification<EN_KILLFOCUS, 300, &ProbeWindow::OnKillFocus300>(),
        RouteNotify<NM_CLICK, 301, &ProbeWindow::OnClick301>(),
        RouteMessage<WM_GETTEXTLENGTH, &ProbeWindow::MaybeTextLength>(),
        RouteMessage<WM_CHAR, &ProbeWindow::OnChar>(),
    };
    static const RouteTable table(routes, &Window::Routes());
    return table;
  }
  void PostNcDestroy() override {
    if (log_ != nullptr) log_->push_back(Handle() == nullptr ? "post-nc-destroy unbound" : "bound");
  }

  bool declineTextLength_ = true;

 private:
  LRESULT OnCreate() { return refuseCreation_ ? -1 : 0; }
  LRESULT First() {
    calls.emplace_back("first");
    return 11;
  }
  LRESULT Second() {
    calls.emplace_back("second");
    return 22;
  }
  void OnCommand200() { calls.emplace_back("command 200"); }
  void OnKillFocus300() { calls.emplace_back("kill focus 300"); }
  LRESULT OnClick301(const Message& message) {
    calls.emplace_back("click " + std::to_string(reinterpret_cast<NMHDR*>(message.lParam)->idFrom));
    return 5;
  }
  std::optional<LRESULT> MaybeTextLength() {
    if (declineTextLength_) return std::nullopt;
    return 99;
  }
  void OnChar(UINT character) {
    calls.push_back(std::string("char ") + static_cast<char>(character));
  }

  std::vector<std::string>* log_;
  bool* destroyed_;
  bool refuseCreation_;
};

// A class that adds one route of its own in front of its base class's table, and sees
// commands before any table.
class DerivedProbe : public ProbeWindow {
 public:
  DerivedProbe() { declineTextLength_ = false; }

 protected:
  const RouteTable& Routes() const override {
    static const Route routes[] = {RouteMessage<kFirstAndSecond, &DerivedProbe::Override>()};
    static const RouteTable table(routes, &ProbeWindow::Routes());
    return table;
  }
  bool OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) != 201) return ProbeWindow::OnCommand(wParam, lParam);
    calls.emplace_back("hook 201");
    return true;
  }

 private:
  LRESULT Override() {
    calls.emplace_back("override");
    return 33;
  }
};

LRESULT Send(const Window& window, UINT id, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageA(window.Handle(), id, wParam, lParam);
}

}  // namespace

TEST_CASE("routing tables: order, kinds of entries, declining and chaining") {
  ProbeWindow probe;
  REQUIRE(probe.Handle() != nullptr);
  CHECK(Window::FromHandle(probe.Handle()) == &probe);
  CHECK(Window::FromHandle(GetDesktopWindow()) == nullptr);

  SUBCASE("the first matching entry wins") {
    CHECK(Send(probe, kFirstAndSecond) == 11);
    CHECK(probe.calls == std::vector<std::string>{"first"});
  }
  SUBCASE("a command comes from a menu, an accelerator or a button click alike") {
    Send(probe, WM_COMMAND, MAKEWPARAM(200, 0));
    Send(probe, WM_COMMAND, MAKEWPARAM(200, 1));
    const HWND button =
        CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10, probe.Handle(),
                        reinterpret_cast<HMENU>(200), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(button, BM_CLICK, 0, 0);
    // Any other notification of control 200 is no command.
    Send(probe, WM_COMMAND, MAKEWPARAM(200, EN_CHANGE), reinterpret_cast<LPARAM>(button));
    CHECK(probe.calls == std::vector<std::string>(3, "command 200"));
  }
  SUBCASE("control notifications and WM_NOTIFY match identifier and code") {
    Send(probe, WM_COMMAND, MAKEWPARAM(300, EN_KILLFOCUS));
    Send(probe, WM_COMMAND, MAKEWPARAM(300, EN_SETFOCUS));
    Send(probe, WM_COMMAND, MAKEWPARAM(301, EN_KILLFOCUS));
    NMHDR header{probe.Handle(), 301, static_cast<UINT>(NM_CLICK)};
    CHECK(Send(probe, WM_NOTIFY, 301, reinterpret_cast<LPARAM>(&header)) == 5);
    header.code = static_cast<UINT>(NM_DBLCLK);
    CHECK(Send(probe, WM_NOTIFY, 301, reinterpret_cast<LPARAM>(&header)) == 0);
    CHECK(probe.calls == std::vector<std::string>{"kill focus 300", "click 301"});
  }
  SUBCASE("a declined message gets default processing; typed arguments are cracked") {
    CHECK(Send(probe, WM_GETTEXTLENGTH) == 5);  // "probe", from DefWindowProc
    Send(probe, WM_CHAR, 'k');
    CHECK(probe.calls == std::vector<std::string>{"char k"});
  }
  SUBCASE("a derived table comes first, its base's entries still reach their handlers") {
    DerivedProbe derived;
    CHECK(Send(derived, kFirstAndSecond) == 33);
    CHECK(Send(derived, WM_GETTEXTLENGTH) == 99);
    Send(derived, WM_COMMAND, MAKEWPARAM(200, 0));
    Send(derived, WM_COMMAND, MAKEWPARAM(201, 0));
    CHECK(derived.calls == std::vector<std::string>{"override", "command 200", "hook 201"});
  }
}

TEST_CASE("the main window: the application's table and the end of the message loop") {
  TestApplication application;
  std::vector<std::string> log;
  bool destroyed = false;
  ProbeWindow* const probe =
      Window::OwnedByItsWindow(std::make_unique<ProbeWindow>(&log, &destroyed));
  REQUIRE(probe != nullptr);
  const HWND handle = probe->Handle();

  // Only the main window passes commands on to the application.
  SendMessageA(handle, WM_COMMAND, MAKEWPARAM(202, 0), 0);
  CHECK(application.commands.empty());
  application.SetMainWindow(probe);
  SendMessageA(handle, WM_COMMAND, MAKEWPARAM(202, 0), 0);
  SendMessageA(handle, WM_COMMAND, MAKEWPARAM(200, 0), 0);
  CHECK(application.commands == std::vector<UINT>{202});

  DestroyWindow(handle);
  CHECK(destroyed);
  CHECK(log == std::vector<std::string>{"post-nc-destroy unbound"});
  CHECK(application.MainWindow() == nullptr);
  MSG quit{};
  CHECK(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_CASE("a window whose creation fails has no handle and is not kept") {
  bool destroyed = false;
  auto refused = std::make_unique<ProbeWindow>(nullptr, &destroyed, nullptr, true);
  CHECK(refused->Handle() == nullptr);
  CHECK_FALSE(destroyed);  // not while its constructor still runs
  CHECK(Window::OwnedByItsWindow(std::move(refused)) == nullptr);
  CHECK(destroyed);
}

namespace {

class DrawnButton : public ButtonControl {
 public:
  std::vector<UINT> drawn;

 protected:
  void DrawItem(const DRAWITEMSTRUCT& item) override { drawn.push_back(item.CtlID); }
};

class UpperCaseEdit : public EditControl {
 protected:
  const RouteTable& Routes() const override {
    static const Route routes[] = {RouteMessage<WM_CHAR, &UpperCaseEdit::OnChar>()};
    static const RouteTable table(routes, &EditControl::Routes());
    return table;
  }

 private:
  // Lower-case letters are refused; everything else goes on to the edit control.
  std::optional<LRESULT> OnChar(UINT character) {
    if (character >= 'a' && character <= 'z') return 0;
    return std::nullopt;
  }
};

std::string TextOf(HWND window) {
  char buffer[64] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

}  // namespace

TEST_CASE("child controls: subclassing, reflection, detaching and pre-translation") {
  ProbeWindow parent;
  REQUIRE(parent.Handle() != nullptr);

  SUBCASE("an edit control's own table runs before the control") {
    UpperCaseEdit edit;
    REQUIRE(edit.Create(0, "EDIT", WS_CHILD, RECT{0, 0, 50, 20}, parent.Handle(), 400));
    for (const char character : std::string("aBcD1"))
      SendMessageA(edit.Handle(), WM_CHAR, character, 0);
    CHECK(TextOf(edit.Handle()) == "BD1");
  }
  SUBCASE("the parent passes WM_DRAWITEM on to the button it concerns") {
    DrawnButton button;
    REQUIRE(button.Create(0, "BUTTON", WS_CHILD | BS_OWNERDRAW, RECT{0, 0, 20, 20}, parent.Handle(),
                          105));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 105;
    item.hwndItem = button.Handle();
    CHECK(Send(parent, WM_DRAWITEM, 105, reinterpret_cast<LPARAM>(&item)) == TRUE);
    // A menu's item (control id 0) is not a child's.
    CHECK(Send(parent, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)) == FALSE);
    CHECK(button.drawn == std::vector<UINT>{105});
  }
  SUBCASE("a detached control is back with its own procedure") {
    const HWND control = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, parent.Handle(),
                                         nullptr, GetModuleHandleA(nullptr), nullptr);
    const LONG_PTR original = GetWindowLongPtrA(control, GWLP_WNDPROC);
    UpperCaseEdit edit;
    edit.Attach(control);
    CHECK(GetWindowLongPtrA(control, GWLP_WNDPROC) != original);
    edit.Detach();
    CHECK(GetWindowLongPtrA(control, GWLP_WNDPROC) == original);
    CHECK(Window::FromHandle(control) == nullptr);
    SendMessageA(control, WM_CHAR, 'a', 0);
    CHECK(TextOf(control) == "a");
  }
  SUBCASE("a control object that goes first takes its window with it") {
    HWND control = nullptr;
    {
      UpperCaseEdit edit;
      edit.Create(0, "EDIT", WS_CHILD, RECT{0, 0, 50, 20}, parent.Handle(), 401);
      control = edit.Handle();
    }
    CHECK_FALSE(IsWindow(control));
  }
}

TEST_CASE("the message loop offers a message to the target window, then to its parents") {
  static ProbeWindow* child = nullptr;
  TestApplication application;
  application.initInstance = [] {
    PostMessageA(child->Handle(), WM_KEYDOWN, 'Q', 0);
    PostMessageA(child->Handle(), WM_KEYDOWN, 'W', 0);
    PostQuitMessage(7);
    return true;
  };
  ProbeWindow parentWindow;
  ProbeWindow childWindow(nullptr, nullptr, parentWindow.Handle());
  child = &childWindow;

  CHECK(application.Run(SW_SHOWNORMAL) == 7);
  CHECK(application.ShowCommand() == SW_SHOWNORMAL);
  // Q is eaten by the child's hook and never reaches the parent's; W goes on to both.
  const auto keys = [](const std::vector<MSG>& messages) {
    std::vector<WPARAM> pressed;
    for (const MSG& message : messages) {
      if (message.message == WM_KEYDOWN) pressed.push_back(message.wParam);
    }
    return pressed;
  };
  CHECK(keys(childWindow.pretranslated) == std::vector<WPARAM>{'Q', 'W'});
  CHECK(keys(parentWindow.pretranslated) == std::vector<WPARAM>{'W'});
  CHECK(parentWindow.pretranslated[0].hwnd == childWindow.Handle());
}

namespace {

constexpr int kTextId = 500, kNumberId = 501, kCheckId = 502, kFirstRadioId = 503;

// Dialog 100 with a few more controls, created before the base class loads them.
class ExchangeDialog : public Dialog {
 public:
  ExchangeDialog() : Dialog(IDD_ABOUT) {}

  std::string text = "before";
  int number = -12;
  int check = 1;
  int radio = 2;
  std::vector<UINT> toPost;  // commands posted to the dialog once it runs
  std::string loadedText, loadedNumber;
  UINT loadedCheck = 0;
  std::vector<LRESULT> loadedRadio;
  bool ownerDisabled = false;

 protected:
  bool OnInitDialog() override {
    const HWND dialog = Handle();
    AddControl("EDIT", WS_GROUP, kTextId);
    AddControl("EDIT", WS_GROUP, kNumberId);
    AddControl("BUTTON", BS_AUTOCHECKBOX | WS_GROUP, kCheckId);
    for (int index = 0; index < 3; ++index) {
      AddControl("BUTTON", BS_AUTORADIOBUTTON | (index == 0 ? WS_GROUP : 0), kFirstRadioId + index);
    }
    AddControl("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, kFirstRadioId + 3);  // the next group
    SendDlgItemMessageA(dialog, kFirstRadioId + 3, BM_SETCHECK, BST_CHECKED, 0);
    const bool result = Dialog::OnInitDialog();

    loadedText = TextOf(GetDlgItem(dialog, kTextId));
    loadedNumber = TextOf(GetDlgItem(dialog, kNumberId));
    loadedCheck = IsDlgButtonChecked(dialog, kCheckId);
    for (int index = 0; index < 4; ++index) {
      loadedRadio.push_back(SendDlgItemMessageA(dialog, kFirstRadioId + index, BM_GETCHECK, 0, 0));
    }
    ownerDisabled = !IsWindowEnabled(GetWindow(dialog, GW_OWNER));

    // What the user then types and ticks.
    SetDlgItemTextA(dialog, kTextId, std::string(300, 'x').c_str());
    SetDlgItemTextA(dialog, kNumberId, numberTyped);
    CheckDlgButton(dialog, kCheckId, BST_UNCHECKED);
    CheckRadioButton(dialog, kFirstRadioId, kFirstRadioId + 2, kFirstRadioId);
    for (const UINT command : toPost) PostMessageA(dialog, WM_COMMAND, command, 0);
    return result;
  }
  void ExchangeData(DataExchange& exchange) override {
    exchange.Text(kTextId, text);
    exchange.Number(kNumberId, number);
    exchange.Check(kCheckId, check);
    exchange.Radio(kFirstRadioId, radio);
  }

 public:
  const char* numberTyped = "-345";

 private:
  void AddControl(const char* className, DWORD style, int id) {
    CreateWindowExA(0, className, "", WS_CHILD | style, 0, 0, 10, 10, Handle(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                    nullptr);
  }
};

}  // namespace

TEST_CASE("modal dialogs exchange data both ways") {
  TestApplication application;
  ProbeWindow owner;
  application.SetMainWindow(&owner);
  ExchangeDialog dialog;

  SUBCASE("loading puts the members into the controls, OK stores the controls") {
    dialog.toPost = {IDOK};
    CHECK(dialog.RunModal() == IDOK);
    CHECK(dialog.ownerDisabled);
    CHECK(IsWindowEnabled(owner.Handle()));
    CHECK(dialog.loadedText == "before");
    CHECK(dialog.loadedNumber == "-12");
    CHECK(dialog.loadedCheck == BST_CHECKED);
    CHECK(dialog.loadedRadio ==
          std::vector<LRESULT>{BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED, BST_CHECKED});
    CHECK(dialog.text == std::string(300, 'x'));
    CHECK(dialog.number == -345);
    CHECK(dialog.check == 0);
    CHECK(dialog.radio == 0);
  }
  SUBCASE("Cancel keeps the members") {
    dialog.toPost = {IDCANCEL};
    CHECK(dialog.RunModal() == IDCANCEL);
    CHECK(dialog.text == "before");
    CHECK(dialog.radio == 2);
  }
  SUBCASE("OK with a field that holds no number stays open and stores nothing after it") {
    dialog.numberTyped = "twelve";
    dialog.toPost = {IDOK, IDCANCEL};
    CHECK(dialog.RunModal() == IDCANCEL);
    CHECK(dialog.number == -12);
    CHECK(dialog.check == 1);
  }
  application.SetMainWindow(nullptr);
}

TEST_CASE("texts come whole out of the string table") {
  CHECK(LoadResourceString(IDS_APP_NAME) == "Tembori");
  char buffer[256] = {};
  const int length =
      LoadStringA(GetModuleHandleA(nullptr), IDS_REGISTRY_WRITE_FAILED, buffer, sizeof buffer);
  CHECK(LoadResourceString(IDS_REGISTRY_WRITE_FAILED) == std::string(buffer, length));
  CHECK(LoadResourceString(1).empty());
}
