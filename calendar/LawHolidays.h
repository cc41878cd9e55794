// The national holidays of Japan as the Act on National Holidays has them with every
// amendment, and the days off that special laws gave once, from the Act's coming into force
// on 20 July 1948: the holidays of a year, the days off that the law adds to them (in place of
// a holiday on a Sunday, between two holidays) and the name of each day.
#pragma once

#include <array>
#include <cstdint>

#include "calendar/CalendarArithmetic.h"
#include "calendar/DayName.h"

namespace tembori {

class LawHolidays {
 public:
  // The law has nothing to say about earlier years.
  static constexpr std::uint16_t FirstYear = 1948;

  // Computes `year` (FirstYear or later), whose 1 January falls on `yearStartWeekday`.
  void Compute(std::uint16_t year, std::uint16_t yearStartWeekday, bool leapYear);

  // The holidays of each month, element 0 = January.
  const std::array<DayMask, 12>& Holidays() const { return holidays_; }
  // The days off of a month (1..12) that are no holidays themselves.
  DayMask RestDays(int month) const { return restDays_[month - 1]; }
  // DayName::None for a day (1..31) that has no name.
  DayName NameOf(int month, int day) const { return names_[month - 1][day - 1]; }

 private:
  void Holiday(std::uint16_t year, int month, int day, DayName name);
  void AddRestDays(std::uint16_t year, int month, std::uint16_t firstWeekday, std::uint16_t length);

  std::array<DayMask, 12> holidays_ = {};
  std::array<DayMask, 12> restDays_ = {};
  std::array<std::array<DayName, 31>, 12> names_ = {};
};

}  // namespace tembori
