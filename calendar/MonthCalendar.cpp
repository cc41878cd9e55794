// The month model's date arithmetic and navigation. Weekdays come from the year's distance
// to 1 January 1984, a Sunday in a leap year, so no calendar library is consulted.
#include "calendar/MonthCalendar.h"

#include <algorithm>

namespace tembori {

MonthCalendar::MonthCalendar(const Clock& clock, KeyValueStore& store, const Settings& settings)
    : clock_(clock),
      store_(store),
      settings_(settings),
      today_(clock.LocalTime()),
      // The fixed dates these days had before they moved to Mondays.
      comingOfAgeBit_(DayBit(15)),
      healthSportsBit_(DayBit(10)),
      marineDayBit_(DayBit(20)),
      respectAgedBit_(DayBit(15)),
      namedDays_(InitialNamedDays()) {
  ShowMonthOf(today_);
}

void MonthCalendar::ShowMonthOf(const SystemTime& date) {
  shown_ = date;
  shown_.wDay = 1;
  // A clock set beyond the years we know still shows a month we can compute.
  shown_.wYear = std::clamp(shown_.wYear, MinYear, MaxYear);
}

void MonthCalendar::RecomputeYear() {
  ComputeYearStart();
  ComputeMonth();
  ApplyNationalHolidays();
  ReconcileWeeklyMarks();
  ComputeDayOffMask();
}

void MonthCalendar::RecomputeMonth() {
  ComputeMonth();
  ComputeDayOffMask();
}

void MonthCalendar::ComputeYearStart() {
  const std::uint16_t year = shown_.wYear;
  leapYear_ = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  // s counts the days between 1 January of the year and 1 January 1984, less whole weeks
  // (365 days are one week and a day). 1900 and 2100 are the only century years in range
  // that are not leap years.
  if (year >= 1984) {
    const std::uint16_t years = year - 1984;
    std::uint16_t s = years == 0 ? 0 : years + 1 + (years - 1) / 4;
    if (years > 116) --s;
    yearStartWeekday_ = s % 7;
  } else {
    const std::uint16_t years = 1984 - year;
    std::uint16_t s = years + years / 4;
    if (years >= 84) --s;
    yearStartWeekday_ = (7 - s % 7) % 7;
  }
}

std::uint16_t MonthCalendar::WeekdayOfFirst(int month) const {
  return tembori::WeekdayOfFirst(yearStartWeekday_, leapYear_, month);
}

void MonthCalendar::ComputeMonth() {
  firstWeekday_ = WeekdayOfFirst(shown_.wMonth);
  daysInMonth_ = MonthLength(shown_.wMonth, leapYear_);
}

void MonthCalendar::NextYear() {
  if (shown_.wYear >= MaxYear) return;
  ++shown_.wYear;
  RecomputeYear();
}

void MonthCalendar::PrevYear() {
  if (shown_.wYear <= MinYear) return;
  --shown_.wYear;
  RecomputeYear();
}

void MonthCalendar::NextMonth() {
  if (shown_.wMonth < 12) {
    ++shown_.wMonth;
    RecomputeMonth();
  } else if (shown_.wYear < MaxYear) {
    shown_.wMonth = 1;
    NextYear();
  }
}

void MonthCalendar::PrevMonth() {
  if (shown_.wMonth > 1) {
    --shown_.wMonth;
    RecomputeMonth();
  } else if (shown_.wYear > MinYear) {
    shown_.wMonth = 12;
    PrevYear();
  }
}

bool MonthCalendar::SetYear(std::uint16_t year) {
  if (year < MinYear || year > MaxYear) return false;
  shown_.wYear = year;
  RecomputeYear();
  return true;
}

void MonthCalendar::GoToToday() {
  ShowMonthOf(today_);
  RecomputeYear();
}

bool MonthCalendar::RefreshToday() {
  const SystemTime now = clock_.LocalTime();
  // The whole date counts: after a month asleep the same day of the month is another day.
  if (now.wDay == today_.wDay && now.wMonth == today_.wMonth && now.wYear == today_.wYear) {
    return false;
  }
  today_ = now;
  return true;
}

bool MonthCalendar::IsToday(int day) const {
  return today_.wYear == shown_.wYear && today_.wMonth == shown_.wMonth && today_.wDay == day;
}

DayMask MonthCalendar::DayBitInMonth(int day) const {
  return day >= 1 && day <= daysInMonth_ ? DayBit(day) : 0;
}

DayMask MonthCalendar::MonthDays() const {
  return FirstDays(daysInMonth_);
}

bool MonthCalendar::IsDayOff(int day) const {
  return (dayOffMask_ & DayBitInMonth(day)) != 0;
}

OldDate MonthCalendar::OldDateOf(int day) const {
  return oldCalendar_.DateOf(shown_.wYear, shown_.wMonth, day);
}

SolarTerm MonthCalendar::SolarTermOf(int day) const {
  return oldCalendar_.TermOn(shown_.wYear, shown_.wMonth, day);
}

DayMask MonthCalendar::HolidayMask(int month) const {
  return month >= 1 && month <= 12 ? holidayMask_[month - 1] : 0;
}

}  // namespace tembori
