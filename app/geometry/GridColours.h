// The colours of the grid: the user's from the settings, or the system's while high contrast
// is on, so that a reader of that scheme sees the calendar in the colours chosen for it.
#pragma once

#include "settings/Settings.h"

namespace tembori {

struct GridColours {
  ColorRef ordinary = 0, dayOff = 0, today = 0, back = 0, circle = 0;
  bool desktopBehind = false;  // the Transparent setting: the desktop instead of `back`
};

// The system's colours that high contrast uses.
struct SystemGridColours {
  ColorRef window = 0, windowText = 0, highlight = 0, hotLight = 0;
};

// Days off take the hyperlink colour, or the highlight where that is the text colour; today,
// its box and the frameless heading the highlight; nothing shows through.
GridColours ChooseGridColours(const Settings& settings, bool highContrast,
                              const SystemGridColours& system);

}  // namespace tembori
