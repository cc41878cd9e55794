// The holidays by the law as amended: every day from 1970 to 2050 against a published list of
// the actual holidays, by the days' texts, the law's changes before 1970, and the years before
// the law, which keep the calendar's own rules (a change of rules is made on the real window).
#include <doctest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "app/DayNameText.h"
#include "tests/native/ListedHolidays.h"

namespace tembori {
namespace {

std::string TextOf(DayName name) {
  return ProgramText(DayNameStringId(name));
}

// The text of a day's name, "" for a day without one.
std::string NameOf(const MonthCalendar& calendar, int day) {
  DayName name = DayName::None;
  calendar.GetDayName(day, name);
  return TextOf(name);
}

// The list's name in our words. The list calls a substitute "<holiday> 振替休日" and a day
// between two holidays "休日"; it gives the single days short names, and in 2019 calls Sports
// Day's old name by its new one.
std::string InOurWords(const ListedDay& listed) {
  static const std::map<std::string_view, DayName> differing = {
      {"休日", DayName::DayBetweenHolidays},
      {"大喪の礼", DayName::EmperorShowaFuneral},
      {"結婚の儀", DayName::CrownPrinceNaruhitoWedding},
      {"体育の日（スポーツの日）", DayName::HealthSportsDay},
      {"休日（祝日扱い）", DayName::EnthronementCeremony},
  };
  const std::string_view name = listed.name;
  constexpr std::string_view kSubstitute = " 振替休日";
  if (name.size() > kSubstitute.size() &&
      name.substr(name.size() - kSubstitute.size()) == kSubstitute) {
    return TextOf(DayName::SubstituteHoliday);
  }
  if (listed.date == 20190501) return TextOf(DayName::EnthronementDay);
  const auto found = differing.find(name);
  return found == differing.end() ? std::string(name) : TextOf(found->second);
}

TEST_CASE("every day from 1970 to 2050 is a holiday or day off by the law exactly as listed") {
  std::map<int, std::string> listed;  // yyyymmdd: the day's name in our words
  for (const ListedDay& day : kListedDays) listed[day.date] = InOurWords(day);
  const std::set<std::string> restDays = {TextOf(DayName::SubstituteHoliday),
                                          TextOf(DayName::DayBetweenHolidays)};
  for (int year = 1970; year <= 2050; ++year) {
    LawCalendar shown(year);
    MonthCalendar& calendar = shown.calendar;
    for (int month = 1; month <= 12; ++month, calendar.NextMonth()) {
      DayName name = DayName::None;
      CHECK_FALSE(calendar.GetDayName(0, name));  // no name outside the month
      CHECK_FALSE(calendar.GetDayName(calendar.DaysInMonth() + 1, name));
      for (int day = 1; day <= calendar.DaysInMonth(); ++day) {
        const int date = (year * 100 + month) * 100 + day;
        CAPTURE(date);
        name = DayName::None;
        const bool named = calendar.GetDayName(day, name);
        const auto entry = listed.find(date);
        if (entry == listed.end()) {
          CHECK_FALSE(calendar.IsDayOff(day));         // nor a holiday, which would be one
          CHECK(named == (month == 12 && day == 25));  // the greeting of a day that is no holiday
          continue;
        }
        const bool restDay = restDays.count(entry->second) != 0;
        CHECK(calendar.IsDayOff(day));
        CHECK(calendar.IsNationalHoliday(day) == !restDay);  // else off by the rest-day mask
        CHECK(TextOf(name) == entry->second);
      }
    }
  }
}

// The list starts in 1970: the law's changes before it, by the days' texts.
TEST_CASE("the years in which the law changed before 1970, and its single days, by name") {
  // yyyymmdd, the day's text, and whether it is a holiday.
  const std::tuple<int, const char*, bool> cases[] = {
      {19480101, "A Happy New Year!!", false},  // greeted, before the Act
      // The Act in force from 20 July 1948.
      {19480923, "秋分の日", true},
      {19490429, "天皇誕生日", true},
      // Respect for the Aged Day and Health and Sports Day from 1966, National Foundation
      // Day from 1967.
      {19660915, "敬老の日", true},
      {19650915, "", false},
      {19661010, "体育の日", true},
      {19651010, "", false},
      {19670211, "建国記念の日", true},
      {19660211, "", false},
      {19590410, "皇太子明仁親王の結婚の儀", true},
  };
  for (const auto& [date, text, holiday] : cases) {
    CAPTURE(date);
    const LawCalendar shown(date / 10000, date / 100 % 100);
    const int day = date % 100;
    CHECK(shown.calendar.IsDayOff(day) == holiday);
    CHECK(shown.calendar.IsNationalHoliday(day) == holiday);
    CHECK(NameOf(shown.calendar, day) == text);
  }
}

TEST_CASE("before 1948 the law keeps the calendar's own rules") {
  // One year decides for all before it; the own rules' years are tembori-cal's.
  LawCalendar law(1947), own(1947, 1, false);
  for (int month = 1; month <= 12; ++month, law.calendar.NextMonth(), own.calendar.NextMonth()) {
    CAPTURE(month);
    CHECK(law.calendar.HolidayMask(month) == own.calendar.HolidayMask(month));
    CHECK(law.calendar.DayOffMask() == own.calendar.DayOffMask());
    for (int day = 1; day <= own.calendar.DaysInMonth(); ++day) {
      CHECK(NameOf(law.calendar, day) == NameOf(own.calendar, day));
    }
  }
}

}  // namespace
}  // namespace tembori
