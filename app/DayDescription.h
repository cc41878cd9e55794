// What a screen reader says of a day: its name with the full date and weekday, and a
// description of what the eye sees in its cell.
#pragma once

#include <cstdint>
#include <string>

namespace tembori {

struct DayFacts {
  bool today = false;
  bool dayOff = false;
  std::string holidayName;  // a national holiday's name; empty on other days
  enum class Mark { None, MadeDayOff, MadeWorkingDay } mark = Mark::None;
  std::string memo;  // empty without a memo
  // Whatever else a cell comes to show (the day of the six-day cycle, when that is on),
  // said last.
  std::string extra;
};

// "2026年12月25日 金曜日", with `weekday` the weekday's one-character name.
std::string DayAccessibleName(int year, int month, int day, const char* weekday);

// The memo dialog's line under its label: "2026年12月25日 (金)　" and `reach`, whether the
// memo returns every year or belongs to that year.
std::string MemoDayLine(int year, int month, int day, const char* weekday,
                        const std::string& reach);

// The facts in the order they show, each once, joined by "、": a national holiday is said
// with its name instead of as a day off. The words come from `text`, a string-table lookup
// of IDS_ACC_TODAY and its neighbours.
std::string DescribeDay(const DayFacts& facts, std::string (*text)(std::uint32_t));

}  // namespace tembori
