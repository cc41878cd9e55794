// A clock that reads whatever date it was given: for the tools, which show a chosen month,
// and for tests, which need today to stand still or move on command.
#pragma once

#include <cstdint>

#include "calendar/Clock.h"

namespace tembori {

constexpr SystemTime MakeDate(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  SystemTime date;
  date.wYear = year;
  date.wMonth = month;
  date.wDay = day;
  return date;
}

class FixedClock : public Clock {
 public:
  explicit FixedClock(const SystemTime& now) : now_(now) {}

  SystemTime LocalTime() const override { return now_; }
  void Set(const SystemTime& now) { now_ = now; }

 private:
  SystemTime now_;
};

}  // namespace tembori
