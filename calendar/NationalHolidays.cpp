// The national holidays of the shown year and the names of its days: fixed dates, the two
// equinoxes by formula, and the four days that move to a Monday from 2000 and 2003.
#include <cstdint>

#include "calendar/MonthCalendar.h"
#include "res/ResourceIds.h"

namespace tembori {

std::array<MonthCalendar::NamedDayList, 12> MonthCalendar::InitialNamedDays() {
  // Movable entries hold their pre-Monday dates and are rewritten for every computed year.
  return {{
      {2, {{{1, IDS_NEW_YEARS_DAY}, {15, IDS_COMING_OF_AGE_DAY}}}},
      {1, {{{11, IDS_NATIONAL_FOUNDATION_DAY}}}},
      {1, {{{20, IDS_VERNAL_EQUINOX_DAY}}}},
      {1, {{{29, IDS_GREENERY_DAY}}}},
      {3, {{{3, IDS_CONSTITUTION_DAY}, {4, IDS_NATIONAL_HOLIDAY}, {5, IDS_CHILDRENS_DAY}}}},
      {0, {}},
      {1, {{{20, IDS_MARINE_DAY}}}},
      {0, {}},
      {2, {{{15, IDS_RESPECT_FOR_THE_AGED_DAY}, {23, IDS_AUTUMNAL_EQUINOX_DAY}}}},
      {1, {{{10, IDS_HEALTH_SPORTS_DAY}}}},
      {2, {{{3, IDS_CULTURE_DAY}, {23, IDS_LABOUR_THANKSGIVING_DAY}}}},
      {2, {{{23, IDS_EMPERORS_BIRTHDAY}, {25, IDS_CHRISTMAS}}}},
  }};
}

std::uint16_t MonthCalendar::NthMonday(int month, int n) const {
  const int firstMonday = 1 + (8 - WeekdayOfFirst(month)) % 7;
  return static_cast<std::uint16_t>(firstMonday + 7 * (n - 1));
}

void MonthCalendar::SetMovableDay(int month, std::uint32_t stringId, std::uint16_t day) {
  NamedDayList& list = namedDays_[month - 1];
  for (std::uint16_t i = 0; i < list.count; ++i) {
    if (list.entries[i].stringId == stringId) list.entries[i].day = day;
  }
}

void MonthCalendar::ApplyNationalHolidays() {
  const std::int32_t year = shown_.wYear;
  holidayMask_ = BaseHolidayMask;

  const auto place = [this](int month, std::uint32_t stringId, std::int32_t day) {
    const DayMask bit = DayBit(day);
    holidayMask_[month - 1] |= bit;
    SetMovableDay(month, stringId, static_cast<std::uint16_t>(day));
    return bit;
  };

  // The equinox formulas track the sun's drift through the leap-year cycle; the constants
  // change at 2000.
  const std::int32_t centuryCorrection = year / 100 - year / 4;
  const bool from2000 = year >= 2000;
  const std::int32_t vernal = (31 * year + (from2000 ? 2089 : 2213)) / 128 + centuryCorrection;
  const std::int32_t autumnal = (31 * year + (from2000 ? 2395 : 2525)) / 128 + centuryCorrection;
  vernalEquinoxBit_ = place(3, IDS_VERNAL_EQUINOX_DAY, vernal);
  autumnalEquinoxBit_ = place(9, IDS_AUTUMNAL_EQUINOX_DAY, autumnal);

  comingOfAgeBit_ = place(1, IDS_COMING_OF_AGE_DAY, year < 2000 ? 15 : NthMonday(1, 2));
  healthSportsBit_ = place(10, IDS_HEALTH_SPORTS_DAY, year < 2000 ? 10 : NthMonday(10, 2));
  marineDayBit_ = place(7, IDS_MARINE_DAY, year < 2003 ? 20 : NthMonday(7, 3));
  respectAgedBit_ = place(9, IDS_RESPECT_FOR_THE_AGED_DAY, year < 2003 ? 15 : NthMonday(9, 3));
}

DayMask MonthCalendar::MovableHolidayBits(int month) const {
  switch (month) {
    case 1:
      return comingOfAgeBit_;
    case 3:
      return vernalEquinoxBit_;
    case 7:
      return marineDayBit_;
    case 9:
      return autumnalEquinoxBit_ | respectAgedBit_;
    case 10:
      return healthSportsBit_;
    default:
      return 0;
  }
}

// The fixed dates and the month's movable days: the same days as the month's holiday mask.
bool MonthCalendar::IsNationalHoliday(int day) const {
  const int month = shown_.wMonth;
  const DayMask holidays = BaseHolidayMask[month - 1] | MovableHolidayBits(month);
  return (holidays & DayBitInMonth(day)) != 0;
}

bool MonthCalendar::GetDayName(int day, std::uint32_t& stringId) const {
  const NamedDayList& list = namedDays_[shown_.wMonth - 1];
  for (std::uint16_t i = 0; i < list.count; ++i) {
    if (list.entries[i].day == day) {
      stringId = list.entries[i].stringId;
      return true;
    }
  }
  return false;
}

}  // namespace tembori
