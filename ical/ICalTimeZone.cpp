// Onsets of the observances of a described time zone and the offset that holds at a time.
#include "ical/ICalTimeZone.h"

#include <algorithm>
#include <climits>

#include "ical/ICalName.h"

namespace tembori {

namespace {

bool ParseOffset(std::string_view text, int& seconds) {
  if (text.size() != 5 && text.size() != 7) return false;
  if (text[0] != '+' && text[0] != '-') return false;
  int parts[3] = {0, 0, 0};
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    parts[(i - 1) / 2] = parts[(i - 1) / 2] * 10 + (text[i] - '0');
  }
  seconds = (parts[0] * 3600 + parts[1] * 60 + parts[2]) * (text[0] == '-' ? -1 : 1);
  return true;
}

// The number that a text starts with, as the C library's atoi reads it: blanks and a sign
// first, anything after the digits left; 0 for none. Beyond the range of int it saturates.
int LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  // Counted below zero, where int reaches one further.
  int number = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    number = number < (INT_MIN + digit) / 10 ? INT_MIN : number * 10 - digit;
  }
  if (negative) return number;
  return number == INT_MIN ? INT_MAX : -number;
}

// 0 = Sunday .. 6 = Saturday, -1 for no weekday.
int WeekdayNumber(std::string_view name) {
  const int number = static_cast<int>(ICalNameOf(name)) - static_cast<int>(ICalName::Sunday);
  return number >= 0 && number < 7 ? number : -1;
}

bool Later(const ICalDateTime& a, const ICalDateTime& b) {
  if (a.date != b.date) return b.date < a.date;
  if (a.hour != b.hour) return a.hour > b.hour;
  if (a.minute != b.minute) return a.minute > b.minute;
  return a.second > b.second;
}

}  // namespace

bool ICalTimeZone::AddObservance(std::string_view onset, std::string_view offset,
                                 std::string_view rule) {
  Observance observance;
  bool utc = false;
  if (!ParseDateTime(onset, observance.onset, utc) ||
      !ParseOffset(offset, observance.offsetSeconds)) {
    return false;
  }
  bool yearly = false;
  while (!rule.empty()) {
    const std::size_t end = rule.find(';');
    const std::string_view part = rule.substr(0, end);
    rule = end == std::string_view::npos ? std::string_view() : rule.substr(end + 1);
    const std::size_t equals = part.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view value = part.substr(equals + 1);
    switch (ICalNameOf(part.substr(0, equals))) {
      case ICalName::Frequency:
        yearly = ICalNameOf(value) == ICalName::Yearly;
        break;
      case ICalName::ByMonth:
        observance.month = LeadingNumber(value);
        break;
      case ICalName::ByMonthDay:
        observance.firstMonthDay = LeadingNumber(value);
        break;
      case ICalName::ByDay:
        if (value.size() < 2) break;
        observance.weekday = WeekdayNumber(value.substr(value.size() - 2));
        observance.ordinal = LeadingNumber(value.substr(0, value.size() - 2));
        break;
      default:
        break;
    }
  }
  observance.yearly = yearly && observance.month >= 1 && observance.month <= 12;
  observances_.push_back(observance);
  return true;
}

bool ICalTimeZone::OffsetOfName(std::string_view name, int& offsetSeconds) {
  if (name.size() < 5 || (name.substr(0, 3) != "UTC" && name.substr(0, 3) != "GMT") ||
      (name[3] != '+' && name[3] != '-')) {
    return false;
  }
  int digits = 0;
  int hoursAndMinutes = 0;
  for (const char c : name.substr(4)) {
    if (c >= '0' && c <= '9' && digits < 4) {
      hoursAndMinutes = hoursAndMinutes * 10 + (c - '0');
      ++digits;
    } else if (c != ':') {
      return false;
    }
  }
  if (digits == 0) return false;
  // "9" and "09" are whole hours; "930" is 09:30.
  if (digits <= 2) hoursAndMinutes *= 100;
  offsetSeconds =
      (hoursAndMinutes / 100 * 3600 + hoursAndMinutes % 100 * 60) * (name[3] == '-' ? -1 : 1);
  return true;
}

bool ICalTimeZone::OnsetIn(const Observance& observance, int year, ICalDateTime& onset) {
  if (!observance.yearly) {
    if (observance.onset.date.year != year) return false;
    onset = observance.onset;
    return true;
  }
  if (year < observance.onset.date.year) return false;
  ICalDate day{year, observance.month, 1};
  const int length = DaysInMonth(year, observance.month);
  if (observance.weekday < 0) {
    day.day = observance.firstMonthDay >= 1 && observance.firstMonthDay <= length
                  ? observance.firstMonthDay
                  : observance.onset.date.day;
    if (day.day > length) return false;
  } else if (observance.firstMonthDay > 0) {
    day.day = observance.firstMonthDay;
    while (day.day < length && WeekdayOf(day) != observance.weekday) ++day.day;
  } else if (observance.ordinal < 0) {
    day.day = length;
    while (WeekdayOf(day) != observance.weekday) --day.day;
  } else {
    while (WeekdayOf(day) != observance.weekday) ++day.day;
    // "The fifth" in a month that has four is the last, and so is any larger ordinal a file
    // may write: a month has no sixth Sunday.
    const int weeks = std::clamp(observance.ordinal, 1, 5) - 1;
    day.day += 7 * weeks;
    if (day.day > length) day.day -= 7;
  }
  onset = observance.onset;
  onset.date = day;
  return true;
}

ICalDateTime ICalTimeZone::ToUtc(const ICalDateTime& local) const {
  // The observance whose latest onset is not after the time holds.
  const Observance* holding = nullptr;
  ICalDateTime holdingOnset;
  for (const Observance& observance : observances_) {
    ICalDateTime onset;
    bool found = OnsetIn(observance, local.date.year, onset) && !Later(onset, local);
    if (!found && observance.yearly) found = OnsetIn(observance, local.date.year - 1, onset);
    if (!found && !observance.yearly && !Later(observance.onset, local)) {
      onset = observance.onset;
      found = true;
    }
    if (found && (holding == nullptr || Later(onset, holdingOnset))) {
      holding = &observance;
      holdingOnset = onset;
    }
  }
  // Before every onset, the earliest observance is the best guess.
  if (holding == nullptr && !observances_.empty()) holding = &observances_.front();
  return AddSeconds(local, holding == nullptr ? 0 : -holding->offsetSeconds);
}

}  // namespace tembori
