// The government's list of holidays: a list written from the project's list of actual
// holidays gives the law's days exactly, a made-up day takes its name, the year before the list
// and the calendar's own rules ignore it, and every kind of damage refuses the whole file with
// its first bad line.
#include <doctest.h>

#include <string>
#include <string_view>
#include <tuple>

#include "IconvCodec.h"
#include "tests/native/ListedHolidays.h"

namespace tembori {
namespace {

// The header and "休日" in Shift-JIS, as the file has them, made by the C library's tables.
std::string ShiftJis(std::string_view utf8) {
  int replaced = 0;
  return IconvCodec().FromUtf8(utf8, replaced);
}
const std::string kHeader = ShiftJis("国民の祝日・休日月日,国民の祝日・休日名称");
const std::string kDayOff = ShiftJis("休日");

std::string Line(int yyyymmdd, std::string_view name) {
  return std::to_string(yyyymmdd / 10000) + '/' + std::to_string(yyyymmdd / 100 % 100) + '/' +
         std::to_string(yyyymmdd % 100) + ',' + std::string(name) + "\r\n";
}

// The list as the Cabinet Office would write it: substitutes and days between two holidays
// named "休日" in Shift-JIS; the other names pass through as the list's bytes.
std::string FileFromList() {
  std::string file = kHeader + "\r\n";
  for (const ListedDay& day : kListedDays) {
    const std::string_view name = day.name;
    const bool dayOff = name.find("振替休日") != std::string_view::npos || name == "休日";
    file += Line(day.date, dayOff ? std::string_view(kDayOff) : name);
  }
  return file;
}

// Both calendars month by month: the same holidays, the same days off.
void CheckSameDays(int year, const HolidayFile* file) {
  LawCalendar withFile(year, 1, true, file);
  LawCalendar byLaw(year);
  for (int month = 1; month <= 12;
       ++month, withFile.calendar.NextMonth(), byLaw.calendar.NextMonth()) {
    INFO(year, "-", month);
    CHECK(withFile.calendar.HolidayMask(month) == byLaw.calendar.HolidayMask(month));
    CHECK(withFile.calendar.RestDayMask() == byLaw.calendar.RestDayMask());  // hence days off
  }
}

TEST_CASE("a list written from the actual holidays gives the law's days in its years") {
  HolidayFile file;
  REQUIRE(file.Parse(FileFromList()) == HolidayFile::Error::None);
  CHECK(file.Covers(1970));
  CHECK(file.Covers(2050));
  CHECK_FALSE(file.Covers(1969));
  for (int year = 1970; year <= 2050; ++year) CheckSameDays(year, &file);

  // The list's names replace the law's.
  LawCalendar y2019(2019, 5, true, &file);
  CHECK(y2019.calendar.ListedName(1) == "休日（祝日扱い）");
  DayName name = DayName::None;
  CHECK_FALSE(y2019.calendar.GetDayName(1, name));
}

// A made-up day's name, the list's days in place of the law's and the law's in other years are
// checked by tembori-cal's tests against its committed listing.
TEST_CASE("a made-up day takes its name, its list read with any line ends, own rules ignore it") {
  const std::string special = "\x8E\x8E\x8C\xB1\x82\xCC\x93\xFA";  // 試験の日
  HolidayFile file;
  // The header with a line feed alone, a line with a return, and a bare last line.
  REQUIRE(file.Parse(kHeader + "\n" + Line(20260101, "A") + "2026/12/07," + special) ==
          HolidayFile::Error::None);
  LawCalendar december(2026, 12, true, &file);
  CHECK(december.calendar.ListedName(7) == special);
  CheckSameDays(2025, &file);
  december.core.settings.HolidayLaw = 0;
  december.calendar.RecomputeYear();
  CHECK_FALSE(december.calendar.IsNationalHoliday(7));
  CHECK(december.calendar.ListedName(7).empty());
}

TEST_CASE("a damaged list is refused as a whole with its first bad line") {
  const std::string good = kHeader + "\r\n" + Line(20260101, "A");
  // What is wrong, the bytes, and the first bad line.
  const std::tuple<const char*, std::string, std::size_t> damages[] = {
      {"empty", "", 1},
      {"another header", "date,name\r\n" + Line(20260101, "A"), 1},
      {"no comma", good + "2026/1/2 A\r\n", 3},
      {"no name", good + "2026/1/2,\r\n", 3},
      {"a third field", good + "2026/1/2,A,B\r\n", 3},
      {"a control character", good + "2026/1/2,A\tB\r\n", 3},
      {"no such month", good + "2026/13/1,A\r\n", 3},
      {"no such day", good + "2026/2/29,A\r\n", 3},
      {"letters in the date", good + "2026/1/2x,A\r\n", 3},
      {"dashes", good + "2026-1-2,A\r\n", 3},
      {"a year of twenty digits", good + "20260000000000000000/1/2,A\r\n", 3},
      {"before the calendar's years", kHeader + "\n" + Line(18501231, "A"), 2},
      {"after them", kHeader + "\n" + Line(21510101, "A"), 2},
      {"the same day twice", good + Line(20260101, "B"), 3},
      {"out of order", good + Line(20261231, "B") + Line(20260505, "C"), 4},
  };
  for (const auto& [what, bytes, line] : damages) {
    INFO(std::string(what));
    HolidayFile file;
    REQUIRE(file.Parse(good) == HolidayFile::Error::None);
    CHECK(file.Parse(bytes) == HolidayFile::Error::BadLine);
    CHECK(file.BadLine() == line);
    CHECK_FALSE(file.Covers(2026));  // nothing of the earlier list or of the damaged one stays
  }

  HolidayFile file;
  std::string large = good;
  while (large.size() <= HolidayFile::MaxBytes) large += Line(20261231, "B");
  CHECK(file.Parse(large) == HolidayFile::Error::TooLarge);
  CHECK_FALSE(file.Covers(2026));
}

}  // namespace
}  // namespace tembori
