// The national holidays of the shown year and the names of its days: fixed dates, the two
// equinoxes by formula, and the four days that move to a Monday from 2000 and 2003; or, when
// chosen, the holidays by the law, and in the years a list of holidays covers, the list's.
#include <cstdint>

#include "calendar/MonthCalendar.h"

namespace tembori {

std::array<MonthCalendar::NamedDayList, 12> MonthCalendar::InitialNamedDays() {
  // Movable entries hold their pre-Monday dates and are rewritten for every computed year.
  return {{
      {2, {{{1, DayName::NewYearsDay}, {15, DayName::ComingOfAgeDay}}}},
      {1, {{{11, DayName::NationalFoundationDay}}}},
      {1, {{{20, DayName::VernalEquinoxDay}}}},
      {1, {{{29, DayName::GreeneryDay}}}},
      {3,
       {{{3, DayName::ConstitutionDay},
         {4, DayName::NationalHoliday},
         {5, DayName::ChildrensDay}}}},
      {0, {}},
      {1, {{{20, DayName::MarineDay}}}},
      {0, {}},
      {2, {{{15, DayName::RespectForTheAgedDay}, {23, DayName::AutumnalEquinoxDay}}}},
      {1, {{{10, DayName::HealthSportsDay}}}},
      {2, {{{3, DayName::CultureDay}, {23, DayName::LabourThanksgivingDay}}}},
      {2, {{{23, DayName::EmperorsBirthday}, {25, DayName::Christmas}}}},
  }};
}

std::uint16_t MonthCalendar::NthMonday(int month, int n) const {
  return static_cast<std::uint16_t>(tembori::NthMonday(WeekdayOfFirst(month), n));
}

void MonthCalendar::SetMovableDay(int month, DayName name, std::uint16_t day) {
  NamedDayList& list = namedDays_[month - 1];
  for (std::uint16_t i = 0; i < list.count; ++i) {
    if (list.entries[i].name == name) list.entries[i].day = day;
  }
}

void MonthCalendar::ApplyNationalHolidays() {
  const std::int32_t year = shown_.wYear;
  lawInForce_ = settings_.HolidayLaw != 0 && year >= LawHolidays::FirstYear;
  listInForce_ = lawInForce_ && holidayFile_ != nullptr && holidayFile_->Covers(year);
  if (lawInForce_) {
    law_.Compute(shown_.wYear, yearStartWeekday_, leapYear_);
    holidayMask_ = law_.Holidays();
    if (listInForce_) {
      for (int month = 1; month <= 12; ++month) {
        holidayMask_[month - 1] = holidayFile_->Holidays(year, month);
      }
    }
    return;
  }
  holidayMask_ = BaseHolidayMask;

  const auto place = [this](int month, DayName name, std::int32_t day) {
    const DayMask bit = DayBit(day);
    holidayMask_[month - 1] |= bit;
    SetMovableDay(month, name, static_cast<std::uint16_t>(day));
    return bit;
  };

  vernalEquinoxBit_ = place(3, DayName::VernalEquinoxDay, VernalEquinoxDay(year));
  autumnalEquinoxBit_ = place(9, DayName::AutumnalEquinoxDay, AutumnalEquinoxDay(year));

  comingOfAgeBit_ = place(1, DayName::ComingOfAgeDay, year < 2000 ? 15 : NthMonday(1, 2));
  healthSportsBit_ = place(10, DayName::HealthSportsDay, year < 2000 ? 10 : NthMonday(10, 2));
  marineDayBit_ = place(7, DayName::MarineDay, year < 2003 ? 20 : NthMonday(7, 3));
  respectAgedBit_ = place(9, DayName::RespectForTheAgedDay, year < 2003 ? 15 : NthMonday(9, 3));
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

// By the calendar's own rules, the fixed dates and the month's movable days: the same days as
// the month's holiday mask.
bool MonthCalendar::IsNationalHoliday(int day) const {
  const int month = shown_.wMonth;
  const DayMask holidays =
      lawInForce_ ? HolidayMask(month) : BaseHolidayMask[month - 1] | MovableHolidayBits(month);
  return (holidays & DayBitInMonth(day)) != 0;
}

// The calendar's own rules add the day after a holiday on a Sunday, once.
DayMask MonthCalendar::RestDayMask() const {
  if (listInForce_) return holidayFile_->DaysOff(shown_.wYear, shown_.wMonth) & MonthDays();
  if (lawInForce_) return law_.RestDays(shown_.wMonth);
  const DayMask holidays = HolidayMask(shown_.wMonth);
  return SubstituteDays(holidays, firstWeekday_) & ~holidays;
}

bool MonthCalendar::GetDayName(int day, DayName& name) const {
  if (lawInForce_) {
    const DayMask bit = DayBitInMonth(day);
    if (bit == 0) return false;
    const DayName named = law_.NameOf(shown_.wMonth, day);
    if (named == DayName::None) return false;
    // The list names its own days; of the law's names only the greetings of ordinary days stay.
    if (listInForce_ &&
        (!ListedName(day).empty() ||
         ((law_.Holidays()[shown_.wMonth - 1] | law_.RestDays(shown_.wMonth)) & bit) != 0)) {
      return false;
    }
    name = named;
    return true;
  }
  const NamedDayList& list = namedDays_[shown_.wMonth - 1];
  for (std::uint16_t i = 0; i < list.count; ++i) {
    if (list.entries[i].day == day) {
      name = list.entries[i].name;
      return true;
    }
  }
  return false;
}

std::string_view MonthCalendar::ListedName(int day) const {
  if (!listInForce_ || DayBitInMonth(day) == 0) return {};
  return holidayFile_->NameOf(shown_.wYear, shown_.wMonth, day);
}

}  // namespace tembori
