// The Cabinet Office's list of national holidays, "syukujitsu.csv": Shift-JIS text, a fixed
// header line, then "yyyy/m/d,name" per day in date order, days off in between or in place of
// a holiday named "休日". A damaged file is refused as a whole, with the first bad line, so
// that the calendar never shows half a list. Names stay Shift-JIS bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/CalendarArithmetic.h"

namespace tembori {

class HolidayFile {
 public:
  enum class Error : std::uint8_t { None, Unreadable, TooLarge, BadLine };
  static constexpr std::size_t MaxBytes = 1024 * 1024;

  // Replaces the list with the one in the file's bytes, or empties it and keeps the error.
  // Reading the file is the caller's (Unreadable is its error): the window reads it with
  // the platform's file functions, which it has anyway.
  Error Parse(std::string_view bytes);
  Error LastError() const { return error_; }
  // The first line (from 1, the header being 1) that is not as it should be, for BadLine.
  std::size_t BadLine() const { return badLine_; }

  // Whether the list speaks for the year: from the year of its first day to that of its last.
  bool Covers(int year) const;
  // The named holidays (circled) and the days off (named "休日") of a month (1..12).
  DayMask Holidays(int year, int month) const;
  DayMask DaysOff(int year, int month) const;
  // The day's name as the file gives it, empty if the file does not list the day.
  std::string_view NameOf(int year, int month, int day) const;

 private:
  struct Day {
    std::int32_t date;  // yyyymmdd
    bool dayOff;
    std::string name;
  };

  Error Fail(Error error, std::size_t line);
  const Day* Find(std::int32_t date) const;
  DayMask Mask(int year, int month, bool daysOff) const;

  std::vector<Day> days_;
  Error error_ = Error::None;
  std::size_t badLine_ = 0;
};

}  // namespace tembori
