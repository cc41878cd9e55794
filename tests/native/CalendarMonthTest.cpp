// The month model: date arithmetic, weekly days off, navigation limits and today tracking.
// The holidays by the calendar's own rules and their names, every year of them, are checked
// by tembori-cal's tests against its committed listing.
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

struct ShownMonth {
  // By the calendar's own holiday rules.
  ShownMonth(int year, int month, int day = 1) : core(MakeDate(year, month, day)) {
    core.settings.HolidayLaw = 0;
    calendar.RecomputeYear();
  }
  // The month is shown and computed as if the calendar had started in it.
  bool Shows(int year, int month) const {
    ShownMonth fresh(year, month);
    fresh.core.settings = core.settings;
    fresh.calendar.RecomputeYear();
    return calendar.Shown().wYear == year && calendar.Shown().wMonth == month &&
           calendar.Shown().wDay == 1 && calendar.FirstWeekday() == fresh.calendar.FirstWeekday() &&
           calendar.DayOffMask() == fresh.calendar.DayOffMask();
  }
  StandaloneCalendar core;
  MonthCalendar& calendar = core.calendar;
};

TEST_CASE("every month from 1851 to 2150 has its civil weekdays and length and weekly days off") {
  ShownMonth shown(MinYear, 1);
  MonthCalendar& calendar = shown.calendar;
  for (int year = MinYear; year <= MaxYear; ++year) {
    for (int month = 1; month <= 12; ++month, calendar.NextMonth()) {
      INFO(year, "-", month);
      REQUIRE(calendar.Shown().wMonth == month);
      const long first = DaysFromCivil(year, month, 1);
      const long next = DaysFromCivil(year + month / 12, month % 12 + 1, 1);
      REQUIRE(calendar.FirstWeekday() == ((first + 4) % 7 + 7) % 7);  // 1970-01-01: Thursday
      REQUIRE(calendar.DaysInMonth() == next - first);
      // One weekday off, another from month to month: its days and the holidays are off.
      const int weekdayOff = (year + month) % 7;
      std::uint32_t pattern = 0;
      for (int bit = weekdayOff; bit < 32; bit += 7) pattern |= 1u << bit;
      shown.core.settings.RegularHoliday = pattern;
      calendar.RecomputeMonth();
      const DayMask holidays = calendar.HolidayMask(month) | calendar.RestDayMask();
      for (int day = 1; day <= calendar.DaysInMonth(); ++day) {
        CAPTURE(day);
        const long weekday = ((first + day + 3) % 7 + 7) % 7;
        REQUIRE(calendar.IsDayOff(day) == (weekday == weekdayOff || (holidays & DayBit(day))));
      }
    }
  }
  CHECK(shown.Shows(MaxYear, 12));  // the last NextMonth went nowhere
}

TEST_CASE("navigation and the clock stay within 1851 to 2150 and leave a fully computed month") {
  CHECK(ShownMonth(2200, 6).Shows(2150, 6));  // a clock beyond the range
  ShownMonth shown(1700, 6);
  MonthCalendar& calendar = shown.calendar;
  CHECK(shown.Shows(1851, 6));
  CHECK_FALSE(calendar.SetYear(1850));
  CHECK_FALSE(calendar.SetYear(2151));
  calendar.PrevYear();
  for (int i = 0; i < 6; ++i) calendar.PrevMonth();
  CHECK(shown.Shows(1851, 1));
  CHECK(calendar.SetYear(2150));
  calendar.NextYear();
  CHECK(shown.Shows(2150, 1));
  CHECK(calendar.SetYear(2000));
  calendar.PrevMonth();
  CHECK(shown.Shows(1999, 12));
}

TEST_CASE("today moves with the whole date, and GoToToday shows its month") {
  ShownMonth shown(2024, 5, 31);
  MonthCalendar& calendar = shown.calendar;
  CHECK(calendar.SetYear(2030));
  CHECK_FALSE(calendar.IsToday(31));
  shown.core.clock.Set({2024, 5, 5, 31, 23, 0, 0, 0});  // the evening
  CHECK_FALSE(calendar.RefreshToday());
  // A month asleep: the same day, another date (the next day is seen on the real window).
  shown.core.clock.Set(MakeDate(2024, 7, 31));
  CHECK(calendar.RefreshToday());
  CHECK(shown.Shows(2030, 5));
  calendar.GoToToday();
  CHECK(shown.Shows(2024, 7));
  CHECK(calendar.IsToday(31));
  CHECK_FALSE(calendar.IsToday(30));
}

}  // namespace
}  // namespace tembori
