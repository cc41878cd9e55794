// The holiday export: 2026 by the law holds exactly the days of the published list; on request
// the weekly days off and marked days come too, called a day off; the range is checked. What
// each event holds is read by python3-icalendar (ical.exports_read_by_python_icalendar).
#include <doctest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "ical/HolidayCalendar.h"
#include "ical/ICalReader.h"
#include "tests/native/ListedHolidays.h"

using namespace tembori;

namespace {

// Names by number, so that the file shows which name each day was given.
std::string NameOf(DayName name) {
  return "name-" + std::to_string(static_cast<int>(name));
}

class UtcZone : public LocalTimeZone {
 public:
  ICalDateTime FromUtc(const ICalDateTime& utc) const override { return utc; }
};

const ICalDateTime kStamp{{2026, 12, 6}, 0, 0, 0};

// The days of 2026 in the export (yyyymmdd) with their summaries, read back; the file itself
// too on request. The events' other properties are read by python3-icalendar.
std::map<int, std::string> Export(MonthCalendar& calendar, bool otherDaysOff,
                                  std::string* file = nullptr) {
  std::string bytes;
  REQUIRE(ExportHolidays(calendar, {2026, 2026, otherDaysOff}, NameOf, kStamp, "2.63", bytes));
  const ICalReadResult read = ReadICalendar(bytes, UtcZone());
  REQUIRE(read.error == ICalReadError::None);
  std::map<int, std::string> days;
  for (const ICalEntry& entry : read.entries) {
    days[entry.date.year * 10000 + entry.date.month * 100 + entry.date.day] = entry.text;
  }
  CHECK(days.size() == read.entries.size());  // one event a day
  if (file != nullptr) *file = bytes;
  return days;
}

}  // namespace

TEST_CASE("the holidays of 2026 by the law are exactly the listed days") {
  LawCalendar law(2026);
  std::string file;
  const std::map<int, std::string> days = Export(law.calendar, false, &file);
  std::set<int> listed, exported;
  for (const ListedDay& day : kListedDays) {
    if (day.date / 10000 == 2026) listed.insert(day.date);
  }
  for (const auto& day : days) exported.insert(day.first);
  CHECK(exported == listed);
  CHECK(days.at(20260506) == NameOf(DayName::SubstituteHoliday));
  CHECK(days.at(20260922) == NameOf(DayName::DayBetweenHolidays));
  CHECK(days.at(20260320) == NameOf(DayName::VernalEquinoxDay));
  CHECK(file.find("UID:20260320.holiday@tembori\r\n") != std::string::npos);
}

TEST_CASE("on request every other day off comes too, called a day off") {
  LawCalendar law(2026);
  law.core.settings.RegularHoliday = SundayPattern;
  MonthCalendar& calendar = law.calendar;
  calendar.RecomputeYear();
  // 2026-03: a marked Wednesday becomes a day off, a marked holiday does not leave the list.
  calendar.NextMonth();
  calendar.NextMonth();
  calendar.ToggleMark(4);
  calendar.ToggleMark(20);
  const std::map<int, std::string> plain = Export(calendar, false), all = Export(calendar, true);
  CHECK(std::includes(all.begin(), all.end(), plain.begin(), plain.end()));
  CHECK(all.at(20260304) == NameOf(DayName::SubstituteHoliday));
  // The 52 Sundays of 2026 but 3 May, a holiday already, and the marked Wednesday.
  CHECK(all.size() == plain.size() + 51 + 1);
}

TEST_CASE("holiday ranges outside the calendar's years are refused") {
  LawCalendar own(2026, 1, false);
  std::string file;
  CHECK_FALSE(ExportHolidays(own.calendar, {1850, 1851, false}, NameOf, kStamp, "2.63", file));
  CHECK_FALSE(ExportHolidays(own.calendar, {2150, 2151, false}, NameOf, kStamp, "2.63", file));
  CHECK_FALSE(ExportHolidays(own.calendar, {2027, 2026, false}, NameOf, kStamp, "2.63", file));
  CHECK(file.empty());
  // The whole range in one file ends with the last December (the Emperor's Birthday of the
  // calendar's own rules).
  CHECK(ExportHolidays(own.calendar, {1851, 2150, false}, NameOf, kStamp, "2.63", file));
  CHECK(file.find("DTSTART;VALUE=DATE:21501223\r\n") != std::string::npos);
}
