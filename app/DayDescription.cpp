// The words a screen reader gets for a day.
#include "app/DayDescription.h"

namespace tembori {
namespace {

constexpr char kSeparator[] = "、";

}  // namespace

std::string DayAccessibleName(int year, int month, int day, int weekday,
                              const std::string& weekdays) {
  std::string name =
      std::to_string(year) + "年" + std::to_string(month) + "月" + std::to_string(day) + "日 ";
  // Seven characters of one width, whatever the encoding.
  const std::size_t width = weekdays.size() / 7;
  if (weekday >= 0 && weekday < 7 && width > 0) {
    name += weekdays.substr(static_cast<std::size_t>(weekday) * width, width) + "曜日";
  }
  return name;
}

std::string DescribeDay(const DayFacts& facts, const DayWords& words) {
  std::vector<std::string> parts;
  if (facts.today) parts.push_back(words.today);
  if (!facts.holidayName.empty()) {
    parts.push_back(words.holiday + " " + facts.holidayName);
  } else if (facts.dayOff) {
    parts.push_back(words.dayOff);
  }
  if (facts.mark == DayFacts::Mark::MadeDayOff) parts.push_back(words.madeDayOff);
  if (facts.mark == DayFacts::Mark::MadeWorkingDay) parts.push_back(words.madeWorkingDay);
  if (!facts.memo.empty()) parts.push_back(words.memo + facts.memo);
  parts.insert(parts.end(), facts.extras.begin(), facts.extras.end());
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += kSeparator;
    text += part;
  }
  return text;
}

}  // namespace tembori
