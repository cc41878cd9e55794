// The user's marks and the days off of the shown month. A mark flips the computed status of
// its day; marks live per year and month in the store, beside the weekly mask they were made
// against, so that a change of the weekly days off can drop the marks it has made meaningless.
#include <array>
#include <charconv>
#include <memory>
#include <string_view>

#include "calendar/MonthCalendar.h"
#include "settings/StoreValues.h"

namespace tembori {
namespace {

constexpr std::string_view kRegularHolidayValue = "RegularHoliday";

// A store name made of a prefix and a decimal number, built without the heap because it is
// needed on every change of month.
class NumberedName {
 public:
  NumberedName(std::string_view prefix, unsigned number) {
    prefix.copy(text_.data(), prefix.size());
    const auto result =
        std::to_chars(text_.data() + prefix.size(), text_.data() + text_.size(), number);
    length_ = static_cast<std::size_t>(result.ptr - text_.data());
  }
  operator std::string_view() const { return {text_.data(), length_}; }

 private:
  std::array<char, 40> text_ = {};
  std::size_t length_ = 0;
};

NumberedName YearKey(unsigned year) {
  return NumberedName("Software\\Tembori\\Holiday\\", year);
}
NumberedName MonthValue(unsigned month) {
  return NumberedName({}, month);
}

// A month without marks has no value at all; a stored 0 would only be noise.
void StoreMarks(StoreKey& key, std::string_view month, std::uint32_t marks) {
  if (marks != 0) {
    key.WriteDword(month, marks);
  } else {
    key.DeleteValue(month);
  }
}

}  // namespace

void MonthCalendar::ComputeDayOffMask() {
  DayMask daysOff = HolidayMask(shown_.wMonth) | RestDayMask();
  daysOff |= RotateWeekMask(settings_.RegularHoliday, firstWeekday_);

  std::unique_ptr<StoreKey> key;
  std::uint32_t marks = 0;
  if (store_.OpenKey(YearKey(shown_.wYear), key) == StoreResult::Ok &&
      ReadNumber(*key, MonthValue(shown_.wMonth), marks) != StoreResult::Ok) {
    marks = 0;
  }
  marks_ = marks & MonthDays();
  dayOffMask_ = (daysOff ^ marks) & MonthDays();
}

void MonthCalendar::ToggleMark(int day) {
  const DayMask bit = DayBitInMonth(day);
  if (bit == 0) return;

  std::unique_ptr<StoreKey> key;
  bool createdNew = false;
  if (store_.CreateKey(YearKey(shown_.wYear), key, &createdNew) != StoreResult::Ok) return;
  // The year's marks are made against today's weekly days off.
  if (createdNew) key->WriteDword(kRegularHolidayValue, settings_.RegularHoliday);

  const NumberedName month = MonthValue(shown_.wMonth);
  std::uint32_t marks = 0;
  if (ReadNumber(*key, month, marks) != StoreResult::Ok) marks = 0;
  marks ^= bit;
  marks_ ^= bit;
  dayOffMask_ ^= bit;
  StoreMarks(*key, month, marks);
}

void MonthCalendar::ReconcileWeeklyMarks() {
  std::unique_ptr<StoreKey> key;
  if (store_.OpenKeyToWrite(YearKey(shown_.wYear), key) != StoreResult::Ok) return;
  std::uint32_t madeAgainst = 0;
  if (ReadNumber(*key, kRegularHolidayValue, madeAgainst) != StoreResult::Ok) return;
  const DayMask changedWeekdays = madeAgainst ^ settings_.RegularHoliday;
  if (changedWeekdays == 0) return;

  key->WriteDword(kRegularHolidayValue, settings_.RegularHoliday);
  for (unsigned month = 1; month <= 12; ++month) {
    const NumberedName name = MonthValue(month);
    std::uint32_t marks = 0;
    if (ReadNumber(*key, name, marks) != StoreResult::Ok) continue;
    // A mark on a weekday whose weekly status changed would now flip it the other way.
    StoreMarks(*key, name, marks & ~RotateWeekMask(changedWeekdays, WeekdayOfFirst(month)));
  }
}

}  // namespace tembori
