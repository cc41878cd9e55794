// The hover timer's period and its decisions: resting, moving, leaving, the holiday-setting
// mode and the moment to look at the date.
#include <doctest.h>

#include <climits>

#include "app/geometry/HoverTracker.h"

using namespace tembori;

namespace {

struct Tick {
  bool hide, stop, show, date;
};

Tick Run(HoverTracker& tracker, int x, int y, bool inside = true, bool mode = false,
         bool shown = false) {
  const HoverTick tick = tracker.OnTick(x, y, inside, mode, shown);
  return {tick.hidePopup, tick.stopTimer, tick.showDayUnderPointer, tick.checkDate};
}

bool operator==(const Tick& a, const Tick& b) {
  return a.hide == b.hide && a.stop == b.stop && a.show == b.show && a.date == b.date;
}

doctest::String toString(const Tick& t) {
  return doctest::String(t.hide ? "hide " : "") + (t.stop ? "stop " : "") +
         (t.show ? "show " : "") + (t.date ? "date" : "");
}

constexpr Tick kNothing{false, false, false, false};

}  // namespace

TEST_CASE("the timer's period: tenths of a second, within what the platform's timers take") {
  CHECK(HoverTimerPeriod(5) == 500);
  CHECK(HoverTimerPeriod(1) == 100);
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

  CHECK(Run(tracker, 100, 50) == Tick{false, false, true, false});
  CHECK(Run(tracker, 100, 50, true, false, true) == kNothing);  // shown already
  CHECK(Run(tracker, 101, 50, true, false, true) == Tick{true, false, false, true});
  CHECK(Run(tracker, 101, 51) == Tick{false, false, false, true});  // hidden, still moving
  CHECK(Run(tracker, 101, 51) == Tick{false, false, true, false});

  // In holiday-setting mode nothing shows, but the date is still looked at.
  CHECK(Run(tracker, 101, 51, true, true) == kNothing);
  CHECK(Run(tracker, 90, 51, true, true) == Tick{false, false, false, true});

  // Another period keeps the last sample.
  tracker.TimerRestarted(9);
  CHECK(Run(tracker, 90, 51) == Tick{false, false, true, false});
}

TEST_CASE("leaving the client area hides the pop-up and stops the timer until the next move") {
  HoverTracker tracker;
  tracker.TimerStarted(1, 10, 10);
  CHECK(Run(tracker, 10, 10, false, false, true) == Tick{true, true, false, false});
  tracker.TimerStopped();
  CHECK(tracker.OnMouseMove());
  CHECK(Run(tracker, 500, 500, false) == Tick{false, true, false, false});

  // Restarted where the pointer now is, the first tick there counts as a rest.
  tracker.TimerStarted(1, 20, 30);
  CHECK(Run(tracker, 20, 30) == Tick{false, false, true, false});
}
