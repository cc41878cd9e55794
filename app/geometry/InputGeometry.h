// The arithmetic of the calendar window's input: the day under the pointer, what a turn of
// the wheel does, and where a dragged frameless window and its outline go.
#pragma once

#include "app/geometry/Geometry.h"

namespace tembori {

// The day of the shown month under a client point and its cell; day 0 (and an empty cell)
// for points outside the grid, in the weekday row, before day 1 and after the last day.
struct DayHit {
  int day = 0;
  Rect cell;
};
DayHit DayFromPoint(Point point, int firstWeekday, int daysInMonth, bool mondayFirst,
                    const Rect& gridRect, CellSize cell);

// One move of the shown month.
enum class CalendarStep { None, NextMonth, PrevMonth, NextYear, PrevYear, ThisMonth };

// A wheel message moves by one month (a year with Ctrl) per message, however many notches it
// carries; less than one notch (120) does nothing and is not added up. A positive delta, the
// wheel turned away from the user, goes forward in time.
CalendarStep WheelStep(int delta, bool control);

// A frameless window dragged from the client point dragStart to point: its new top-left
// corner on the screen, with clientOrigin the client area's top-left corner on the screen.
Point DraggedOrigin(Point point, Point dragStart, Point clientOrigin);
// The outline shown meanwhile: the grid's size with its top-left corner there.
Rect DragOutline(const Rect& gridRect, Point point, Point dragStart, Point clientOrigin);

}  // namespace tembori
