// Reads the dated entries of an iCalendar file as real calendars write it: CRLF or LF, folded
// lines, a byte order mark, names in any case, parameters, UTC and zoned times, and whatever
// properties and components it does not need skipped. A file that is not iCalendar is refused
// with the line where that shows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ical/ICalDate.h"
#include "ical/LocalTimeZone.h"

namespace tembori {

// Larger files are refused unread.
inline constexpr std::size_t kMaxICalBytes = 10 * 1024 * 1024;

enum class ICalRecurrence {
  None,
  YearlyForever,  // every year on the start's month and day, without end
  Other,          // any other rule: only the first occurrence is known here
};

// A VEVENT, a VTODO or a VJOURNAL.
struct ICalEntry {
  int line = 0;        // of its BEGIN
  bool dated = false;  // false when it has no date this program can read
  ICalDate date;       // the local date of its start (a to-do's due date)
  ICalRecurrence recurrence = ICalRecurrence::None;
  std::string text;  // UTF-8: the first line of its summary, or else of its description
};

enum class ICalReadError {
  None,
  TooLarge,      // line 0
  NotICalendar,  // a line that is no content line, or content outside any component
  NoCalendar,    // content, but the first component is no VCALENDAR (or the file is empty)
  InvalidUtf8,
  Unbalanced,  // an END that matches no BEGIN, or a component left open at the end
};

struct ICalReadResult {
  ICalReadError error = ICalReadError::None;
  int line = 0;  // the (first physical) line of the fault, counted from 1
  std::vector<ICalEntry> entries;
};

// `zone` gives the local date of UTC times and of times in a zone that the file describes.
ICalReadResult ReadICalendar(std::string_view bytes, const LocalTimeZone& zone);

}  // namespace tembori
