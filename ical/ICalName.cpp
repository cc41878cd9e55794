// One packed table of the names, without a pointer per name.
#include "ical/ICalName.h"

namespace tembori {

namespace {

// In the order of ICalName from Calendar on, each ending in a zero.
constexpr char kNames[] =
    "VCALENDAR\0VEVENT\0VTODO\0VJOURNAL\0VTIMEZONE\0STANDARD\0DAYLIGHT\0"
    "BEGIN\0END\0DTSTART\0DUE\0SUMMARY\0DESCRIPTION\0RRULE\0TZID\0TZOFFSETTO\0"
    "VALUE\0DATE\0"
    "FREQ\0YEARLY\0INTERVAL\0BYMONTH\0BYMONTHDAY\0BYDAY\0WKST\0"
    "SU\0MO\0TU\0WE\0TH\0FR\0SA";

}  // namespace

ICalName ICalNameOf(std::string_view upper) {
  std::string_view names(kNames, sizeof kNames);
  for (int number = 1; !names.empty(); ++number) {
    const std::size_t end = names.find('\0');
    if (names.substr(0, end) == upper) return static_cast<ICalName>(number);
    names.remove_prefix(end + 1);
  }
  return ICalName::Other;
}

}  // namespace tembori
