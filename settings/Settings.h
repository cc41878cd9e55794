// The user's preferences: one record with its defaults, loaded from and saved to the
// "Software\Tembori\Config" key of a registry-shaped store.
#pragma once

#include <array>
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

struct Settings {
  std::int32_t MemoTime = 5;  // memo pop-up delay in units of 100 ms
  std::int32_t DispToday = 0;
  std::int32_t TodaysFace = 0;  // 0 = box around today, 1 = today in TodayColor
  std::int32_t Language = 0;    // 0 = Japanese, nonzero = English
  std::array<std::int32_t, 7> WeekdayOff = {1, 0, 0, 0, 0, 0, 1};  // Sunday .. Saturday
  std::int32_t Squeeze = 0;
  std::int32_t NoFrame = 0;
  std::int32_t MemoFile = 0;
  std::int32_t TopMost = 0;
  std::int32_t Tray = 0;
  std::int32_t Circ = 1;
  ColorRef CircColor = Rgb(255, 0, 0);
  std::int32_t SunFirst = 0;  // 0 = weeks start on Sunday, nonzero = on Monday
  std::string TypeFace;
  std::string PointSize;
  std::uint8_t CharSet = 128;  // Shift-JIS
  std::uint8_t PitchAndFamily = 0;
  ColorRef BackColor = Rgb(255, 255, 255);
  ColorRef HolidayColor = Rgb(255, 0, 0);
  ColorRef TodayColor = Rgb(0, 255, 0);
  ColorRef OrdinaryColor = Rgb(0, 0, 0);
  std::int32_t Transparent = 0;
  std::uint32_t RegularHoliday = 0x183060C1;  // weekly mask built from WeekdayOff
  std::int32_t HolidayLaw =
      1;  // 0 = the calendar's own holiday rules, nonzero = the law as amended
  std::int32_t EraYear = 0;
  std::int32_t Rokuyo = 0;
};

// Rebuilds RegularHoliday from WeekdayOff: the seven-bit pattern repeated five times.
void BuildWeeklyMask(Settings& settings);

// Reads every stored value over the defaults; a missing key or value is silent. Any other
// read failure stops loading and is reported (ReadFailed and the value's name) after the key
// is closed; running out of memory is reported as OutOfMemory.
void LoadSettings(Settings& settings, KeyValueStore& store, ErrorReporter& reporter);

// Writes every value (rebuilding RegularHoliday first); stops at the first failure and
// reports it: KeyNotCreated, WriteFailed and the value's name, or OutOfMemory.
void SaveSettings(Settings& settings, KeyValueStore& store, ErrorReporter& reporter);

}  // namespace tembori
