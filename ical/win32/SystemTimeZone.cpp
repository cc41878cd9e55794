// UTC to local time by the system's rules for the time's own year.
#include "ical/win32/SystemTimeZone.h"

#include <windows.h>

namespace tembori {

ICalDateTime SystemTimeZone::FromUtc(const ICalDateTime& utc) const {
  SYSTEMTIME universal = {};
  universal.wYear = static_cast<WORD>(utc.date.year);
  universal.wMonth = static_cast<WORD>(utc.date.month);
  universal.wDay = static_cast<WORD>(utc.date.day);
  universal.wHour = static_cast<WORD>(utc.hour);
  universal.wMinute = static_cast<WORD>(utc.minute);
  universal.wSecond = static_cast<WORD>(utc.second > 59 ? 59 : utc.second);
  SYSTEMTIME local = {};
  // Before 1601 the system has no answer; the time stays as it is.
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) return utc;
  ICalDateTime converted;
  converted.date = {local.wYear, local.wMonth, local.wDay};
  converted.hour = local.wHour;
  converted.minute = local.wMinute;
  converted.second = local.wSecond;
  return converted;
}

}  // namespace tembori
