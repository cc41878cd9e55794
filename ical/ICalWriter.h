// Writes one VCALENDAR of all-day events: CRLF line ends, folded lines, escaped texts.
#pragma once

#include <string>
#include <string_view>

#include "ical/ICalDate.h"

namespace tembori {

// Views of texts that the caller keeps while the event is added.
struct AllDayEvent {
  std::string_view uid;
  ICalDate date;
  std::string_view summary;  // UTF-8
  // The value of RRULE, empty for a single day.
  std::string_view rule;
  // A holiday neither blocks time in other calendars nor hides among the user's own events.
  bool holiday = false;
};

class ICalWriter {
 public:
  // `version` goes into PRODID; `stamp` (UTC) is every event's DTSTAMP.
  ICalWriter(std::string_view version, const ICalDateTime& stamp);

  void Add(const AllDayEvent& event);
  // The whole file, END:VCALENDAR included; the writer is spent.
  std::string Finish();

 private:
  // A content line from its name (with any parameters and the colon) and its value.
  void Line(std::string_view name, std::string_view value);

  std::string stamp_;
  std::string line_;
  std::string text_;
};

}  // namespace tembori
