// The string-table entry of each name that the month model gives to a day.
#pragma once

#include <cstdint>

#include "calendar/DayName.h"

namespace tembori {

// 0 for DayName::None, which has no text.
std::uint32_t DayNameStringId(DayName name);

}  // namespace tembori
