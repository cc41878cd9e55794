// The era table and the era in force on the first of a month.
#include "calendar/EraYear.h"

#include <iterator>

namespace tembori {
namespace {

struct EraStart {
  std::uint16_t year;
  std::uint16_t month;
  std::uint16_t day;
};

constexpr EraStart kEraStarts[] = {
#define TEMBORI_ERA(name, year, month, day) {year, month, day},
#include "calendar/Eras.def"
#undef TEMBORI_ERA
};

// Whether the era has begun by the given day.
constexpr bool StartsBy(const EraStart& era, std::uint16_t year, std::uint16_t month,
                        std::uint16_t day) {
  if (era.year != year) return era.year < year;
  return era.month != month ? era.month < month : era.day <= day;
}

}  // namespace

bool EraYearOf(std::uint16_t year, std::uint16_t month, EraYear& result, std::uint16_t day) {
  if (year < FirstEraYear) return false;
  for (std::size_t i = std::size(kEraStarts); i-- > 0;) {
    if (StartsBy(kEraStarts[i], year, month, day)) {
      result.era = static_cast<std::uint8_t>(i);
      result.year = static_cast<std::uint16_t>(year - kEraStarts[i].year + 1);
      return true;
    }
  }
  return false;  // not reached while the first era starts before FirstEraYear
}

}  // namespace tembori
