// The month model: date arithmetic, navigation limits, today tracking, weekly masks, the
// national holidays by rule (the Monday switches, the equinox formulas, substitute days) and
// the names of days.
#include <doctest.h>

#include <cstdint>
#include <vector>

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
  // By the calendar's own holiday rules, which this file tests; the law's have tests of their
  // own.
  ShownMonth(int year, int month, int day = 1) : core(MakeDate(year, month, day)) {
    core.settings.HolidayLaw = 0;
    calendar.RecomputeYear();
  }
  // The month is shown and computed as if the calendar had started in it.
  bool Shows(int year, int month) const {
    const ShownMonth fresh(year, month);
    return calendar.Shown().wYear == year && calendar.Shown().wMonth == month &&
           calendar.Shown().wDay == 1 && calendar.FirstWeekday() == fresh.calendar.FirstWeekday() &&
           calendar.DayOffMask() == fresh.calendar.DayOffMask();
  }
  StandaloneCalendar core;
  MonthCalendar& calendar = core.calendar;
};

TEST_CASE("every month from 1851 to 2150 has its civil weekdays and length") {
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
      for (int day = 1; day <= calendar.DaysInMonth(); ++day) {
        const long weekday = ((first + day + 3) % 7 + 7) % 7;
        if (weekday == 0 || weekday == 6) REQUIRE(calendar.IsDayOff(day));  // the weekly days off
      }
    }
  }
  CHECK(shown.Shows(MaxYear, 12));  // the last NextMonth went nowhere
}

TEST_CASE("a weekly day off falls on its weekday and nowhere else, whatever day starts the month") {
  // June has no national holiday: its days off are the weekly ones alone. Over the years,
  // its 1st falls on every weekday.
  for (int weekdayOff = 0; weekdayOff < 7; ++weekdayOff) {
    std::uint32_t pattern = 0;
    for (int bit = weekdayOff; bit < 32; bit += 7) pattern |= 1u << bit;
    ShownMonth shown(MinYear, 6);
    shown.core.settings.RegularHoliday = pattern;
    for (int year = MinYear; year <= MaxYear; ++year) {
      REQUIRE(shown.calendar.SetYear(year));
      const long first = DaysFromCivil(year, 6, 1);
      for (int day = 1; day <= 30; ++day) {
        INFO(year, "-06-", day, " with weekday ", weekdayOff, " off");
        const long weekday = ((first + day + 3) % 7 + 7) % 7;
        REQUIRE(shown.calendar.IsDayOff(day) == (weekday == weekdayOff));
      }
    }
  }
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
  shown.core.clock.Set(MakeDate(2024, 6, 1));
  CHECK(calendar.RefreshToday());
  shown.core.clock.Set(MakeDate(2024, 7, 1));  // a month asleep: the same day, another date
  CHECK(calendar.RefreshToday());
  CHECK(shown.Shows(2030, 5));
  calendar.GoToToday();
  CHECK(shown.Shows(2024, 7));
  CHECK(calendar.IsToday(1));
  CHECK_FALSE(calendar.IsToday(2));
}

TEST_CASE("holidays and the names of days around the Monday switches and the equinox limits") {
  constexpr DayName kNone = DayName::None;
  // Dates as yyyymmdd. The four movable days on their fixed dates, then on Mondays from 2000
  // and 2003; the equinoxes at the extremes of their range and in the years where each formula
  // constant is one away from moving the day; fixed dates in any year.
  const struct {
    DayName name;
    std::vector<int> dates;
  } cases[] = {
      {DayName::ComingOfAgeDay, {19990115, 20000110, 20020114, 20030113}},
      {DayName::HealthSportsDay, {19991010, 20001009}},
      {DayName::MarineDay, {19990720, 20000720, 20020720, 20030721}},
      {DayName::RespectForTheAgedDay, {19990915, 20020915, 20030915, 20090921}},
      {DayName::VernalEquinoxDay,
       {19990321, 20000320, 20920319, 20960319, 19030322, 18940320, 19890321, 20260320, 21210321}},
      {DayName::AutumnalEquinoxDay,
       {20090923, 18510924, 19170924, 19500923, 20120922, 21070924, 21400922}},
      {DayName::LabourThanksgivingDay, {19001123}},
      {DayName::NationalHoliday, {19000504}},
      {DayName::NewYearsDay, {19990101}},
      {DayName::Christmas, {20241225}},  // named, but no holiday
      {kNone, {20000115, 20001010, 20030720, 20090922, 20241224, 20070212}},
  };
  for (const auto& test : cases) {
    for (const int date : test.dates) {
      CAPTURE(date);
      const ShownMonth shown(date / 10000, date / 100 % 100);
      const int day = date % 100;
      const bool holiday = test.name != kNone && test.name != DayName::Christmas;
      CHECK(shown.calendar.IsNationalHoliday(day) == holiday);
      DayName name = DayName::EnthronementDay;  // stays untouched when the day has no name
      CHECK(shown.calendar.GetDayName(day, name) == (test.name != kNone));
      CHECK(name == (test.name != kNone ? test.name : DayName::EnthronementDay));
    }
  }
}

TEST_CASE("a holiday on a Sunday gives the next day off, once, and calendars keep their years") {
  // Sundays: 11 February 2007, and 4 May 2008, before a holiday anyway.
  const ShownMonth february2007(2007, 2), may2008(2008, 5);
  CHECK(february2007.calendar.IsDayOff(12));  // nameless, as the table above has it
  CHECK_FALSE(february2007.calendar.IsDayOff(13));
  CHECK(may2008.calendar.IsDayOff(5));
  CHECK_FALSE(may2008.calendar.IsDayOff(6));
  const ShownMonth january1999(1999, 1), january2000(2000, 1);
  DayName name = DayName::None;
  CHECK(january1999.calendar.GetDayName(15, name));
  CHECK_FALSE(january2000.calendar.GetDayName(15, name));
}

}  // namespace
}  // namespace tembori
