// A time zone as a file's VTIMEZONE describes it: its standard and daylight observances, each
// with an offset from UTC, a first onset and (usually) a yearly rule for later onsets, such as
// "the last Sunday of March". Enough to find the UTC time of a time written in that zone.
#pragma once

#include <string_view>
#include <vector>

#include "ical/ICalDate.h"

namespace tembori {

class ICalTimeZone {
 public:
  // `onset` is the observance's DTSTART, in the local time before it; `offset` its TZOFFSETTO
  // ("+0900", "-0430", "+053000"); `rule` its RRULE, empty for none. False (nothing added)
  // when the onset or the offset cannot be read.
  bool AddObservance(std::string_view onset, std::string_view offset, std::string_view rule);

  // The offset from UTC of a zone named by it, as some programs write TZID without describing
  // it: "UTC+09:00", "GMT-5", "UTC-05:30". False for any other name.
  static bool OffsetOfName(std::string_view name, int& offsetSeconds);

  bool Empty() const { return observances_.empty(); }

  // The UTC time of a time written in this zone. A zone without observances is UTC.
  ICalDateTime ToUtc(const ICalDateTime& local) const;

 private:
  struct Observance {
    ICalDateTime onset;
    int offsetSeconds = 0;
    bool yearly = false;
    int month = 0;          // BYMONTH
    int weekday = -1;       // BYDAY's day, 0 = Sunday; -1 for none
    int ordinal = 0;        // BYDAY's ordinal: 1..5, -1 the last, 0 none
    int firstMonthDay = 0;  // BYMONTHDAY's first day when it picks out a week (8,9,...,14)
  };

  // The onset of `observance` in `year`, false when it has none that year.
  static bool OnsetIn(const Observance& observance, int year, ICalDateTime& onset);

  std::vector<Observance> observances_;
};

}  // namespace tembori
