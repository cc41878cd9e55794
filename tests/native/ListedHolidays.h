// The published list of actual holidays 1970–2050 that the law's rules are checked against,
// made from the npm package by tools/holiday-data/make-holiday-data.sh.
#pragma once

namespace tembori {

struct ListedDay {
  int date;  // yyyymmdd
  const char* name;
};

inline constexpr ListedDay kListedDays[] = {
#include "data/HolidayJp.inc"
};

}  // namespace tembori
