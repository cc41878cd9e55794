// The string-table entries of the old calendar's marks and of eras, and the era heading built
// from them. Platform-free, so that the command-line tools print the window's texts.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/OldCalendar.h"

namespace tembori {

std::uint32_t RokuyoStringId(Rokuyo rokuyo);
// 0 for NoSolarTerm.
std::uint32_t SolarTermStringId(SolarTerm term);
std::uint32_t EraStringId(std::uint8_t era);

// The Japanese heading of a month with its year in the era in force on `day` of it (the first
// for the calendar's heading, today for the title bar): "令和8年 12月", "令和元年 5月"; in the
// Western calendar before the first era ("1872年 12月"). Its texts come from `text`, a
// string-table lookup.
std::string EraHeading(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                       std::string (*text)(std::uint32_t));

}  // namespace tembori
