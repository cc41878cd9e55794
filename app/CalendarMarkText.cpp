// Old-calendar marks and eras to string-table ids: the ids run in the order of the core's
// values, the eras in the order of calendar/Eras.def.
#include "app/CalendarMarkText.h"

#include <iterator>

#include "calendar/EraYear.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

constexpr std::uint32_t kEraIds[] = {
#define TEMBORI_ERA(name, year, month, day) name,
#include "calendar/Eras.def"
#undef TEMBORI_ERA
};

}  // namespace

std::uint32_t RokuyoStringId(Rokuyo rokuyo) {
  return IDS_ROKUYO_TAIAN + static_cast<std::uint32_t>(rokuyo);
}

std::uint32_t SolarTermStringId(SolarTerm term) {
  return term < NoSolarTerm ? IDS_TERM_SHUNBUN + term : 0;
}

std::uint32_t EraStringId(std::uint8_t era) {
  return era < std::size(kEraIds) ? kEraIds[era] : 0;
}

std::string EraHeading(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                       std::string (*text)(std::uint32_t)) {
  // The heading's text puts %1 for the era, %2 for its year and %3 for the month; without an
  // era the Western year stands alone.
  EraYear era{};
  const bool inEra = EraYearOf(year, month, era, day);
  const std::string values[] = {
      inEra ? text(EraStringId(era.era)) : std::string(),
      !inEra          ? std::to_string(year)
      : era.year == 1 ? text(IDS_ERA_FIRST_YEAR)
                      : std::to_string(era.year),
      std::to_string(month),
  };
  const std::string format = text(IDS_ERA_HEADING);
  std::string heading;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (format[i] == '%' && next >= '1' && next <= '3') {
      heading += values[next - '1'];
      ++i;
    } else {
      heading += format[i];
    }
  }
  return heading;
}

}  // namespace tembori
