// Walks the months of the range through the month model and writes each day off it shows.
#include "ical/HolidayCalendar.h"

#include "ical/ICalWriter.h"

namespace tembori {

bool ExportHolidays(MonthCalendar& calendar, const HolidayExportRange& range,
                    const std::function<std::string(DayName)>& nameOf, const ICalDateTime& stampUtc,
                    std::string_view version, std::string& file) {
  if (range.firstYear < MinYear || range.lastYear > MaxYear || range.firstYear > range.lastYear) {
    return false;
  }
  calendar.SetYear(static_cast<std::uint16_t>(range.firstYear));
  while (calendar.Shown().wMonth > 1) calendar.PrevMonth();

  ICalWriter writer(version, stampUtc);
  while (true) {
    const SystemTime& shown = calendar.Shown();
    const DayMask restDays = calendar.RestDayMask();
    const DayMask daysOff = calendar.DayOffMask();
    for (int day = 1; day <= calendar.DaysInMonth(); ++day) {
      const bool holiday = calendar.IsNationalHoliday(day);
      const bool rest = (restDays & DayBit(day)) != 0;
      if (!holiday && !rest && !(range.otherDaysOff && (daysOff & DayBit(day)) != 0)) continue;
      DayName name = DayName::None;
      const bool named = (holiday || rest) && calendar.GetDayName(day, name);
      AllDayEvent event;
      event.date = {shown.wYear, shown.wMonth, day};
      std::string uid = FormatDate(event.date);
      uid += ".holiday@tembori";
      const std::string summary = nameOf(named ? name : DayName::SubstituteHoliday);
      event.uid = uid;
      event.summary = summary;
      event.holiday = true;
      writer.Add(event);
    }
    if (shown.wYear == range.lastYear && shown.wMonth == 12) break;
    calendar.NextMonth();
  }
  file = writer.Finish();
  return true;
}

}  // namespace tembori
