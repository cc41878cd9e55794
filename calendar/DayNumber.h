// Days counted without gaps across months and years (the Julian day number of a Gregorian
// date), for the parts of the core that count days across month ends: the old calendar and
// the instants of the Sun and Moon.
#pragma once

#include <cstdint>

namespace tembori {

struct CivilDate {
  std::int32_t year;
  std::int32_t month;
  std::int32_t day;
};

// Shifts the year to start in March, so that the leap day ends it (valid from year 1).
constexpr std::int32_t DayNumber(std::int32_t year, std::int32_t month, std::int32_t day) {
  const std::int32_t a = (14 - month) / 12;
  const std::int32_t y = year + 4800 - a;
  const std::int32_t m = month + 12 * a - 3;
  return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

constexpr CivilDate CivilDateOf(std::int32_t dayNumber) {
  const std::int32_t a = dayNumber + 32044;
  const std::int32_t b = (4 * a + 3) / 146097;
  const std::int32_t c = a - 146097 * b / 4;
  const std::int32_t d = (4 * c + 3) / 1461;
  const std::int32_t e = c - 1461 * d / 4;
  const std::int32_t m = (5 * e + 2) / 153;
  return {100 * b + d - 4800 + m / 10, m + 3 - 12 * (m / 10), e - (153 * m + 2) / 5 + 1};
}

}  // namespace tembori
