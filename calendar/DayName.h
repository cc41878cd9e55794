// The names the calendar gives to days, as the core's own values: the program maps them to
// its texts, so that the core knows nothing of string tables.
#pragma once

#include <cstdint>

namespace tembori {

enum class DayName : std::uint8_t {
  None,
  // The names of the calendar's own rules; the first and the last are greetings.
  NewYearsDay,
  ComingOfAgeDay,
  NationalFoundationDay,
  VernalEquinoxDay,
  GreeneryDay,
  ConstitutionDay,
  NationalHoliday,  // 4 May
  ChildrensDay,
  MarineDay,
  RespectForTheAgedDay,
  AutumnalEquinoxDay,
  HealthSportsDay,
  CultureDay,
  LabourThanksgivingDay,
  EmperorsBirthday,
  Christmas,
  // The names that only the law as amended gives.
  NewYearsDayOfTheAct,
  NationalFoundationDayOfTheAct,
  ShowaDay,
  MountainDay,
  SportsDay,
  SubstituteHoliday,   // a day off in place of a holiday on a Sunday
  DayBetweenHolidays,  // a day off between two holidays
  CrownPrinceAkihitoWedding,
  EmperorShowaFuneral,
  EnthronementCeremony,
  CrownPrinceNaruhitoWedding,
  EnthronementDay,  // the last: tests walk the names up to it
};

}  // namespace tembori
