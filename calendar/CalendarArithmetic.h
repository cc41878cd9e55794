// Day masks and the date arithmetic that the month model and both holiday rule sets share:
// the weekday of the first of a month, month lengths, weekly patterns and the equinox days.
#pragma once

#include <array>
#include <cstdint>

namespace tembori {

// Day masks: bit (d - 1) stands for day d of a month. Weekdays: 0 = Sunday .. 6 = Saturday.
using DayMask = std::uint32_t;

constexpr DayMask DayBit(int day) {
  return DayMask{1} << (day - 1);
}

// Days 1 to `days` of a month.
constexpr DayMask FirstDays(int days) {
  return DayBit(days + 1) - 1;
}

// Days of the year before the first of each month, modulo 7: [leap year][month - 1].
inline constexpr std::array<std::array<std::uint16_t, 12>, 2> MonthStartOffset = {{
    {0, 3, 3, 6, 1, 4, 6, 2, 5, 0, 3, 5},
    {0, 3, 4, 0, 2, 5, 0, 3, 6, 1, 4, 6},
}};

constexpr std::uint16_t WeekdayOfFirst(std::uint16_t yearStartWeekday, bool leapYear, int month) {
  return (yearStartWeekday + MonthStartOffset[leapYear ? 1 : 0][month - 1]) % 7;
}

// Odd months are long up to July, even months from August.
constexpr std::uint16_t MonthLength(int month, bool leapYear) {
  if (month == 2) return leapYear ? 29 : 28;
  const bool odd = month % 2 == 1;
  return (month <= 7) == odd ? 31 : 30;
}

// The n-th Monday of a month whose day 1 falls on `firstWeekday`.
constexpr int NthMonday(std::uint16_t firstWeekday, int n) {
  return 1 + (8 - firstWeekday) % 7 + 7 * (n - 1);
}

// Sundays alone, laid out like the weekly day-off mask: right for a month that starts on Sunday.
inline constexpr DayMask SundayPattern = 0x10204081;

// Aligns a weekly pattern (seven bits repeated at shifts 0, 7, 14, 21 and 28) to a month whose
// day 1 falls on `firstWeekday`. Shifting by 28 rather than 32 works because 28 is whole weeks.
constexpr DayMask RotateWeekMask(DayMask mask, std::uint16_t firstWeekday) {
  const unsigned shift = firstWeekday % 7u;
  if (shift == 0) return mask;
  return (mask << (28 - shift)) | (mask >> shift);
}

// The equinox formulas track the sun's drift through the leap-year cycle; the constants
// change at 2000. Signed arithmetic, divisions truncating.
constexpr std::int32_t EquinoxDay(std::int32_t year, std::int32_t before2000,
                                  std::int32_t from2000) {
  const std::int32_t centuryCorrection = year / 100 - year / 4;
  return (31 * year + (year >= 2000 ? from2000 : before2000)) / 128 + centuryCorrection;
}

constexpr std::int32_t VernalEquinoxDay(std::int32_t year) {
  return EquinoxDay(year, 2213, 2089);
}

constexpr std::int32_t AutumnalEquinoxDay(std::int32_t year) {
  return EquinoxDay(year, 2525, 2395);
}

}  // namespace tembori
