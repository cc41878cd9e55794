// What a screen reader is told of a day.
#include <doctest.h>

#include "app/DayDescription.h"

#include <cstdint>
#include <string>

#include "res/ResourceIds.h"

namespace tembori {

TEST_CASE("a day's accessible name carries the full date and the weekday") {
  CHECK(DayAccessibleName(2026, 12, 25, "金") == "2026年12月25日 金曜日");
  CHECK(DayAccessibleName(1851, 1, 1, "水") == "1851年1月1日 水曜日");
  CHECK(DayAccessibleName(2026, 12, 27, "日") == "2026年12月27日 日曜日");
  CHECK(DayAccessibleName(2026, 12, 26, "土") == "2026年12月26日 土曜日");
  CHECK(MemoDayLine(2026, 12, 25, "金", "毎年表示されます") ==
        "2026年12月25日 (金)　毎年表示されます");
  CHECK(MemoDayLine(2027, 1, 3, "日", "この年だけ") == "2027年1月3日 (日)　この年だけ");
}

TEST_CASE("a day's description says each thing the cell shows, once, in order") {
  const auto words = [](std::uint32_t id) -> std::string {
    switch (id) {
      case IDS_ACC_TODAY:
        return "今日";
      case IDS_ACC_DAY_OFF:
        return "休日";
      case IDS_ACC_HOLIDAY:
        return "祝日";
      case IDS_ACC_MEMO:
        return "メモ: ";
      case IDS_ACC_MADE_OFF:
        return "休日に設定";
      case IDS_ACC_MADE_WORKING:
        return "平日に設定";
      default:
        return "?";
    }
  };
  CHECK(DescribeDay({}, words).empty());
  DayFacts holiday;
  holiday.dayOff = true;
  holiday.holidayName = "天皇誕生日";
  CHECK(DescribeDay(holiday, words) == "祝日 天皇誕生日");
  DayFacts full;
  full.today = true;
  full.dayOff = true;
  full.mark = DayFacts::Mark::MadeDayOff;
  full.memo = "会議";
  full.extra = "大安";
  CHECK(DescribeDay(full, words) == "今日、休日、休日に設定、メモ: 会議、大安");
  DayFacts working;
  working.mark = DayFacts::Mark::MadeWorkingDay;
  CHECK(DescribeDay(working, words) == "平日に設定");
}

}  // namespace tembori
