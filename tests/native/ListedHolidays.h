// The published list of actual holidays 1970–2050 that the law's rules are checked against,
// made from the npm package by tools/holiday-data/make-holiday-data.sh, the calendar that is
// checked, and the program's texts that name its days.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "calendar/HolidayFile.h"
#include "calendar/StandaloneCalendar.h"
#include "res/ResourceIds.h"

namespace tembori {

struct ListedDay {
  int date;  // yyyymmdd
  const char* name;
};

inline constexpr ListedDay kListedDays[] = {
#include "data/HolidayJp.inc"
};

// A calendar from a month on with no weekly days off, so that its days off are the law's (or
// the government list's) alone, or with `law` false the calendar's own rules'.
struct LawCalendar {
  explicit LawCalendar(int year, int month = 1, bool law = true, const HolidayFile* file = nullptr)
      : core(MakeDate(year, month, 1)) {
    core.settings.HolidayLaw = law ? 1 : 0;
    core.settings.RegularHoliday = 0;
    calendar.SetHolidayFile(file);
    calendar.RecomputeYear();
  }
  StandaloneCalendar core;
  MonthCalendar& calendar = core.calendar;
};

// The text of a string id as res/Strings.def has it, or "" for an id it lacks.
inline std::string ProgramText(std::uint32_t id) {
  static const std::map<std::uint32_t, std::string> texts = {
#define TEMBORI_STRING(id, text) {id, text},
#include "res/Strings.def"
#undef TEMBORI_STRING
  };
  const auto found = texts.find(id);
  return found == texts.end() ? "" : found->second;
}

}  // namespace tembori
