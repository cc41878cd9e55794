// Reading the local time from the system.
#include "app/LocalClock.h"

#include <windows.h>

namespace tembori {

SystemTime LocalClock::LocalTime() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  SystemTime time;
  time.wYear = now.wYear;
  time.wMonth = now.wMonth;
  time.wDayOfWeek = now.wDayOfWeek;
  time.wDay = now.wDay;
  time.wHour = now.wHour;
  time.wMinute = now.wMinute;
  time.wSecond = now.wSecond;
  time.wMilliseconds = now.wMilliseconds;
  return time;
}

}  // namespace tembori
