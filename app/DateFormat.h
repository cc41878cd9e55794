// Dates of the month model as text, through the platform's locale-aware date formatting.
#pragma once

#include <windows.h>

#include "calendar/MonthCalendar.h"

namespace tembori {

inline constexpr int kFormatToday = 1;
inline constexpr int kFormatShown = 0;

// Formats the model's today (which = kFormatToday) or its shown month (any other value) with
// GetDateFormatA and returns its result: the length written including the terminator, the
// length needed when size is 0, or 0 on failure.
int FormatDate(const MonthCalendar& calendar, LCID locale, DWORD flags, const char* picture,
               char* buffer, int size, int which);

}  // namespace tembori
