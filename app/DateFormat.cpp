// Formats the month model's dates with the platform's locale data.
#include "app/DateFormat.h"

#include <cstring>

namespace tembori {

int FormatDate(const MonthCalendar& calendar, LCID locale, DWORD flags, const char* picture,
               char* buffer, int size, int which) {
  static_assert(sizeof(SystemTime) == sizeof(SYSTEMTIME), "SystemTime must match SYSTEMTIME");
  SYSTEMTIME date;
  std::memcpy(&date, which == kFormatToday ? &calendar.Today() : &calendar.Shown(), sizeof date);
  return GetDateFormatA(locale, flags, &date, picture, buffer, size);
}

}  // namespace tembori
