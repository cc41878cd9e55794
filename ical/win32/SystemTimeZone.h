// The local time zone of the system, with its daylight saving rules for each year.
#pragma once

#include "ical/LocalTimeZone.h"

namespace tembori {

class SystemTimeZone : public LocalTimeZone {
 public:
  ICalDateTime FromUtc(const ICalDateTime& utc) const override;
};

}  // namespace tembori
