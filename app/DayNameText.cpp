// Day names to string-table ids. Platform-free, so that the command-line tools print the
// same names as the window.
#include "app/DayNameText.h"

#include "res/ResourceIds.h"

namespace tembori {

std::uint32_t DayNameStringId(DayName name) {
  switch (name) {
    case DayName::None:
      return 0;
    case DayName::NewYearsDay:
      return IDS_NEW_YEARS_DAY;
    case DayName::ComingOfAgeDay:
      return IDS_COMING_OF_AGE_DAY;
    case DayName::NationalFoundationDay:
      return IDS_NATIONAL_FOUNDATION_DAY;
    case DayName::VernalEquinoxDay:
      return IDS_VERNAL_EQUINOX_DAY;
    case DayName::GreeneryDay:
      return IDS_GREENERY_DAY;
    case DayName::ConstitutionDay:
      return IDS_CONSTITUTION_DAY;
    case DayName::NationalHoliday:
      return IDS_NATIONAL_HOLIDAY;
    case DayName::ChildrensDay:
      return IDS_CHILDRENS_DAY;
    case DayName::MarineDay:
      return IDS_MARINE_DAY;
    case DayName::RespectForTheAgedDay:
      return IDS_RESPECT_FOR_THE_AGED_DAY;
    case DayName::AutumnalEquinoxDay:
      return IDS_AUTUMNAL_EQUINOX_DAY;
    case DayName::HealthSportsDay:
      return IDS_HEALTH_SPORTS_DAY;
    case DayName::CultureDay:
      return IDS_CULTURE_DAY;
    case DayName::LabourThanksgivingDay:
      return IDS_LABOUR_THANKSGIVING_DAY;
    case DayName::EmperorsBirthday:
      return IDS_EMPERORS_BIRTHDAY;
    case DayName::Christmas:
      return IDS_CHRISTMAS;
    case DayName::NewYearsDayOfTheAct:
      return IDS_NEW_YEARS_DAY_OF_THE_ACT;
    case DayName::NationalFoundationDayOfTheAct:
      return IDS_NATIONAL_FOUNDATION_DAY_OF_THE_ACT;
    case DayName::ShowaDay:
      return IDS_SHOWA_DAY;
    case DayName::MountainDay:
      return IDS_MOUNTAIN_DAY;
    case DayName::SportsDay:
      return IDS_SPORTS_DAY;
    case DayName::SubstituteHoliday:
      return IDS_SUBSTITUTE_HOLIDAY;
    case DayName::DayBetweenHolidays:
      return IDS_DAY_BETWEEN_HOLIDAYS;
    case DayName::CrownPrinceAkihitoWedding:
      return IDS_CROWN_PRINCE_AKIHITO_WEDDING;
    case DayName::EmperorShowaFuneral:
      return IDS_EMPEROR_SHOWA_FUNERAL;
    case DayName::EnthronementCeremony:
      return IDS_ENTHRONEMENT_CEREMONY;
    case DayName::CrownPrinceNaruhitoWedding:
      return IDS_CROWN_PRINCE_NARUHITO_WEDDING;
    case DayName::EnthronementDay:
      return IDS_ENTHRONEMENT_DAY;
  }
  return 0;
}

}  // namespace tembori
