// National holidays by rule: the Monday switches of 2000 and 2003, the equinox formulas,
// substitute days and the names of days.
#include <doctest.h>

#include <cstdint>

#include "calendar/StandaloneCalendar.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

struct ShownMonth {
  ShownMonth(int year, int month) : core(MakeDate(year, month, 1)) { calendar.RecomputeYear(); }
  StandaloneCalendar core;
  MonthCalendar& calendar = core.calendar;
};

TEST_CASE("holidays and their names around the Monday switches and the equinox limits") {
  struct Case {
    int year, month, day;
    std::uint32_t name;  // 0: the day is no holiday
  };
  const Case cases[] = {
      {1999, 1, 15, IDS_COMING_OF_AGE_DAY},
      {1999, 10, 10, IDS_HEALTH_SPORTS_DAY},
      {1999, 7, 20, IDS_MARINE_DAY},
      {1999, 9, 15, IDS_RESPECT_FOR_THE_AGED_DAY},
      {1999, 3, 21, IDS_VERNAL_EQUINOX_DAY},
      {1999, 9, 23, IDS_AUTUMNAL_EQUINOX_DAY},
      {2000, 1, 10, IDS_COMING_OF_AGE_DAY},
      {2000, 1, 15, 0},
      {2000, 10, 9, IDS_HEALTH_SPORTS_DAY},
      {2000, 10, 10, 0},
      {2000, 7, 20, IDS_MARINE_DAY},
      {2000, 3, 20, IDS_VERNAL_EQUINOX_DAY},
      {2002, 1, 14, IDS_COMING_OF_AGE_DAY},
      {2002, 9, 15, IDS_RESPECT_FOR_THE_AGED_DAY},
      {2003, 7, 21, IDS_MARINE_DAY},
      {2003, 7, 20, 0},
      {2003, 9, 15, IDS_RESPECT_FOR_THE_AGED_DAY},
      {2003, 1, 13, IDS_COMING_OF_AGE_DAY},
      {2009, 9, 21, IDS_RESPECT_FOR_THE_AGED_DAY},
      {2009, 9, 22, 0},
      {2009, 9, 23, IDS_AUTUMNAL_EQUINOX_DAY},
      {2092, 3, 19, IDS_VERNAL_EQUINOX_DAY},
      {2096, 3, 19, IDS_VERNAL_EQUINOX_DAY},
      {1903, 3, 22, IDS_VERNAL_EQUINOX_DAY},
      {1851, 9, 24, IDS_AUTUMNAL_EQUINOX_DAY},
      {2012, 9, 22, IDS_AUTUMNAL_EQUINOX_DAY},
      {1900, 11, 23, IDS_LABOUR_THANKSGIVING_DAY},
      {1900, 5, 4, IDS_NATIONAL_HOLIDAY},
  };
  for (const Case& test : cases) {
    CAPTURE(test.year);
    CAPTURE(test.month);
    CAPTURE(test.day);
    const ShownMonth shown(test.year, test.month);
    CHECK(shown.calendar.IsNationalHoliday(test.day) == (test.name != 0));
    std::uint32_t name = 0;
    CHECK(shown.calendar.GetDayName(test.day, name) == (test.name != 0));
    CHECK(name == test.name);
  }
}

TEST_CASE("a holiday on a Sunday gives the next day off, once and without a name") {
  const ShownMonth february2007(2007, 2);  // the 11th is a Sunday
  CHECK(february2007.calendar.IsDayOff(12));
  CHECK_FALSE(february2007.calendar.IsNationalHoliday(12));
  std::uint32_t name = 0;
  CHECK_FALSE(february2007.calendar.GetDayName(12, name));
  CHECK_FALSE(february2007.calendar.IsDayOff(13));

  const ShownMonth may2008(2008, 5);  // the 4th is a Sunday and the 5th a holiday anyway
  CHECK(may2008.calendar.IsDayOff(5));
  CHECK_FALSE(may2008.calendar.IsDayOff(6));
}

TEST_CASE("named days that are no holidays, and names kept per calendar") {
  const ShownMonth december(2024, 12);
  std::uint32_t name = 0;
  CHECK(december.calendar.GetDayName(25, name));
  CHECK(name == IDS_CHRISTMAS);
  CHECK_FALSE(december.calendar.IsNationalHoliday(25));
  CHECK_FALSE(december.calendar.GetDayName(24, name));
  CHECK(name == IDS_CHRISTMAS);  // untouched when there is no name

  const ShownMonth january1999(1999, 1);
  const ShownMonth january2000(2000, 1);  // computing 2000 must not rename 1999's days
  CHECK(january1999.calendar.GetDayName(1, name));
  CHECK(name == IDS_NEW_YEARS_DAY);
  CHECK(january1999.calendar.IsNationalHoliday(1));
  CHECK(january1999.calendar.GetDayName(15, name));
  CHECK_FALSE(january2000.calendar.GetDayName(15, name));
}

}  // namespace
}  // namespace tembori
