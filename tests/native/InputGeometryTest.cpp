// The day under the pointer, the wheel's steps and the positions of a drag.
#include <doctest.h>

#include <ostream>
#include <tuple>

#include "app/geometry/InputGeometry.h"
#include "app/geometry/PlatformAbilities.h"

namespace tembori {

inline std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

TEST_CASE("the day under a point, in both week orders, and the grid's edges") {
  const Rect grid{4, 20, 214, 146};  // cells of 30 x 18
  const CellSize cell{30, 18};
  // Sunday first, day 1 on a Wednesday: row 1 column 3 is day 1, row 2 column 0 day 5.
  const std::tuple<Point, int, int, bool, int> cases[] = {
      {{4 + 3 * 30, 38}, 3, 31, false, 1},
      {{4 + 2 * 30 + 29, 38 + 17}, 3, 31, false, 0},  // the cell before day 1
      {{4, 56}, 3, 31, false, 5},
      {{10, 25}, 0, 31, false, 0},  // the weekday names
      // The cell right after the last day: day 31 of a 30-day month, day 32 of a 31-day one.
      {{4 + 1 * 30, 20 + 5 * 18}, 0, 30, false, 30},
      {{4 + 2 * 30, 20 + 5 * 18}, 0, 30, false, 0},
      {{4 + 1 * 30, 20 + 6 * 18}, 6, 31, false, 31},
      {{4 + 2 * 30, 20 + 6 * 18}, 6, 31, false, 0},
      // Monday first, day 1 on a Sunday: last column of row 1, then day 2 in column 0.
      {{4 + 6 * 30, 38}, 0, 31, true, 1},
      {{4, 56}, 0, 31, true, 2},
      {{4 + 5 * 30, 38}, 0, 31, true, 0},
      // The right and bottom edges lie outside, the left and top inside.
      {{213, 60}, 0, 31, false, 14},
      {{214, 60}, 0, 31, false, 0},
      {{100, 145}, 6, 31, false, 0},  // row 6, columns past day 31 of a month from Saturday
      {{10, 145}, 6, 31, false, 30},
      {{10, 146}, 6, 31, false, 0},
      {{3, 60}, 0, 31, false, 0},
  };
  for (const auto& [point, firstWeekday, days, mondayFirst, day] : cases) {
    CAPTURE(point.x);
    CAPTURE(point.y);
    const DayHit hit = DayFromPoint(point, firstWeekday, days, mondayFirst, grid, cell);
    CHECK(hit.day == day);
    if (day != 0) {
      CHECK(hit.cell == DayCell(day, firstWeekday, mondayFirst, grid, cell));
      CHECK(Contains(hit.cell, point));
    }
  }
  CHECK(DayFromPoint({10, 40}, 0, 31, false, grid, {0, 0}).day == 0);  // no cell size yet
}

TEST_CASE("one step per wheel message, from a whole notch on, forward away from the user") {
  const std::tuple<int, bool, CalendarStep> cases[] = {
      {120, false, CalendarStep::NextMonth}, {-120, false, CalendarStep::PrevMonth},
      {240, false, CalendarStep::NextMonth}, {-600, false, CalendarStep::PrevMonth},
      {60, false, CalendarStep::None},       {-119, false, CalendarStep::None},
      {119, true, CalendarStep::None},       {120, true, CalendarStep::NextYear},
      {-360, true, CalendarStep::PrevYear},  {-32768, false, CalendarStep::PrevMonth},
  };
  for (const auto& [delta, control, step] : cases) {
    CAPTURE(delta);
    CHECK(WheelStep(delta, control) == step);
  }
  CHECK(PlatformAbilitiesFor(true, false, 4, 0).registeredWheelMessage);
  CHECK(PlatformAbilitiesFor(false, true, 3, 0).registeredWheelMessage);
  CHECK_FALSE(PlatformAbilitiesFor(true, false, 4, 10).registeredWheelMessage);  // 98
  CHECK_FALSE(PlatformAbilitiesFor(false, true, 4, 0).registeredWheelMessage);
  CHECK_FALSE(PlatformAbilitiesFor(false, true, 3, 51).registeredWheelMessage);
}

TEST_CASE("a drag moves the window's corner by the pointer's way, with the outline there") {
  const Point clientOrigin{400, 300};
  CHECK(DraggedOrigin({40, 25}, {10, 5}, clientOrigin) == Point{430, 320});
  CHECK(DraggedOrigin({10, 5}, {10, 5}, clientOrigin) == clientOrigin);  // a click
  CHECK(DraggedOrigin({-50, -400}, {10, 5}, clientOrigin) == Point{340, -105});
  CHECK(DragOutline({0, 0, 210, 126}, {40, 25}, {10, 5}, clientOrigin) == Rect{430, 320, 640, 446});
}

}  // namespace tembori
