// The user's preferences: one record with its defaults, loaded from and saved to the
// "Software\Tembori\Config" key of a registry-shaped store.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/ErrorReporter.h"
#include "settings/KeyValueStore.h"

namespace tembori {

using ColorRef = std::uint32_t;  // 0x00BBGGRR

constexpr ColorRef Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return red | (green << 8) | (static_cast<ColorRef>(blue) << 16);
}

inline constexpr char kConfigKey[] = "Software\\Tembori\\Config";

// The weekday flags of a weekly mask: bit d of the mask for weekday d.
constexpr std::array<std::int32_t, 7> WeekdayFlags(std::uint32_t mask) {
  std::array<std::int32_t, 7> flags{};
  for (std::size_t day = 0; day < flags.size(); ++day) {
    flags[day] = static_cast<std::int32_t>((mask >> day) & 1);
  }
  return flags;
}

// The fields, their defaults and their stored names are those of Settings.def.
struct Settings {
#define TEMBORI_SETTING(type, field, value, name) type field = value;
#include "settings/Settings.def"

  // Sunday .. Saturday: 1 when the weekday is a day off. Not stored: the flags follow
  // RegularHoliday when it is loaded, and saving rebuilds RegularHoliday from them.
  std::array<std::int32_t, 7> WeekdayOff = WeekdayFlags(RegularHoliday);
};

// The shortest and longest pop-up delay, in units of 100 ms; a stored delay outside them is
// used as the nearest of the two.
inline constexpr std::int32_t kShortestMemoTime = 1;
inline constexpr std::int32_t kLongestMemoTime = 30;

// Rebuilds RegularHoliday from WeekdayOff: the seven-bit pattern repeated five times.
void BuildWeeklyMask(Settings& settings);

// Reads every stored value over the settings given; a missing key or value is silent. A value
// that cannot be read is set to its default and loading goes on; once the key is closed the
// names of all such values are reported together (ReadFailed, names separated by ", ").
// Running out of memory stops loading and is reported as OutOfMemory. The weekday flags follow
// the mask read, and the delay is bounded to kShortestMemoTime..kLongestMemoTime.
void LoadSettings(Settings& settings, KeyValueStore& store, ErrorReporter& reporter);

// Rebuilds RegularHoliday from the weekday flags, then writes every value in the table's save
// order; stops at the first failure and reports it: KeyNotCreated, WriteFailed and the value's
// name, or OutOfMemory.
void SaveSettings(Settings& settings, KeyValueStore& store, ErrorReporter& reporter);

}  // namespace tembori
