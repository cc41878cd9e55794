// What a screen reader is told of a day with everything at once (the name and each fact on
// its own are asked of the real window).
#include <doctest.h>

#include "app/DayDescription.h"
#include "tests/native/ListedHolidays.h"

namespace tembori {

TEST_CASE("a day's description says each thing the cell shows, once, in order") {
  const auto words = [](std::uint32_t id) { return ProgramText(id); };
  CHECK(DescribeDay({}, words).empty());
  DayFacts full;
  full.today = true;
  full.dayOff = true;
  full.mark = DayFacts::Mark::MadeDayOff;
  full.memo = "会議";
  full.extra = "大安";
  CHECK(DescribeDay(full, words) == "今日、休日、休日に設定、メモ: 会議、大安");
  full.holidayName = "天皇誕生日";
  CHECK(DescribeDay(full, words) == "今日、祝日 天皇誕生日、休日に設定、メモ: 会議、大安");
}

}  // namespace tembori
