// The window layer: routing tables and the hooks before them, the application's table, the
// lifetime of a window object, child controls, pre-translation in the message loop, modal
// dialogs with data exchange, and texts in code page 932.
#include <doctest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/ChildControl.h"
#include "framework/Dialog.h"
#include "framework/ResourceText.h"
#include "framework/Window.h"
#include "res/ResourceIds.h"
#include "tests/wine/support/WindowTestSupport.h"

using namespace tembori;
using tembori::test::WindowText;

namespace {

constexpr UINT kFirstAndSecond = WM_USER + 1;

class TestApplication : public Application {
 public:
  bool InitInstance() override { return true; }
  int commands = 0;

 protected:
  const RouteTable& Routes() const override {
    static const Route routes[] = {RouteCommand<202, &TestApplication::OnAppCommand>()};
    static const RouteTable table(routes, &Application::Routes());
    return table;
  }

 private:
  void OnAppCommand() { ++commands; }
};

// Its table is searched after that of the class derived from it.
class BaseProbe : public Window {
 public:
  std::vector<std::string> calls;

 protected:
  const RouteTable& Routes() const override {
    static const Route routes[] = {
        RouteMessage<kFirstAndSecond, &BaseProbe::Base>(),
        RouteCommand<200, &BaseProbe::Command200>(),
    };
    static const RouteTable table(routes, &Window::Routes());
    return table;
  }

 private:
  LRESULT Base() { return 33; }
  void Command200() { calls.emplace_back("command 200"); }
};

struct Lifetime {
  bool unboundAtPostNcDestroy = false;
  bool deleted = false;
};

class Probe : public BaseProbe {
 public:
  explicit Probe(HWND parent = nullptr, Lifetime* lifetime = nullptr) : lifetime_(lifetime) {
    static const ATOM windowClass = [] {
      WNDCLASSA description{};
      description.lpfnWndProc = &Window::WindowProcedure;
      description.hInstance = GetModuleHandleA(nullptr);
      description.lpszClassName = "TemboriProbe";
      return RegisterClassA(&description);
    }();
    Create(0, MAKEINTATOM(windowClass), "probe", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 100, 100,
           parent, nullptr);
  }
  ~Probe() override {
    if (lifetime_ != nullptr) lifetime_->deleted = true;
  }

  std::vector<WPARAM> keysOffered;
  bool PreTranslateMessage(MSG& message) override {
    if (message.message != WM_KEYDOWN) return false;
    keysOffered.push_back(message.wParam);
    return message.wParam == 'Q';  // eaten here
  }

 protected:
  const RouteTable& Routes() const override {
    static const Route routes[] = {
        RouteMessage<WM_CREATE, &Probe::OnCreate>(),
        RouteMessage<kFirstAndSecond, &Probe::First>(),
        RouteMessage<kFirstAndSecond, &Probe::Second>(),
        RouteCommand<201, &Probe::Command201>(),
        RouteNotify<NM_CLICK, 201, &Probe::Click201>(),
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
  void PostNcDestroy() override {
    if (lifetime_ != nullptr) lifetime_->unboundAtPostNcDestroy = Handle() == nullptr;
  }

 private:
  void OnCreate() { calls.emplace_back("create"); }
  LRESULT First() { return 11; }
  LRESULT Second() { return 22; }
  void Command201() { calls.emplace_back("command 201"); }
  LRESULT Click201() { return 5; }

  Lifetime* lifetime_;
};

LRESULT Send(const Window& window, UINT id, WPARAM wParam, const void* lParam = nullptr) {
  return SendMessageA(window.Handle(), id, wParam, reinterpret_cast<LPARAM>(lParam));
}

class DrawnButton : public ButtonControl {
 public:
  int times = 0;

 protected:
  void DrawItem(const DRAWITEMSTRUCT&) override { ++times; }
};

constexpr int kTextId = 500, kNumberId = 501, kFirstRadioId = 502;

// The About box's template with a text, a number and a group of three radio buttons followed
// by one of the next group; the user then types the number given and posts the commands.
class ExchangeDialog : public Dialog {
 public:
  ExchangeDialog(const char* typedNumber, std::vector<UINT> commands)
      : Dialog(IDD_ABOUT), typedNumber_(typedNumber), commands_(std::move(commands)) {}

  std::string text = "before";
  int number = -12, radio = 2;
  std::string loaded;  // text, number, then the radio buttons
  bool ownedByDisabledMainWindow = false;

 protected:
  bool OnInitDialog() override {
    const HWND dialog = Handle();
    AddControl("EDIT", WS_GROUP, kTextId);
    AddControl("EDIT", WS_GROUP, kNumberId);
    for (int index = 0; index < 4; ++index) {
      AddControl("BUTTON", BS_AUTORADIOBUTTON | (index % 3 == 0 ? WS_GROUP : 0),
                 kFirstRadioId + index);
    }
    CheckDlgButton(dialog, kFirstRadioId + 3, BST_CHECKED);
    const bool result = Dialog::OnInitDialog();

    loaded = WindowText(GetDlgItem(dialog, kTextId)) + " " +
             WindowText(GetDlgItem(dialog, kNumberId)) + " ";
    for (int id = kFirstRadioId; id <= kFirstRadioId + 3; ++id) {
      loaded += std::to_string(IsDlgButtonChecked(dialog, id));
    }
    const HWND owner = GetWindow(dialog, GW_OWNER);
    ownedByDisabledMainWindow =
        owner == Application::Current()->MainWindow()->Handle() && !IsWindowEnabled(owner);
    SetDlgItemTextA(dialog, kTextId, std::string(300, 'x').c_str());
    SetDlgItemTextA(dialog, kNumberId, typedNumber_);
    CheckRadioButton(dialog, kFirstRadioId, kFirstRadioId + 2, kFirstRadioId);
    for (const UINT command : commands_) PostMessageA(dialog, WM_COMMAND, command, 0);
    return result;
  }
  void ExchangeData(DataExchange& exchange) override {
    exchange.Text(kTextId, text);
    exchange.Number(kNumberId, number);
    exchange.Radio(kFirstRadioId, radio);
  }

 private:
  void AddControl(const char* className, DWORD style, int id) {
    CreateWindowExA(0, className, "", WS_CHILD | style, 0, 0, 10, 10, Handle(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                    nullptr);
  }

  const char* typedNumber_;
  std::vector<UINT> commands_;
};

}  // namespace

TEST_CASE("routing: the first matching entry, commands, notifications, hooks and reflection") {
  Probe probe;
  REQUIRE(probe.Handle() != nullptr);
  CHECK(Send(probe, kFirstAndSecond, 0) == 11);

  // A menu, an accelerator and a button click give the same command; other codes do not.
  Send(probe, WM_COMMAND, MAKEWPARAM(200, 0));
  Send(probe, WM_COMMAND, MAKEWPARAM(200, 1));
  const HWND button =
      CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10, probe.Handle(),
                      reinterpret_cast<HMENU>(200), GetModuleHandleA(nullptr), nullptr);
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

  // The parent hands WM_DRAWITEM on to the object of the control it concerns.
  DrawnButton drawn;
  REQUIRE(drawn.Create(0, "BUTTON", WS_CHILD | BS_OWNERDRAW, RECT{}, probe.Handle(), 105));
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = 105;
  item.hwndItem = drawn.Handle();
  CHECK(Send(probe, WM_DRAWITEM, 105, &item) == TRUE);
  CHECK(Send(probe, WM_DRAWITEM, 0, &item) == FALSE);  // id 0: a menu's item
  CHECK(drawn.times == 1);
}

TEST_CASE("the main window's object: commands on to the application, deleted after its window") {
  TestApplication application;
  Lifetime lifetime;
  Probe* const probe = Window::OwnedByItsWindow(std::make_unique<Probe>(nullptr, &lifetime));
  REQUIRE(probe != nullptr);
  const HWND handle = probe->Handle();
  CHECK(Window::FromHandle(handle) == probe);

  SendMessageA(handle, WM_COMMAND, 202, 0);  // not yet the main window
  CHECK(application.commands == 0);
  application.SetMainWindow(probe);
  SendMessageA(handle, WM_COMMAND, 202, 0);
  CHECK(application.commands == 1);

  DestroyWindow(handle);
  CHECK(lifetime.unboundAtPostNcDestroy);
  CHECK(lifetime.deleted);
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
    INFO(c.typedNumber, ", then ", c.commands.size(), " command(s)");
    ExchangeDialog dialog(c.typedNumber, c.commands);
    CHECK(dialog.RunModal() == c.result);
    CHECK(dialog.ownedByDisabledMainWindow);
    CHECK(IsWindowEnabled(owner.Handle()));
    CHECK(dialog.loaded == "before -12 0011");
    CHECK(dialog.text == (c.fieldsSaved >= 1 ? std::string(300, 'x') : "before"));
    CHECK(dialog.number == (c.fieldsSaved >= 2 ? -345 : -12));
    CHECK(dialog.radio == (c.fieldsSaved >= 3 ? 0 : 2));
  }
  application.SetMainWindow(nullptr);
}

TEST_CASE("texts are Shift-JIS: the system's code page, the literals and the string table") {
  CHECK(GetACP() == 932);
  const char comingOfAgeDay[] = "\x90\xAC\x90\x6C\x82\xCC\x93\xFA";
  CHECK(std::string("成人の日") == comingOfAgeDay);
  CHECK(std::string("ﾒﾓ") == "\xD2\xD3");  // half-width katakana: one byte each
  CHECK(LoadResourceString(IDS_COMING_OF_AGE_DAY) == comingOfAgeDay);
}
