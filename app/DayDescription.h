// What a screen reader says of a day: its name with the full date and weekday, and a
// description of what the eye sees in its cell.
#pragma once

#include <string>
#include <vector>

namespace tembori {

struct DayFacts {
  bool today = false;
  bool dayOff = false;
  std::string holidayName;  // a national holiday's name; empty on other days
  enum class Mark { None, MadeDayOff, MadeWorkingDay } mark = Mark::None;
  std::string memo;  // empty without a memo
  // Whatever else a cell comes to show (the day of the six-day cycle, when that is on),
  // in the order it is drawn.
  std::vector<std::string> extras;
};

// The program's words for the facts, from its string table.
struct DayWords {
  std::string today, dayOff, holiday, memo, madeDayOff, madeWorkingDay;
};

// "2026年12月25日 金曜日": `weekdays` holds the seven one-character names, Sunday first;
// weekday is 0 for Sunday.
std::string DayAccessibleName(int year, int month, int day, int weekday,
                              const std::string& weekdays);

// The facts in the order they show, each once, joined by "、": a national holiday is said
// with its name instead of as a day off.
std::string DescribeDay(const DayFacts& facts, const DayWords& words);

}  // namespace tembori
