// The grid's colours: the user's, or the system's under high contrast.
#include <doctest.h>

#include <string>

#include "app/geometry/GridColours.h"

namespace tembori {
namespace {

// Ordinary, day off, today, background and circle, and whether the desktop shows behind.
std::string Colours(const GridColours& c) {
  std::string text;
  for (const ColorRef colour : {c.ordinary, c.dayOff, c.today, c.back, c.circle}) {
    text += std::to_string(colour) + ' ';
  }
  return text + (c.desktopBehind ? "desktop" : "");
}

TEST_CASE("high contrast puts the system's colours on the grid, and the user's come back") {
  Settings settings;
  settings.OrdinaryColor = 1;
  settings.HolidayColor = 2;
  settings.TodayColor = 3;
  settings.BackColor = 4;
  settings.CircColor = 5;
  settings.Transparent = 1;
  // Window, window text, highlight, hyperlink.
  const SystemGridColours system{10, 11, 12, 13};
  CHECK(Colours(ChooseGridColours(settings, false, system)) == "1 2 3 4 5 desktop");
  CHECK(Colours(ChooseGridColours(settings, true, system)) == "11 13 12 10 13 ");
  // A scheme whose link colour is its text colour: days off stay apart from working days.
  CHECK(Colours(ChooseGridColours(settings, true, {10, 11, 12, 11})) == "11 12 12 10 12 ");
}

}  // namespace
}  // namespace tembori
