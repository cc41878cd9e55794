// The grid's colours for the colour scheme in force.
#include "app/geometry/GridColours.h"

namespace tembori {

GridColours ChooseGridColours(const Settings& settings, bool highContrast,
                              const SystemGridColours& system) {
  if (!highContrast) {
    return {settings.OrdinaryColor, settings.HolidayColor, settings.TodayColor,
            settings.BackColor,     settings.CircColor,    settings.Transparent != 0};
  }
  const ColorRef dayOff = system.hotLight != system.windowText ? system.hotLight : system.highlight;
  return {system.windowText, dayOff, system.highlight, system.window, dayOff, false};
}

}  // namespace tembori
