// A calendar date as iCalendar files carry it, and the little arithmetic that reading and
// writing them needs (the Gregorian calendar throughout).
#pragma once

#include <string>
#include <string_view>

namespace tembori {

struct ICalDate {
  int year = 0;
  int month = 0;
  int day = 0;

  friend bool operator==(const ICalDate& a, const ICalDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
  }
  friend bool operator!=(const ICalDate& a, const ICalDate& b) { return !(a == b); }
  friend bool operator<(const ICalDate& a, const ICalDate& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
  }
};

// A time of day on a date, as written: its zone is whatever the file says.
struct ICalDateTime {
  ICalDate date;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(const ICalDate& date);
ICalDate NextDay(const ICalDate& date);
ICalDate PreviousDay(const ICalDate& date);
// 0 = Sunday .. 6 = Saturday.
int WeekdayOf(const ICalDate& date);

// The first 29 February in `year` or later.
int FirstLeapYearFrom(int year);

// Appends `value` (not negative) in decimal, with leading zeros up to `width` digits.
void AppendZeroPadded(std::string& text, int value, int width);
// YYYYMMDD.
std::string FormatDate(const ICalDate& date);
// YYYYMMDD, and YYYYMMDDTHHMMSS with an optional Z; false for anything else or an impossible
// date or time. `utc` tells whether the Z was there.
bool ParseDate(std::string_view text, ICalDate& date);
bool ParseDateTime(std::string_view text, ICalDateTime& time, bool& utc);

// Moves a time by a number of seconds (an offset from UTC: within some days), across days,
// months and years.
ICalDateTime AddSeconds(const ICalDateTime& time, int seconds);

}  // namespace tembori
