// Hit testing, wheel steps and drag positions of the calendar window.
#include "app/geometry/InputGeometry.h"

namespace tembori {
namespace {

constexpr int kDaysPerWeek = 7;
constexpr int kWheelNotch = 120;

}  // namespace

DayHit DayFromPoint(Point point, int firstWeekday, int daysInMonth, bool mondayFirst,
                    const Rect& gridRect, CellSize cell) {
  if (cell.width <= 0 || cell.height <= 0 || !Contains(gridRect, point)) return {};
  const int row = (point.y - gridRect.top) / cell.height;
  const int column = (point.x - gridRect.left) / cell.width;
  if (row == 0) return {};
  const int first = ColumnOfWeekday(firstWeekday, mondayFirst);
  if (row == 1 && column < first) return {};
  const int day = (row - 1) * kDaysPerWeek + column - first + 1;
  if (day > daysInMonth) return {};
  const int left = gridRect.left + column * cell.width;
  const int top = gridRect.top + row * cell.height;
  return {day, {left, top, left + cell.width, top + cell.height}};
}

CalendarStep WheelStep(int delta, bool control) {
  const int notches = delta / kWheelNotch;
  if (notches == 0) return CalendarStep::None;
  if (control) return notches > 0 ? CalendarStep::NextYear : CalendarStep::PrevYear;
  return notches > 0 ? CalendarStep::NextMonth : CalendarStep::PrevMonth;
}

Point DraggedOrigin(Point point, Point dragStart, Point clientOrigin) {
  return {clientOrigin.x + point.x - dragStart.x, clientOrigin.y + point.y - dragStart.y};
}

Rect DragOutline(const Rect& gridRect, Point point, Point dragStart, Point clientOrigin) {
  const Point origin = DraggedOrigin(point, dragStart, clientOrigin);
  return {origin.x, origin.y, origin.x + Width(gridRect), origin.y + Height(gridRect)};
}

}  // namespace tembori
