// The hover timer's period and its decisions: resting, moving, leaving, the holiday-setting
// mode and the moment to look at the date.
#include <doctest.h>

#include <climits>
#include <string>

#include "app/geometry/HoverTracker.h"

using namespace tembori;

namespace {

// What a tick asks for, in words: "hide", "stop", "show" and "date".
std::string Run(HoverTracker& tracker, int x, int y, bool inside = true, bool mode = false,
                bool shown = false) {
  const HoverTick tick = tracker.OnTick(x, y, inside, mode, shown);
  return std::string(tick.hidePopup ? "hide " : "") + (tick.stopTimer ? "stop " : "") +
         (tick.showDayUnderPointer ? "show " : "") + (tick.checkDate ? "date " : "");
}

}  // namespace

TEST_CASE("the timer's period: tenths of a second, within what the platform's timers take") {
  CHECK(HoverTimerPeriod(5) == 500);
  CHECK(HoverTimerPeriod(0) == kMinTimerPeriod);
  CHECK(HoverTimerPeriod(-7) == kMinTimerPeriod);
  CHECK(HoverTimerPeriod(21474836) == 2147483600u);
  CHECK(HoverTimerPeriod(42949673) == kMaxTimerPeriod);  // 32 bits would wrap to 4 ms
  CHECK(HoverTimerPeriod(INT_MAX) == kMaxTimerPeriod);
}

TEST_CASE("a resting pointer shows the pop-up once, a moving one hides it and checks the date") {
  HoverTracker tracker;
  CHECK(tracker.OnMouseMove());
  tracker.TimerStarted(7, 100, 50);
  CHECK_FALSE(tracker.OnMouseMove());  // moves while the timer runs change nothing

  CHECK(Run(tracker, 100, 50) == "show ");
  CHECK(Run(tracker, 100, 50, true, false, true) == "");  // shown already
  CHECK(Run(tracker, 101, 50, true, false, true) == "hide date ");
  CHECK(Run(tracker, 101, 51) == "date ");  // hidden, still moving
  CHECK(Run(tracker, 101, 51) == "show ");

  // In holiday-setting mode nothing shows, but the date is still looked at.
  CHECK(Run(tracker, 101, 51, true, true) == "");
  CHECK(Run(tracker, 90, 51, true, true) == "date ");

  // Another period keeps the last sample.
  tracker.TimerRestarted(9);
  CHECK(Run(tracker, 90, 51) == "show ");
}

TEST_CASE("leaving the client area hides the pop-up and stops the timer until the next move") {
  HoverTracker tracker;
  tracker.TimerStarted(1, 10, 10);
  CHECK(Run(tracker, 10, 10, false, false, true) == "hide stop ");
  tracker.TimerStopped();
  CHECK(tracker.OnMouseMove());
  CHECK(Run(tracker, 500, 500, false) == "stop ");

  // Restarted where the pointer now is, the first tick there counts as a rest.
  tracker.TimerStarted(1, 20, 30);
  CHECK(Run(tracker, 20, 30) == "show ");
}
