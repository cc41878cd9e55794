// The words a screen reader gets for a day, and the memo dialog's line of the full date.
#include "app/DayDescription.h"

#include "res/ResourceIds.h"

namespace tembori {
namespace {

constexpr char kSeparator[] = "、";

std::string FullDate(int year, int month, int day) {
  std::string text = std::to_string(year);
  text += "年";
  text += std::to_string(month);
  text += "月";
  text += std::to_string(day);
  text += "日";
  return text;
}

void Add(std::string& text, const std::string& part) {
  if (!text.empty()) text += kSeparator;
  text += part;
}

}  // namespace

std::string DayAccessibleName(int year, int month, int day, const char* weekday) {
  return FullDate(year, month, day) + " " + weekday + "曜日";
}

std::string MemoDayLine(int year, int month, int day, const char* weekday,
                        const std::string& reach) {
  return FullDate(year, month, day) + " (" + weekday + ")　" + reach;
}

std::string DescribeDay(const DayFacts& facts, std::string (*word)(std::uint32_t)) {
  std::string text;
  if (facts.today) Add(text, word(IDS_ACC_TODAY));
  if (!facts.holidayName.empty()) {
    Add(text, word(IDS_ACC_HOLIDAY) + " " + facts.holidayName);
  } else if (facts.dayOff) {
    Add(text, word(IDS_ACC_DAY_OFF));
  }
  if (facts.mark != DayFacts::Mark::None) {
    Add(text,
        word(facts.mark == DayFacts::Mark::MadeDayOff ? IDS_ACC_MADE_OFF : IDS_ACC_MADE_WORKING));
  }
  if (!facts.memo.empty()) Add(text, word(IDS_ACC_MEMO) + facts.memo);
  if (!facts.extra.empty()) Add(text, facts.extra);
  return text;
}

}  // namespace tembori
