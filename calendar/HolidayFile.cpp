// Reading and checking the list of national holidays.
#include "calendar/HolidayFile.h"

#include <algorithm>

namespace tembori {
namespace {

// "国民の祝日・休日月日,国民の祝日・休日名称" and "休日" in Shift-JIS.
constexpr std::string_view kHeader =
    "\x8D\x91\x96\xAF\x82\xCC\x8F\x6A\x93\xFA\x81\x45\x8B\x78\x93\xFA\x8C\x8E\x93\xFA\x2C\x8D\x91"
    "\x96\xAF\x82\xCC\x8F\x6A\x93\xFA\x81\x45\x8B\x78\x93\xFA\x96\xBC\x8F\xCC";
constexpr std::string_view kDayOff = "\x8B\x78\x93\xFA";

constexpr int kFirstYear = 1851;
constexpr int kLastYear = 2150;

// The date of "yyyy/m/d" as yyyymmdd, 0 if it is none or outside the calendar's years.
std::int32_t ParseDate(std::string_view text) {
  constexpr std::size_t kMaxDigits[3] = {4, 2, 2};
  int fields[3] = {};
  for (int i = 0; i < 3; ++i) {
    std::size_t digits = 0;
    for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
      if (digits == kMaxDigits[i]) return 0;  // refused before the number outgrows int
      fields[i] = fields[i] * 10 + (text[digits] - '0');
    }
    if (digits == 0) return 0;
    text.remove_prefix(digits);
    // A slash after the year and the month, nothing after the day.
    if (i < 2 ? text.empty() || text.front() != '/' : !text.empty()) return 0;
    text.remove_prefix(i < 2 ? 1 : 0);
  }
  const int year = fields[0];
  const int month = fields[1];
  const int day = fields[2];
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) return 0;
  const bool leapYear = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  if (day < 1 || day > MonthLength(month, leapYear)) return 0;
  return year * 10000 + month * 100 + day;
}

// A name is printable text: no control characters, no second field.
bool IsName(std::string_view name) {
  return !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || c == ',';
  });
}

}  // namespace

HolidayFile::Error HolidayFile::Fail(Error error, std::size_t line) {
  days_.clear();
  error_ = error;
  badLine_ = line;
  return error;
}

HolidayFile::Error HolidayFile::Parse(std::string_view bytes) {
  if (bytes.size() > MaxBytes) return Fail(Error::TooLarge, 0);
  std::vector<Day> days;
  std::size_t lineNumber = 0;
  while (!bytes.empty()) {
    ++lineNumber;
    const std::size_t end = std::min(bytes.find('\n'), bytes.size());
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    if (lineNumber == 1) {
      if (line != kHeader) return Fail(Error::BadLine, lineNumber);
      continue;
    }
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) return Fail(Error::BadLine, lineNumber);
    const std::int32_t date = ParseDate(line.substr(0, comma));
    const std::string_view name = line.substr(comma + 1);
    if (date == 0 || !IsName(name) || (!days.empty() && date <= days.back().date)) {
      return Fail(Error::BadLine, lineNumber);
    }
    days.push_back({date, name == kDayOff, std::string(name)});
  }
  if (lineNumber == 0) return Fail(Error::BadLine, 1);  // not even the header
  days_ = std::move(days);
  error_ = Error::None;
  badLine_ = 0;
  return error_;
}

bool HolidayFile::Covers(int year) const {
  return !days_.empty() && year >= days_.front().date / 10000 && year <= days_.back().date / 10000;
}

const HolidayFile::Day* HolidayFile::Find(std::int32_t date) const {
  const auto found =
      std::lower_bound(days_.begin(), days_.end(), date,
                       [](const Day& day, std::int32_t value) { return day.date < value; });
  return found != days_.end() && found->date == date ? &*found : nullptr;
}

DayMask HolidayFile::Mask(int year, int month, bool daysOff) const {
  const std::int32_t first = year * 10000 + month * 100;
  DayMask mask = 0;
  for (auto day = std::lower_bound(days_.begin(), days_.end(), first,
                                   [](const Day&d, std::int32_t value) { return d.date < value; });
       day != days_.end() && day->date < first + 100; ++day) {
    if (day->dayOff == daysOff) mask |= DayBit(day->date % 100);
  }
  return mask;
}

DayMask HolidayFile::Holidays(int year, int month) const {
  return Mask(year, month, false);
}

DayMask HolidayFile::DaysOff(int year, int month) const {
  return Mask(year, month, true);
}

std::string_view HolidayFile::NameOf(int year, int month, int day) const {
  const Day* const found = Find(year * 10000 + month * 100 + day);
  return found == nullptr ? std::string_view() : std::string_view(found->name);
}

}  // namespace tembori
