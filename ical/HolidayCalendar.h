// The holidays of a range of years as all-day events for other calendars: the national
// holidays with their names, the days off that the holiday rules add, and on request every
// other day off (weekly days off and marks).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "calendar/MonthCalendar.h"
#include "ical/ICalDate.h"

namespace tembori {

struct HolidayExportRange {
  int firstYear = 0;
  int lastYear = 0;
  bool otherDaysOff = false;
};

// `calendar` is a month model of its own, with the settings and marks to export by; the
// months it shows are changed. `nameOf` gives a day name's text in UTF-8; days off without a
// name of their own are called by DayName::SubstituteHoliday's. False (nothing written) for a
// range outside MinYear..MaxYear or backwards.
bool ExportHolidays(MonthCalendar& calendar, const HolidayExportRange& range,
                    const std::function<std::string(DayName)>& nameOf, const ICalDateTime& stampUtc,
                    std::string_view version, std::string& file);

}  // namespace tembori
