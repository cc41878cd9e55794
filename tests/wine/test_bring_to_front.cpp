// Bringing the calendar to the front: a second start of the real program hands over to the
// running one (restored from minimised or hidden, or its open dialog brought back) and ends;
// a tray click does the same for the calendar, or for a dialog it has open, and opens nothing
// else then.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "CalendarHarness.h"
#include "ChildProcess.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"
#include "settings/Settings.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

// The program as built, seen through Wine's drive for the root directory.
std::string ProgramPath() {
  std::string path = std::string("Z:") + TEMBORI_PROGRAM;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// The calendar's window, of the class named after the program.
HWND ProgramWindow() {
  return FindWindowA(LoadResourceString(IDS_APP_NAME).c_str(), nullptr);
}

HWND WaitForCalendar() {
  for (int attempt = 0; attempt < 200; ++attempt, Sleep(100)) {
    if (IsWindowVisible(ProgramWindow())) return ProgramWindow();
  }
  return nullptr;
}

// An enabled, visible pop-up that `owner` waits for.
HWND WaitForDialogOf(HWND owner) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const HWND popup = GetLastActivePopup(owner);
    if (popup != owner && IsWindowVisible(popup) && !IsWindowEnabled(owner)) return popup;
    Sleep(100);
  }
  return nullptr;
}

// A window of this process in front, so that the program has to take the front back.
struct OtherWindow {
  OtherWindow()
      : handle(CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr,
                               nullptr, nullptr, nullptr)) {
    SetForegroundWindow(handle);
    PumpMessages();
  }
  ~OtherWindow() { DestroyWindow(handle); }
  HWND handle;
};

// Starts the program a second time; true when it ended by itself.
bool SecondStartEnds() {
  ChildProcess second(ProgramPath(), "");
  REQUIRE(second.Started());
  const bool ended = second.Finish(20000) == 0;
  if (!ended) TerminateProcess(second.Handle(), 1);
  PumpMessages();
  return ended;
}

}  // namespace

TEST_CASE("a second start brings the running calendar to the front and ends") {
  DeleteProgramKeys();
  REQUIRE(ProgramWindow() == nullptr);
  ChildProcess first(ProgramPath(), "");
  REQUIRE(first.Started());
  const HWND calendar = WaitForCalendar();
  REQUIRE(calendar != nullptr);

  SUBCASE("minimised") {
    ShowWindow(calendar, SW_MINIMIZE);
  }
  SUBCASE("hidden, as in the tray") {
    ShowWindow(calendar, SW_HIDE);
  }
  {
    OtherWindow other;
    CHECK(SecondStartEnds());
    CHECK(IsWindowVisible(calendar));
    CHECK_FALSE(IsIconic(calendar));
    CHECK(GetForegroundWindow() == calendar);
  }

  // With its About box open, the box comes to the front.
  PostMessageA(calendar, WM_COMMAND, ID_APP_ABOUT, 0);
  const HWND about = WaitForDialogOf(calendar);
  REQUIRE(about != nullptr);
  {
    OtherWindow other;
    CHECK(SecondStartEnds());
    CHECK(GetForegroundWindow() == about);
  }
  PostMessageA(about, WM_COMMAND, IDOK, 0);

  CHECK(first.Finish(0) == STILL_ACTIVE);
  PostMessageA(calendar, WM_CLOSE, 0, 0);
  CHECK(first.Finish(20000) == 0);
}

TEST_CASE("a tray click brings the calendar to the front, or its open dialog and no menu") {
  DeleteProgramKeys();
  PutNumbers(kConfigKey, {{"Tray", 1}});
  RunningCalendar running;
  const HWND handle = running.Handle();
  REQUIRE_FALSE(running.Tray().calls.empty());
  const UINT trayId = running.Tray().calls.back().record.uID;
  {
    // Only a double click and a right click on the icon are taken.
    const OtherWindow other;
    REQUIRE(GetForegroundWindow() == other.handle);
    CHECK(SendMessageA(handle, WM_USER, trayId, WM_LBUTTONDOWN) == 0);
    CHECK(SendMessageA(handle, WM_USER, trayId + 1, WM_LBUTTONDBLCLK) == 0);
    CHECK(GetForegroundWindow() == other.handle);
  }
  for (const UINT action : {WM_RBUTTONUP, WM_LBUTTONDBLCLK}) {
    CAPTURE(action);
    {
      const OtherWindow other;
      const SeenMenu menu =
          MenuOpenedBy([&] { CHECK(SendMessageA(handle, WM_USER, trayId, action) == 1); });
      CHECK(menu.opened == (action == WM_RBUTTONUP));
      CHECK(GetForegroundWindow() == handle);
    }
    // Inside the About box's loop: the tray click, then OK.
    HWND dialog = nullptr, foreground = nullptr;
    bool menuOpened = false;
    DuringModalLoop(
        [&] { SendMessageA(handle, WM_COMMAND, ID_APP_ABOUT, 0); },
        [&] {
          const HWND popup = GetLastActivePopup(handle);
          if (popup == handle || !IsWindowVisible(popup)) return false;
          dialog = popup;
          const OtherWindow other;
          menuOpened = MenuOpenedBy([&] { SendMessageA(handle, WM_USER, trayId, action); }).opened;
          foreground = GetForegroundWindow();
          PostMessageA(dialog, WM_COMMAND, IDOK, 0);
          return true;
        });
    REQUIRE(dialog != nullptr);
    CHECK(foreground == dialog);
    CHECK_FALSE(menuOpened);
  }
}
