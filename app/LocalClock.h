// The system's local time as the month model's clock.
#pragma once

#include "calendar/Clock.h"

namespace tembori {

class LocalClock : public Clock {
 public:
  SystemTime LocalTime() const override;
};

}  // namespace tembori
