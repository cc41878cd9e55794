// The month model's date arithmetic, navigation limits, today tracking and weekly masks.
#include <doctest.h>

#include <cstdint>

#include "calendar/StandaloneCalendar.h"

namespace tembori {
namespace {

// Days from 1 January 1970 by the era-based civil algorithm: shares nothing with the model.
long DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const int era = year / 400;  // years in range are positive
  const int yearOfEra = year - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  return era * 146097L + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
}

void CheckShows(const MonthCalendar& calendar, int year, int month) {
  CHECK(calendar.Shown().wYear == year);
  CHECK(calendar.Shown().wMonth == month);
  CHECK(calendar.Shown().wDay == 1);
}

TEST_CASE("every month from 1851 to 2150 starts on its civil weekday and has its civil length") {
  StandaloneCalendar core(MakeDate(MinYear, 1, 20));
  MonthCalendar& calendar = core.calendar;
  calendar.RecomputeYear();
  for (int year = MinYear; year <= MaxYear; ++year) {
    for (int month = 1; month <= 12; ++month, calendar.NextMonth()) {
      CAPTURE(year);
      CAPTURE(month);
      REQUIRE(calendar.Shown().wMonth == month);
      const long first = DaysFromCivil(year, month, 1);
      const long next =
          month == 12 ? DaysFromCivil(year + 1, 1, 1) : DaysFromCivil(year, month + 1, 1);
      REQUIRE(calendar.FirstWeekday() == ((first + 4) % 7 + 7) % 7);  // 1970-01-01: Thursday
      REQUIRE(calendar.DaysInMonth() == next - first);
    }
  }
}

TEST_CASE("navigation and the clock stay within 1851 to 2150 and leave a fully computed month") {
  struct Case {
    SystemTime start;
    void (*step)(MonthCalendar&);
    int year, month;
  };
  const Case cases[] = {
      {MakeDate(2150, 12, 5), [](MonthCalendar& c) { c.NextMonth(); }, 2150, 12},
      {MakeDate(2150, 12, 5), [](MonthCalendar& c) { c.NextYear(); }, 2150, 12},
      {MakeDate(1851, 1, 5), [](MonthCalendar& c) { c.PrevMonth(); }, 1851, 1},
      {MakeDate(1851, 1, 5), [](MonthCalendar& c) { c.PrevYear(); }, 1851, 1},
      {MakeDate(1900, 3, 5), [](MonthCalendar& c) { CHECK_FALSE(c.SetYear(1850)); }, 1900, 3},
      {MakeDate(1900, 3, 5), [](MonthCalendar& c) { CHECK_FALSE(c.SetYear(2151)); }, 1900, 3},
      {MakeDate(1900, 3, 5), [](MonthCalendar& c) { CHECK(c.SetYear(1851)); }, 1851, 3},
      {MakeDate(1900, 3, 5), [](MonthCalendar& c) { CHECK(c.SetYear(2150)); }, 2150, 3},
      {MakeDate(2149, 12, 5), [](MonthCalendar& c) { c.NextMonth(); }, 2150, 1},
      {MakeDate(2000, 1, 5), [](MonthCalendar& c) { c.PrevMonth(); }, 1999, 12},
      {MakeDate(2200, 6, 5), [](MonthCalendar&) {}, 2150, 6},  // a clock beyond the range
      {MakeDate(1700, 6, 5), [](MonthCalendar&) {}, 1851, 6},
  };
  for (const Case& test : cases) {
    CAPTURE(test.start.wYear);
    CAPTURE(test.year);
    StandaloneCalendar moved(test.start);
    moved.calendar.RecomputeYear();
    test.step(moved.calendar);
    CheckShows(moved.calendar, test.year, test.month);
    StandaloneCalendar fresh(MakeDate(test.year, test.month, 1));
    fresh.calendar.RecomputeYear();
    CHECK(moved.calendar.FirstWeekday() == fresh.calendar.FirstWeekday());
    CHECK(moved.calendar.DayOffMask() == fresh.calendar.DayOffMask());
    for (int month = 1; month <= 12; ++month) {
      CHECK(moved.calendar.HolidayMask(month) == fresh.calendar.HolidayMask(month));
    }
  }
}

TEST_CASE("today moves with the date, and GoToToday shows its month") {
  SystemTime morning = MakeDate(2024, 5, 31);
  morning.wHour = 10;
  StandaloneCalendar core(morning);
  MonthCalendar& calendar = core.calendar;
  CHECK(calendar.SetYear(2030));
  CHECK_FALSE(calendar.IsToday(31));

  morning.wHour = 23;
  core.clock.Set(morning);
  CHECK_FALSE(calendar.RefreshToday());
  CHECK(calendar.Today().wHour == 10);
  core.clock.Set(MakeDate(2024, 6, 1));
  CHECK(calendar.RefreshToday());
  CheckShows(calendar, 2030, 5);
  // A month asleep lands on the same day of the month, yet it is another day.
  core.clock.Set(MakeDate(2024, 7, 1));
  CHECK(calendar.RefreshToday());

  calendar.GoToToday();
  CheckShows(calendar, 2024, 7);
  CHECK(calendar.IsToday(1));
  CHECK_FALSE(calendar.IsToday(2));
}

TEST_CASE("RotateWeekMask aligns every weekly pattern to the month's first weekday") {
  CHECK(RotateWeekMask(SundayPattern, 1) == 0x08102040);
  for (std::uint32_t weekdays = 0; weekdays < 128; ++weekdays) {
    DayMask pattern = 0;
    for (int shift = 0; shift <= 28; shift += 7) pattern |= weekdays << shift;
    for (std::uint16_t first = 0; first < 7; ++first) {
      DayMask expected = 0;
      for (int day = 1; day <= 31; ++day) {
        if ((weekdays >> ((first + day - 1) % 7)) & 1) expected |= DayBit(day);
      }
      CAPTURE(weekdays);
      CAPTURE(first);
      REQUIRE((RotateWeekMask(pattern, first) & 0x7FFFFFFF) == expected);
    }
  }
}

}  // namespace
}  // namespace tembori
