// The user's time zone, as far as reading a calendar file needs it: the local date and time of
// a UTC time. Behind an interface so that the core stays platform-free and tests choose the zone.
#pragma once

#include "ical/ICalDate.h"

namespace tembori {

class LocalTimeZone {
 public:
  virtual ~LocalTimeZone() = default;
  virtual ICalDateTime FromUtc(const ICalDateTime& utc) const = 0;
};

}  // namespace tembori
