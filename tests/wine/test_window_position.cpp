// The calendar window's remembered position: where it opens for what the registry holds, what
// it leaves there for a second copy, and what closing it saves. The screen is 1024 x 768.
#include <doctest.h>
#include <windows.h>

#include "tests/wine/support/WindowTestSupport.h"

using namespace tembori::test;

namespace {

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

}  // namespace

TEST_CASE("the window opens where it was, brought back onto the screen") {
  const struct {
    const char* what;
    bool stored;
    RECT saved;
    POINT opened;
    RECT left;  // for a second copy: the placed rectangle, 16 pixels further on
  } cases[] = {
      {"first run", false, {}, {0, 0}, {16, 16, 16, 16}},
      {"on the screen", true, {300, 200, 500, 400}, {300, 200}, {316, 216, 516, 416}},
      {"middle right of the screen", true, {1000, 100, 1200, 300}, {0, 100}, {16, 116, 216, 316}},
      {"middle below the screen", true, {100, 700, 300, 900}, {100, 0}, {116, 16, 316, 216}},
      {"middle left of the screen", true, {-150, 10, 50, 210}, {-150, 10}, {-134, 26, 66, 226}},
  };
  for (const auto& c : cases) {
    CAPTURE(std::string(c.what));
    DeleteProgramKeys();
    if (c.stored) PutPosition(c.saved);
    RunningCalendar calendar;
    REQUIRE(calendar.Started());
    const RECT window = WindowRect(calendar.Handle());
    CHECK(window.left == c.opened.x);
    CHECK(window.top == c.opened.y);
    RECT stored{};
    REQUIRE(ReadPosition(stored));
    CHECK(SameRect(stored, c.left));
  }
}

TEST_CASE("closing the window saves where it stands, also when it is minimised") {
  for (const bool minimised : {false, true}) {
    CAPTURE(minimised);
    DeleteProgramKeys();
    RunningCalendar calendar;
    REQUIRE(calendar.Started());
    const HWND handle = calendar.Handle();
    SetWindowPos(handle, nullptr, 210, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpMessages();
    const RECT placed = WindowRect(handle);
    REQUIRE(placed.left == 210);
    if (minimised) {
      ShowWindow(handle, SW_MINIMIZE);
      PumpMessages();
      REQUIRE(IsIconic(handle));
    }
    calendar.Close();
    CHECK(!IsWindow(handle));
    RECT stored{};
    REQUIRE(ReadPosition(stored));
    CHECK(SameRect(stored, placed));
  }
}
