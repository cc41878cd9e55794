// The grid's colours: the user's, or the system's under high contrast.
#include <doctest.h>

#include "app/geometry/GridColours.h"

namespace tembori {

TEST_CASE("high contrast puts the system's colours on the grid, and the user's come back") {
  Settings settings;
  settings.OrdinaryColor = 0x000001;
  settings.HolidayColor = 0x000002;
  settings.TodayColor = 0x000003;
  settings.BackColor = 0x000004;
  settings.CircColor = 0x000005;
  settings.Transparent = 1;
  const SystemGridColours system{0xFFFFFF, 0x000000, 0xFF0000, 0x00FFFF};

  const GridColours user = ChooseGridColours(settings, false, system);
  CHECK(user.ordinary == 0x000001);
  CHECK(user.dayOff == 0x000002);
  CHECK(user.today == 0x000003);
  CHECK(user.back == 0x000004);
  CHECK(user.circle == 0x000005);
  CHECK(user.desktopBehind);

  const GridColours contrast = ChooseGridColours(settings, true, system);
  CHECK(contrast.back == 0xFFFFFF);
  CHECK(contrast.ordinary == 0x000000);
  CHECK(contrast.today == 0xFF0000);
  CHECK(contrast.dayOff == 0x00FFFF);
  CHECK(contrast.circle == 0x00FFFF);
  CHECK_FALSE(contrast.desktopBehind);

  // A scheme whose link colour is its text colour: days off stay apart from working days.
  const GridColours plain = ChooseGridColours(settings, true, {0xFFFFFF, 0x000000, 0xFF0000, 0});
  CHECK(plain.dayOff == 0xFF0000);
  CHECK(plain.dayOff != plain.ordinary);
}

}  // namespace tembori
