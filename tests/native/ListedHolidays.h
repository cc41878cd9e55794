// The published list of actual holidays 1970–2050 that the law's rules are checked against,
// made from the npm package by tools/holiday-data/make-holiday-data.sh, and the calendar that
// is checked.
#pragma once

#include "calendar/HolidayFile.h"
#include "calendar/StandaloneCalendar.h"

namespace tembori {

struct ListedDay {
  int date;  // yyyymmdd
  const char* name;
};

inline constexpr ListedDay kListedDays[] = {
#include "data/HolidayJp.inc"
};

// A calendar from a month on with no weekly days off, so that its days off are the law's (or
// the government list's) alone, or with `law` false the calendar's own rules'.
struct LawCalendar {
  explicit LawCalendar(int year, int month = 1, bool law = true, const HolidayFile* file = nullptr)
      : core(MakeDate(year, month, 1)) {
    core.settings.HolidayLaw = law ? 1 : 0;
    core.settings.RegularHoliday = 0;
    calendar.SetHolidayFile(file);
    calendar.RecomputeYear();
  }
  StandaloneCalendar core;
  MonthCalendar& calendar = core.calendar;
};

}  // namespace tembori
