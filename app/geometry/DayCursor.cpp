// The day cursor's moves.
#include "app/geometry/DayCursor.h"

#include <algorithm>

#include "calendar/CalendarArithmetic.h"
#include "calendar/MonthCalendar.h"

namespace tembori {
namespace {

bool InRange(const CursorDate& date) {
  return date.year >= MinYear && date.year <= MaxYear;
}

// Months counted from year 0, so that adding months carries into the years.
CursorDate AddMonths(const CursorDate& from, int months) {
  const int index = from.year * 12 + (from.month - 1) + months;
  CursorDate to{index / 12, index % 12 + 1, 0};
  to.day = std::min(from.day, DaysInMonthOf(to.year, to.month));
  return to;
}

}  // namespace

int DaysInMonthOf(int year, int month) {
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return static_cast<int>(MonthLength(month, leap));
}

CursorDate MoveDayCursor(const CursorDate& from, CursorKey key) {
  CursorDate to = from;
  switch (key) {
    case CursorKey::Left:
    case CursorKey::Right:
    case CursorKey::Up:
    case CursorKey::Down: {
      const int days = key == CursorKey::Left    ? -1
                       : key == CursorKey::Right ? 1
                       : key == CursorKey::Up    ? -7
                                                 : 7;
      to.day += days;
      if (to.day < 1) {
        to = AddMonths({from.year, from.month, 1}, -1);
        to.day = DaysInMonthOf(to.year, to.month) + from.day + days;
      } else if (to.day > DaysInMonthOf(from.year, from.month)) {
        const int over = to.day - DaysInMonthOf(from.year, from.month);
        to = AddMonths({from.year, from.month, 1}, 1);
        to.day = over;
      }
      break;
    }
    case CursorKey::PageUp:
      to = AddMonths(from, -1);
      break;
    case CursorKey::PageDown:
      to = AddMonths(from, 1);
      break;
    case CursorKey::YearUp:
      to = AddMonths(from, -12);
      break;
    case CursorKey::YearDown:
      to = AddMonths(from, 12);
      break;
    case CursorKey::Home:
      to.day = 1;
      break;
    case CursorKey::End:
      to.day = DaysInMonthOf(from.year, from.month);
      break;
  }
  return InRange(to) ? to : from;
}

CursorDate FirstCursorDate(int shownYear, int shownMonth, const CursorDate& today) {
  if (today.year == shownYear && today.month == shownMonth) return today;
  return {shownYear, shownMonth, 1};
}

}  // namespace tembori
