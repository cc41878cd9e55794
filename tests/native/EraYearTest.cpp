// Era years: the era in force on the first of the month heads it, the era's first year is 1,
// the last day before each era keeps the old one, and years before 1873 have none.
#include <doctest.h>

#include "calendar/EraYear.h"

namespace tembori {
namespace {

struct Expected {
  int year;
  int month;
  int era;  // 0 明治 .. 4 令和
  int eraYear;
};

TEST_CASE("each month is headed by the era in force on its first day") {
  const Expected cases[] = {
      {1873, 1, 0, 6},   // the Western calendar's first year is the sixth of its era
      {1912, 7, 0, 45},  // 大正 begins on 30 July
      {1912, 8, 1, 1},  {1926, 12, 1, 15},  // 昭和 begins on 25 December
      {1927, 1, 2, 2},  {1989, 1, 2, 64},   // 平成 begins on 8 January
      {1989, 2, 3, 1},  {2019, 4, 3, 31},
      {2019, 5, 4, 1},  // 令和 begins on the first of the month
      {2026, 12, 4, 8}, {2150, 12, 4, 132},
  };
  for (const Expected& expected : cases) {
    INFO(expected.year, "-", expected.month);
    EraYear result{};
    REQUIRE(EraYearOf(static_cast<std::uint16_t>(expected.year),
                      static_cast<std::uint16_t>(expected.month), result));
    CHECK(result.era == expected.era);
    CHECK(result.year == expected.eraYear);
  }
  // A day of its own, as the title bar's date has it: the era's first day and the one before.
  EraYear day{};
  REQUIRE(EraYearOf(1989, 1, day, 7));
  CHECK(day.era == 2);
  REQUIRE(EraYearOf(1989, 1, day, 8));
  CHECK(day.era == 3);
  CHECK(day.year == 1);
  REQUIRE(EraYearOf(2019, 4, day, 30));
  CHECK(day.era == 3);

  EraYear untouched{9, 99};
  CHECK_FALSE(EraYearOf(1872, 12, untouched));
  CHECK_FALSE(EraYearOf(1851, 1, untouched));
  CHECK(untouched.era == 9);
}

}  // namespace
}  // namespace tembori
