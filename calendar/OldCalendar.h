// The old lunisolar calendar as Japanese calendars print it today, its 六曜 and the 24 solar
// terms, in Japan Standard Time: a month begins on the day that holds a new moon, the month
// that holds the winter solstice is the 11th, and of 13 months between two such months the
// first that holds no principal term (a multiple of 30 degrees) is a leap month with the
// number of the month before it. Computed a Gregorian year at a time and kept for the last
// year asked, so the days of a month cost a lookup once their year is known.
#pragma once

#include <array>
#include <cstdint>

namespace tembori {

struct OldDate {
  std::uint8_t month = 0;  // 1..12
  std::uint8_t day = 0;    // 1..30
  bool leap = false;
};

enum class Rokuyo : std::uint8_t { Taian, Shakko, Sensho, Tomobiki, Sakimake, Butsumetsu };

// A leap month counts with its number.
constexpr Rokuyo RokuyoOf(const OldDate& date) {
  return static_cast<Rokuyo>((date.month + date.day) % 6);
}

// The 24 terms by the Sun's longitude divided by 15: 春分 (0°) = 0 .. 啓蟄 (345°) = 23.
using SolarTerm = std::uint8_t;
inline constexpr SolarTerm NoSolarTerm = 24;

class OldCalendar {
 public:
  // For the Gregorian years 1851 to 2150; `month` 1..12, `day` a day of that month.
  OldDate DateOf(int year, int month, int day);
  // The term whose instant falls on the day, or NoSolarTerm.
  SolarTerm TermOn(int year, int month, int day);
  // The day numbers (see DayNumber.h) of the year's 24 terms, 小寒 (285°) first.
  const std::array<std::int32_t, 24>& TermDays(int year);

 private:
  struct MonthStart {
    std::int32_t day;  // day number of its first day
    std::uint8_t number;
    bool leap;
  };
  struct Year {
    int year = 0;
    // From the month of the last winter solstice before the year to that of the next but one,
    // the last entry only marking the end of the one before.
    std::array<MonthStart, 28> months = {};
    std::size_t monthCount = 0;
    std::array<std::int32_t, 24> termDays = {};
  };

  const Year& Computed(int year);
  void Compute(int year);

  Year year_;
};

}  // namespace tembori
