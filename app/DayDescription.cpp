// The words a screen reader gets for a day, and the memo dialog's line of the full date.
#include "app/DayDescription.h"

#include "res/ResourceIds.h"

namespace tembori {
namespace {

constexpr char kSeparator[] = "、";

// "2026年12月25日", then `between` and the weekday's letter: `weekdays` holds seven
// characters of one width, whatever the encoding.
std::string DateAndWeekday(int year, int month, int day, int weekday, const std::string& weekdays,
                           const char* between) {
  std::string text = std::to_string(year);
  text += "年";
  text += std::to_string(month);
  text += "月";
  text += std::to_string(day);
  text += "日";
  text += between;
  const std::size_t width = weekdays.size() / 7;
  if (weekday >= 0 && weekday < 7) {
    text.append(weekdays, static_cast<std::size_t>(weekday) * width, width);
  }
  return text;
}

void Add(std::string& text, const std::string& part) {
  if (!text.empty()) text += kSeparator;
  text += part;
}

}  // namespace

std::string DayAccessibleName(int year, int month, int day, int weekday,
                              const std::string& weekdays) {
  return DateAndWeekday(year, month, day, weekday, weekdays, " ") + "曜日";
}

std::string MemoDayLine(int year, int month, int day, int weekday, const std::string& weekdays,
                        const std::string& reach) {
  return DateAndWeekday(year, month, day, weekday, weekdays, " (") + ")　" + reach;
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
