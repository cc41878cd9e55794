// The month model behind the calendar window: today, the shown month, the national holidays
// of the shown year and the shown month's days off, with navigation and day queries.
// The holidays follow the calendar's own rules, or the law as amended when the settings ask
// for it (HolidayLaw), from the law's first year on; the queries are the same for both. With
// the law, a list of holidays from the government replaces them in the years it covers.
// Platform-free; the window paints from the accessors and formats dates itself.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "calendar/CalendarArithmetic.h"
#include "calendar/Clock.h"
#include "calendar/DayName.h"
#include "calendar/HolidayFile.h"
#include "calendar/LawHolidays.h"
#include "calendar/OldCalendar.h"
#include "settings/KeyValueStore.h"
#include "settings/Settings.h"

namespace tembori {

inline constexpr std::uint16_t MinYear = 1851;
inline constexpr std::uint16_t MaxYear = 2150;

// National holidays on fixed dates, element 0 = January.
inline constexpr std::array<DayMask, 12> BaseHolidayMask = {
    0x1, 0x400, 0, 0x10000000, 0x1C, 0, 0, 0, 0, 0, 0x400004, 0x400000,
};

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
  // Also what applies a changed choice of holiday rules.
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
  // The shown month's name for `day`; false (name untouched) if it has none or its name is
  // the list's (ListedName).
  bool GetDayName(int day, DayName& name) const;
  // The name that the list of holidays gives the day (Shift-JIS), empty if none.
  std::string_view ListedName(int day) const;

  // The shown month's day in the old calendar, and the solar term on it (NoSolarTerm if none);
  // `day` must lie in the month. Their year is computed on first use and kept.
  OldDate OldDateOf(int day) const;
  SolarTerm SolarTermOf(int day) const;

  // The list that the law's rules give way to in the years it covers; null for none. The
  // list must outlive its use; RecomputeYear shows the change.
  void SetHolidayFile(const HolidayFile* file) { holidayFile_ = file; }

  // Turns the day's status around by storing or removing its mark.
  void ToggleMark(int day);

  void ApplyNationalHolidays();
  void ComputeDayOffMask();
  // Drops the shown year's marks on weekdays whose weekly status has changed since they were made.
  void ReconcileWeeklyMarks();

  std::uint16_t DaysInMonth() const { return daysInMonth_; }
  std::uint16_t FirstWeekday() const { return firstWeekday_; }
  DayMask HolidayMask(int month) const;  // month 1..12; 0 outside
  // The shown month's days off by the holiday rules that are no national holidays.
  DayMask RestDayMask() const;
  DayMask DayOffMask() const { return dayOffMask_; }
  // The shown month's days whose status a stored mark has turned around.
  DayMask MarkedDays() const { return marks_; }
  const SystemTime& Today() const { return today_; }
  const SystemTime& Shown() const { return shown_; }

 private:
  struct NamedDay {
    std::uint16_t day;
    DayName name;
  };
  struct NamedDayList {
    std::uint16_t count;
    std::array<NamedDay, 3> entries;
  };

  static std::array<NamedDayList, 12> InitialNamedDays();

  std::uint16_t WeekdayOfFirst(int month) const;
  std::uint16_t NthMonday(int month, int n) const;
  void SetMovableDay(int month, DayName name, std::uint16_t day);
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
  DayMask marks_ = 0;
  SystemTime today_;
  SystemTime shown_;
  DayMask vernalEquinoxBit_ = 0;
  DayMask autumnalEquinoxBit_ = 0;
  DayMask comingOfAgeBit_;
  DayMask healthSportsBit_;
  DayMask marineDayBit_;
  DayMask respectAgedBit_;
  std::array<NamedDayList, 12> namedDays_;
  // The shown year follows the law rather than the calendar's own rules.
  bool lawInForce_ = false;
  LawHolidays law_;
  const HolidayFile* holidayFile_ = nullptr;
  // A cache, filled by the const queries above.
  mutable OldCalendar oldCalendar_;
  // The shown year follows the list of holidays (and lawInForce_ is true).
  bool listInForce_ = false;
};

}  // namespace tembori
