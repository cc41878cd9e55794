// The text of the memo pop-up for a day of the shown month.
#pragma once

#include <optional>
#include <string>

#include "calendar/MonthCalendar.h"
#include "memo/MemoStore.h"

namespace tembori {

// The day's memo, else its name (a national holiday, a day of the list of holidays or another
// named day) in the program's texts, else nothing.
std::optional<std::string> PopupTextForDay(MemoStore& store, const MonthCalendar& calendar,
                                           int day);

}  // namespace tembori
