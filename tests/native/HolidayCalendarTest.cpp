// The holiday export: 2026 by the law holds exactly the days of the published list, each
// marked as a holiday that blocks no time; on request the weekly days off and marked days
// come too; the range is checked.
#include <doctest.h>

#include <algorithm>
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

std::string Summary(DayName name) {
  return "SUMMARY:" + NameOf(name) + "\r\n";
}

class UtcZone : public LocalTimeZone {
 public:
  ICalDateTime FromUtc(const ICalDateTime& utc) const override { return utc; }
};

const ICalDateTime kStamp{{2026, 12, 6}, 0, 0, 0};

std::string Export(MonthCalendar& calendar, int first, int last, bool otherDaysOff) {
  std::string file;
  REQUIRE(ExportHolidays(calendar, {first, last, otherDaysOff}, NameOf, kStamp, "2.63", file));
  return file;
}

std::set<int> Dates(const std::string& file) {
  const ICalReadResult read = ReadICalendar(file, UtcZone());
  REQUIRE(read.error == ICalReadError::None);
  std::set<int> dates;
  for (const ICalEntry& entry : read.entries) {
    dates.insert(entry.date.year * 10000 + entry.date.month * 100 + entry.date.day);
  }
  CHECK(dates.size() == read.entries.size());  // one event a day
  return dates;
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t i = text.find(part); i != std::string::npos; i = text.find(part, i + 1)) {
    ++count;
  }
  return count;
}

}  // namespace

TEST_CASE("the holidays of 2026 by the law are exactly the listed days") {
  LawCalendar law(2026);
  const std::string file = Export(law.calendar, 2026, 2026, false);
  std::set<int> listed;
  for (const ListedDay& day : kListedDays) {
    if (day.date / 10000 == 2026) listed.insert(day.date);
  }
  REQUIRE(listed.size() == 18);
  CHECK(Dates(file) == listed);
  CHECK(Count(file, "TRANSP:TRANSPARENT\r\nCATEGORIES:HOLIDAY\r\n") == 18);
  CHECK(Count(file, "DTSTART;VALUE=DATE:20260506\r\nDTEND;VALUE=DATE:20260507\r\n" +
                        Summary(DayName::SubstituteHoliday)) == 1);
  CHECK(Count(file, "DTSTART;VALUE=DATE:20260922\r\nDTEND;VALUE=DATE:20260923\r\n" +
                        Summary(DayName::DayBetweenHolidays)) == 1);
  CHECK(Count(file, "DTSTART;VALUE=DATE:20260320\r\nDTEND;VALUE=DATE:20260321\r\n" +
                        Summary(DayName::VernalEquinoxDay)) == 1);
  CHECK(Count(file, "UID:20260320.holiday@tembori\r\n") == 1);
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
  const std::set<int> plain = Dates(Export(calendar, 2026, 2026, false));
  const std::string file = Export(calendar, 2026, 2026, true);
  const std::set<int> all = Dates(file);
  CHECK(std::includes(all.begin(), all.end(), plain.begin(), plain.end()));
  CHECK(all.count(20260304) == 1);
  CHECK(all.count(20260320) == 1);
  CHECK(all.count(20260307) == 0);  // a Saturday
  // A Sunday, called by the substitute's name.
  CHECK(Count(file, "DTSTART;VALUE=DATE:20260308\r\nDTEND;VALUE=DATE:20260309\r\n" +
                        Summary(DayName::SubstituteHoliday)) == 1);
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
