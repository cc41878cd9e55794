// The holidays by the law: the days of the Act in the years of each amendment, the days
// moved for 2020 and 2021, the single days of the special laws, and the two rules that add
// days off, the substitute holiday and the day between two holidays.
#include "calendar/LawHolidays.h"

namespace tembori {
namespace {

struct Date {
  std::uint16_t year;
  std::uint16_t month;
  std::uint16_t day;
};

// The days from which the Act and its two rules for days off apply.
constexpr Date kActInForce = {1948, 7, 20};
constexpr Date kSubstitutesFrom = {1973, 4, 12};
constexpr Date kDaysBetweenFrom = {1985, 12, 27};
// From this year a substitute is the next day that is no holiday rather than the Monday, and a
// Sunday between two holidays counts as a day between them.
constexpr std::uint16_t kAmendment2007 = 2007;

// The days of a month from a given date on: all of them, none, or those from its day.
DayMask DaysFrom(const Date& from, std::uint16_t year, int month) {
  if (year != from.year) return year > from.year ? ~DayMask{0} : 0;
  if (month != from.month) return month > from.month ? ~DayMask{0} : 0;
  return ~(DayBit(from.day) - 1);
}

struct SpecialDay {
  Date date;
  DayName name;
};

// Days set by special laws: single days off, and the summer of the Olympic Games, which moved
// three holidays for 2020 and, postponed, for 2021.
constexpr SpecialDay kSpecialDays[] = {
    {{1959, 4, 10}, DayName::CrownPrinceAkihitoWedding},
    {{1989, 2, 24}, DayName::EmperorShowaFuneral},
    {{1990, 11, 12}, DayName::EnthronementCeremony},
    {{1993, 6, 9}, DayName::CrownPrinceNaruhitoWedding},
    {{2019, 5, 1}, DayName::EnthronementDay},
    {{2019, 10, 22}, DayName::EnthronementCeremony},
    {{2020, 7, 23}, DayName::MarineDay},
    {{2020, 7, 24}, DayName::SportsDay},
    {{2020, 8, 10}, DayName::MountainDay},
    {{2021, 7, 22}, DayName::MarineDay},
    {{2021, 7, 23}, DayName::SportsDay},
    {{2021, 8, 8}, DayName::MountainDay},
};

// Gives `name` to every day of `days`.
void NameDays(std::array<DayName, 31>& names, DayMask days, DayName name) {
  for (int day = 1; days != 0; ++day, days >>= 1) {
    if ((days & 1) != 0) names[day - 1] = name;
  }
}

}  // namespace

void LawHolidays::Holiday(std::uint16_t year, int month, int day, DayName name) {
  const DayMask bit = DayBit(day);
  if ((DaysFrom(kActInForce, year, month) & bit) == 0) return;
  holidays_[month - 1] |= bit;
  names_[month - 1][day - 1] = name;
}

void LawHolidays::Compute(std::uint16_t year, std::uint16_t yearStartWeekday, bool leapYear) {
  holidays_ = {};
  names_ = {};
  // The greetings name their days in every year, holidays or not; from the Act on, the
  // holiday's own name takes the place of the New Year's greeting.
  names_[0][0] = DayName::NewYearsDay;
  names_[11][24] = DayName::Christmas;

  std::array<std::uint16_t, 12> firstWeekdays;
  for (int month = 1; month <= 12; ++month) {
    firstWeekdays[month - 1] = WeekdayOfFirst(yearStartWeekday, leapYear, month);
  }
  const auto monday = [&firstWeekdays](int month, int n) {
    return NthMonday(firstWeekdays[month - 1], n);
  };

  Holiday(year, 1, 1, DayName::NewYearsDayOfTheAct);
  Holiday(year, 1, year < 2000 ? 15 : monday(1, 2), DayName::ComingOfAgeDay);
  if (year >= 1967) Holiday(year, 2, 11, DayName::NationalFoundationDayOfTheAct);
  if (year >= 2020) Holiday(year, 2, 23, DayName::EmperorsBirthday);
  Holiday(year, 3, VernalEquinoxDay(year), DayName::VernalEquinoxDay);
  Holiday(year, 4, 29,
          year < 1989   ? DayName::EmperorsBirthday
          : year < 2007 ? DayName::GreeneryDay
                        : DayName::ShowaDay);
  Holiday(year, 5, 3, DayName::ConstitutionDay);
  if (year >= 2007) Holiday(year, 5, 4, DayName::GreeneryDay);
  Holiday(year, 5, 5, DayName::ChildrensDay);
  // In the years of the Olympic Games the table of special days has these three.
  if (year != 2020 && year != 2021) {
    if (year >= 1996) Holiday(year, 7, year < 2003 ? 20 : monday(7, 3), DayName::MarineDay);
    if (year >= 2016) Holiday(year, 8, 11, DayName::MountainDay);
    if (year >= 1966) {
      Holiday(year, 10, year < 2000 ? 10 : monday(10, 2),
              year < 2020 ? DayName::HealthSportsDay : DayName::SportsDay);
    }
  }
  if (year >= 1966) {
    Holiday(year, 9, year < 2003 ? 15 : monday(9, 3), DayName::RespectForTheAgedDay);
  }
  Holiday(year, 9, AutumnalEquinoxDay(year), DayName::AutumnalEquinoxDay);
  Holiday(year, 11, 3, DayName::CultureDay);
  Holiday(year, 11, 23, DayName::LabourThanksgivingDay);
  if (year >= 1989 && year <= 2018) Holiday(year, 12, 23, DayName::EmperorsBirthday);
  for (const SpecialDay& special : kSpecialDays) {
    if (special.date.year == year) {
      Holiday(year, special.date.month, special.date.day, special.name);
    }
  }

  // The rest days look at the next month's holidays, so they follow once all are known.
  for (int month = 1; month <= 12; ++month) {
    AddRestDays(year, month, firstWeekdays[month - 1], MonthLength(month, leapYear));
  }
}

// No holiday falls on the last day of a month, so a substitute never leaves its month and the
// first of a month never lies between two holidays.
void LawHolidays::AddRestDays(std::uint16_t year, int month, std::uint16_t firstWeekday,
                              std::uint16_t length) {
  const DayMask holidays = holidays_[month - 1];
  const DayMask days = FirstDays(length);
  const DayMask sundays = RotateWeekMask(SundayPattern, firstWeekday) & days;

  DayMask sundayHolidays = holidays & sundays & DaysFrom(kSubstitutesFrom, year, month);
  DayMask substitutes = 0;
  if (year < kAmendment2007) {
    // The Monday after, unless it is a holiday itself.
    substitutes = (sundayHolidays << 1) & ~holidays;
  } else {
    // The next day that is no holiday, past a run of holidays such as 3 to 5 May.
    while (sundayHolidays != 0) {
      const DayMask sunday = sundayHolidays & (~sundayHolidays + 1);
      const DayMask later = days & ~holidays & ~((sunday << 1) - 1);
      substitutes |= later & (~later + 1);
      sundayHolidays &= ~sunday;
    }
  }

  // 31 December has no holiday before it, so January of the next year does not matter.
  const DayMask nextMonthFirst = month < 12 ? holidays_[month] & 1 : 0;
  const DayMask holidayBefore = holidays << 1;
  const DayMask holidayAfter = (holidays >> 1) | (nextMonthFirst << (length - 1));
  DayMask between = holidayBefore & holidayAfter & days & ~holidays & ~substitutes &
                    DaysFrom(kDaysBetweenFrom, year, month);
  if (year < kAmendment2007) between &= ~sundays;

  restDays_[month - 1] = substitutes | between;
  NameDays(names_[month - 1], substitutes, DayName::SubstituteHoliday);
  NameDays(names_[month - 1], between, DayName::DayBetweenHolidays);
}

}  // namespace tembori
