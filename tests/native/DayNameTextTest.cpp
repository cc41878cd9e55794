// Every name the month model gives to a day has a text of its own in the string table.
#include <doctest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "app/DayNameText.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

TEST_CASE("each day name has its own string-table text") {
  const std::map<std::uint32_t, std::string> texts = {
#define TEMBORI_STRING(id, text) {id, text},
#include "res/Strings.def"
#undef TEMBORI_STRING
  };
  CHECK(DayNameStringId(DayName::None) == 0);
  std::set<std::string> seen;
  for (int value = 1; value <= static_cast<int>(DayName::EnthronementDay); ++value) {
    CAPTURE(value);
    const auto found = texts.find(DayNameStringId(static_cast<DayName>(value)));
    REQUIRE(found != texts.end());
    CHECK(seen.insert(found->second).second);
  }
  // The two greetings in their own words, and the law's names beside the calendar's own.
  CHECK(texts.at(DayNameStringId(DayName::NewYearsDay)) == "A Happy New Year!!");
  CHECK(texts.at(DayNameStringId(DayName::NewYearsDayOfTheAct)) == "元日");
  CHECK(texts.at(DayNameStringId(DayName::Christmas)) == "Merry Christmas!!");
  CHECK(texts.at(DayNameStringId(DayName::NationalFoundationDayOfTheAct)) == "建国記念の日");
}

}  // namespace
}  // namespace tembori
