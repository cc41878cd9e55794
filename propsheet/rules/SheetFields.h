// The settings as the four pages of the settings sheet hold them: each page keeps its own
// copy of the fields it shows, under the settings' names, filled when the sheet opens and
// copied back only when the user confirms (OK or Apply).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/Settings.h"

namespace tembori {

struct General1Fields {
  std::int32_t DispToday = 0;
  std::int32_t TodaysFace = 0;  // radio index: 0 = box, 1 = colour
  std::int32_t Language = 0;    // radio index: 0 = Japanese, 1 = English
  std::array<std::int32_t, 7> WeekdayOff = {};
  std::int32_t MemoTime = 5;  // the page's own copy, so that Cancel leaves the setting alone
};

struct General2Fields {
  std::int32_t Squeeze = 0;
  std::int32_t NoFrame = 0;
  std::int32_t MemoFile = 0;
  std::int32_t TopMost = 0;
  std::int32_t Tray = 0;
  std::int32_t Circ = 0;
  ColorRef CircColor = 0;
  std::int32_t SunFirst = 0;  // radio index: 0 = Sunday first, 1 = Monday first
  std::int32_t HolidayLaw = 0;
  std::int32_t EraYear = 0;
  std::int32_t Rokuyo = 0;
};

struct FontFields {
  std::string TypeFace;
  std::string PointSize;
  std::uint8_t CharSet = 0;
  std::uint8_t PitchAndFamily = 0;
};

struct ColorFields {
  ColorRef BackColor = 0;
  ColorRef HolidayColor = 0;
  ColorRef TodayColor = 0;
  ColorRef OrdinaryColor = 0;
  std::int32_t Transparent = 0;
};

struct SheetFields {
  General1Fields general1;
  General2Fields general2;
  FontFields font;
  ColorFields color;
};

// What the pages show when the sheet opens. RegularHoliday is no page's: saving rebuilds it
// from the weekday flags.
SheetFields FieldsFromSettings(const Settings& settings);

// Every page field back into the settings; RegularHoliday is left as it is.
void CopyFieldsIntoSettings(const SheetFields& fields, Settings& settings);

}  // namespace tembori
