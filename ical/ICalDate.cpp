// Date arithmetic and the date forms of iCalendar files.
#include "ical/ICalDate.h"

#include "calendar/CalendarArithmetic.h"

namespace tembori {

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  return MonthLength(month, IsLeapYear(year));
}

bool IsValidDate(const ICalDate& date) {
  return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
         date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

ICalDate NextDay(const ICalDate& date) {
  if (date.day < DaysInMonth(date.year, date.month)) return {date.year, date.month, date.day + 1};
  if (date.month < 12) return {date.year, date.month + 1, 1};
  return {date.year + 1, 1, 1};
}

ICalDate PreviousDay(const ICalDate& date) {
  if (date.day > 1) return {date.year, date.month, date.day - 1};
  if (date.month > 1) return {date.year, date.month - 1, DaysInMonth(date.year, date.month - 1)};
  return {date.year - 1, 12, 31};
}

int WeekdayOf(const ICalDate& date) {
  // Sakamoto's method.
  static constexpr int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int year = date.month < 3 ? date.year - 1 : date.year;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[date.month - 1] + date.day) % 7;
}

int FirstLeapYearFrom(int year) {
  while (!IsLeapYear(year)) ++year;
  return year;
}

void AppendZeroPadded(std::string& text, int value, int width) {
  char digits[12];
  char* const end = digits + sizeof digits;
  char* first = end;
  do {
    *--first = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0 || end - first < width);
  text.append(first, end);
}

std::string FormatDate(const ICalDate& date) {
  std::string text;
  AppendZeroPadded(text, date.year, 4);
  AppendZeroPadded(text, date.month, 2);
  AppendZeroPadded(text, date.day, 2);
  return text;
}

namespace {

// The `count` digits of `text` from `first`.
bool ParseDigits(std::string_view text, std::size_t first, std::size_t count, int& value) {
  value = 0;
  for (std::size_t i = first; i < first + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// YYYYMMDD at the start of `text`, which is long enough.
bool ParseDatePart(std::string_view text, ICalDate& date) {
  return ParseDigits(text, 0, 4, date.year) && ParseDigits(text, 4, 2, date.month) &&
         ParseDigits(text, 6, 2, date.day) && IsValidDate(date);
}

}  // namespace

bool ParseDate(std::string_view text, ICalDate& date) {
  ICalDate parsed;
  if (text.size() != 8 || !ParseDatePart(text, parsed)) return false;
  date = parsed;
  return true;
}

bool ParseDateTime(std::string_view text, ICalDateTime& time, bool& utc) {
  const bool zulu = text.size() == 16 && (text[15] == 'Z' || text[15] == 'z');
  if (text.size() != 15 && !zulu) return false;
  if (text[8] != 'T' && text[8] != 't') return false;
  ICalDateTime parsed;
  // A leap second (60) is allowed by the format and read as the minute's last second.
  if (!ParseDatePart(text, parsed.date) || !ParseDigits(text, 9, 2, parsed.hour) ||
      !ParseDigits(text, 11, 2, parsed.minute) || !ParseDigits(text, 13, 2, parsed.second) ||
      parsed.hour > 23 || parsed.minute > 59 || parsed.second > 60) {
    return false;
  }
  time = parsed;
  utc = zulu;
  return true;
}

ICalDateTime AddSeconds(const ICalDateTime& time, int seconds) {
  int ofDay = time.hour * 3600 + time.minute * 60 + time.second + seconds;
  ICalDateTime moved = time;
  while (ofDay < 0) {
    ofDay += 86400;
    moved.date = PreviousDay(moved.date);
  }
  while (ofDay >= 86400) {
    ofDay -= 86400;
    moved.date = NextDay(moved.date);
  }
  moved.hour = ofDay / 3600;
  moved.minute = ofDay / 60 % 60;
  moved.second = ofDay % 60;
  return moved;
}

}  // namespace tembori
