// Era years: the era in force on the first of the month heads it, the era's first year is 1,
// the last day before each era keeps the old one, and years before 1873 have none.
#include <doctest.h>

#include "calendar/EraYear.h"

namespace tembori {
namespace {

TEST_CASE("each month is headed by the era in force on its first day, a day by its own") {
  const struct {
    std::uint16_t year, month, day;
    int era;  // 0 明治 .. 4 令和
    int eraYear;
  } cases[] = {
      // The Western calendar's first year is the sixth of 明治; 大正 begins on 30 July, 昭和
      // on 25 December, 平成 on 8 January (the last three are days of their own, as the title
      // bar's date has them), 令和 on 1 May, whose months tembori-cal heads.
      {1873, 1, 1, 0, 6},  {1912, 7, 1, 0, 45}, {1912, 8, 1, 1, 1},  {1926, 12, 1, 1, 15},
      {1989, 1, 1, 2, 64}, {1989, 2, 1, 3, 1},  {2019, 4, 1, 3, 31}, {2150, 12, 1, 4, 132},
      {1989, 1, 7, 2, 64}, {1989, 1, 8, 3, 1},  {2019, 4, 30, 3, 31}};
  for (const auto& expected : cases) {
    INFO(expected.year, "-", expected.month, "-", expected.day);
    EraYear result{};
    REQUIRE(EraYearOf(expected.year, expected.month, result, expected.day));
    CHECK(result.era == expected.era);
    CHECK(result.year == expected.eraYear);
  }
  EraYear untouched{9, 99};
  CHECK_FALSE(EraYearOf(1872, 12, untouched));
  CHECK_FALSE(EraYearOf(1851, 1, untouched));
  CHECK(untouched.era == 9);
}

}  // namespace
}  // namespace tembori
