// The text of the memo pop-up for a day of the shown month.
#pragma once

#include <optional>
#include <string>

#include "calendar/MonthCalendar.h"
#include "memo/MemoStore.h"

namespace tembori {

// The day's memo, else its name (a national holiday, a day of the list of holidays or another
// named day) in the program's texts, else nothing. With `marks`, the day's 六曜 and its solar
// term follow after a full-width space each ("文化の日　大安", "大安　立冬"), so every day has a
// text.
std::optional<std::string> PopupTextForDay(MemoStore& store, const MonthCalendar& calendar, int day,
                                           bool marks);

}  // namespace tembori
