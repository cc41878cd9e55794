// The year of a month in the era in force on its first day, from 1873, when the country took
// up the Western calendar. Eras are told apart by their place in calendar/Eras.def, which the
// program's texts expand again to name them.
#pragma once

#include <cstdint>

namespace tembori {

struct EraYear {
  std::uint8_t era;    // place in calendar/Eras.def, oldest first
  std::uint16_t year;  // 1 for the era's first (partial) year
};

inline constexpr std::uint16_t FirstEraYear = 1873;

// The era in force on a day, by default the first of the month, which heads the month.
// False for days before FirstEraYear, whose years stay Western.
bool EraYearOf(std::uint16_t year, std::uint16_t month, EraYear& result, std::uint16_t day = 1);

}  // namespace tembori
