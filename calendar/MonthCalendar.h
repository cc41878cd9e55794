// The month model behind the calendar window: today, the shown month, the national holidays
// of the shown year and the shown month's days off, with navigation and day queries.
// Platform-free; the window paints from the accessors and formats dates itself.
#pragma once

#include <array>
#include <cstdint>

#include "calendar/Clock.h"
#include "settings/KeyValueStore.h"
#include "settings/Settings.h"

namespace tembori {

// Day masks: bit (d - 1) stands for day d of a month. Weekdays: 0 = Sunday .. 6 = Saturday.
using DayMask = std::uint32_t;

constexpr DayMask DayBit(int day) {
  return DayMask{1} << (day - 1);
}

inline constexpr std::uint16_t MinYear = 1851;
inline constexpr std::uint16_t MaxYear = 2150;

// Days of the year before the first of each month, modulo 7: [leap year][month - 1].
inline constexpr std::array<std::array<std::uint16_t, 12>, 2> MonthStartOffset = {{
    {0, 3, 3, 6, 1, 4, 6, 2, 5, 0, 3, 5},
    {0, 3, 4, 0, 2, 5, 0, 3, 6, 1, 4, 6},
}};

// National holidays on fixed dates, element 0 = January.
inline constexpr std::array<DayMask, 12> BaseHolidayMask = {
    0x1, 0x400, 0, 0x10000000, 0x1C, 0, 0, 0, 0, 0, 0x400004, 0x400000,
};

// Sundays alone, laid out like the weekly day-off mask: right for a month that starts on Sunday.
inline constexpr DayMask SundayPattern = 0x10204081;

// Aligns a weekly pattern (seven bits repeated at shifts 0, 7, 14, 21 and 28) to a month whose
// day 1 falls on `firstWeekday`. Shifting by 28 rather than 32 works because 28 is whole weeks.
constexpr DayMask RotateWeekMask(DayMask mask, std::uint16_t firstWeekday) {
  const unsigned shift = firstWeekday % 7u;
  if (shift == 0) return mask;
  return (mask << (28 - shift)) | (mask >> shift);
}

// The days off that national holidays falling on a Sunday add: the day after each, once only.
// No holiday is the last day of its month, so the shift never leaves the month.
constexpr DayMask SubstituteDays(DayMask holidayMask, std::uint16_t firstWeekday) {
  return (holidayMask & RotateWeekMask(SundayPattern, firstWeekday)) << 1;
}

class MonthCalendar {
 public:
  // Reads today from the clock and shows its month; computes nothing else until RecomputeYear.
  MonthCalendar(const Clock& clock, KeyValueStore& store, const Settings& settings);

  // The whole shown year: year start, month, national holidays, reconciled marks, days off.
  void RecomputeYear();
  // Only the shown month's fields and days off.
  void RecomputeMonth();
  void ComputeYearStart();
  void ComputeMonth();

  // Navigation never leaves MinYear..MaxYear; at a limit it changes nothing.
  void NextYear();
  void PrevYear();
  void NextMonth();
  void PrevMonth();
  bool SetYear(std::uint16_t year);  // false, and nothing changes, outside the range
  void GoToToday();                  // the stored today, not a fresh clock reading
  bool RefreshToday();               // true when the clock has reached another date

  bool IsToday(int day) const;
  bool IsDayOff(int day) const;
  bool IsNationalHoliday(int day) const;
  // The string-table id of the shown month's name for `day`; false (id untouched) if none.
  bool GetDayName(int day, std::uint32_t& stringId) const;

  // Turns the day's status around by storing or removing its mark.
  void ToggleMark(int day);

  void ApplyNationalHolidays();
  void ComputeDayOffMask();
  // Drops the shown year's marks on weekdays whose weekly status has changed since they were made.
  void ReconcileWeeklyMarks();

  std::uint16_t DaysInMonth() const { return daysInMonth_; }
  std::uint16_t FirstWeekday() const { return firstWeekday_; }
  DayMask HolidayMask(int month) const;  // month 1..12; 0 outside
  DayMask DayOffMask() const { return dayOffMask_; }
  const SystemTime& Today() const { return today_; }
  const SystemTime& Shown() const { return shown_; }

 private:
  struct NamedDay {
    std::uint16_t day;
    std::uint32_t stringId;
  };
  struct NamedDayList {
    std::uint16_t count;
    std::array<NamedDay, 3> entries;
  };

  static std::array<NamedDayList, 12> InitialNamedDays();

  std::uint16_t WeekdayOfFirst(int month) const;
  std::uint16_t NthMonday(int month, int n) const;
  void SetMovableDay(int month, std::uint32_t stringId, std::uint16_t day);
  DayMask MovableHolidayBits(int month) const;  // the month's days of the movable holidays
  DayMask DayBitInMonth(int day) const;         // 0 for a day outside the shown month
  DayMask MonthDays() const;
  void ShowMonthOf(const SystemTime& date);

  const Clock& clock_;
  KeyValueStore& store_;
  const Settings& settings_;

  std::uint16_t daysInMonth_ = 0;
  std::uint16_t firstWeekday_ = 0;
  bool leapYear_ = false;
  std::uint16_t yearStartWeekday_ = 0;
  std::array<DayMask, 12> holidayMask_ = {};
  DayMask dayOffMask_ = 0;
  SystemTime today_;
  SystemTime shown_;
  DayMask vernalEquinoxBit_ = 0;
  DayMask autumnalEquinoxBit_ = 0;
  DayMask comingOfAgeBit_;
  DayMask healthSportsBit_;
  DayMask marineDayBit_;
  DayMask respectAgedBit_;
  std::array<NamedDayList, 12> namedDays_;
};

}  // namespace tembori
