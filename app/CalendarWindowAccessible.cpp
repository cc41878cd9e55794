// The calendar window for screen readers: its accessible object, the words for the heading
// and the days, and the focus event of the day cursor.
#include "app/CalendarWindow.h"

#include <new>

#include "app/CalendarAccessible.h"
#include "app/CalendarMarkText.h"
#include "app/DayDescription.h"
#include "app/DayNameText.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {

// Only the client area is the calendar's own; the frame, the caption and the children keep
// the platform's objects.
LRESULT CalendarWindow::OnGetObject(const Message& message) {
  if (static_cast<DWORD>(message.lParam) != static_cast<DWORD>(OBJID_CLIENT)) {
    return DefaultProcessing(message);
  }
  // Shared with the readers by reference counting; the window keeps one reference.
  if (accessible_ == nullptr) accessible_ = new (std::nothrow) CalendarAccessible(*this);
  if (accessible_ == nullptr) return DefaultProcessing(message);
  if (const auto result = accessible_->ResultFor(message.wParam)) return *result;
  return DefaultProcessing(message);
}

std::string CalendarWindow::HeadingText() const {
  return FormatHeading(calendar_, settings_.Language != 0);
}

std::string CalendarWindow::AccessibleDayName(int day) const {
  const SystemTime& shown = calendar_.Shown();
  const int weekday = (calendar_.FirstWeekday() + day - 1) % 7;
  return DayAccessibleName(shown.wYear, shown.wMonth, day, JapaneseWeekdayName(weekday));
}

std::string CalendarWindow::AccessibleDayDescription(int day) {
  DayFacts facts;
  facts.today = calendar_.IsToday(day);
  facts.dayOff = calendar_.IsDayOff(day);
  DayName name = DayName::None;
  if (calendar_.IsNationalHoliday(day) && calendar_.GetDayName(day, name)) {
    facts.holidayName = LoadResourceString(DayNameStringId(name));
  }
  if ((calendar_.MarkedDays() & DayBit(day)) != 0) {
    facts.mark = facts.dayOff ? DayFacts::Mark::MadeDayOff : DayFacts::Mark::MadeWorkingDay;
  }
  memos_.ReadMemo(day, facts.memo);
  if (settings_.Rokuyo != 0) {
    facts.extra = LoadResourceString(RokuyoStringId(RokuyoOf(calendar_.OldDateOf(day))));
  }
  return DescribeDay(facts, &LoadResourceString);
}

}  // namespace tembori
