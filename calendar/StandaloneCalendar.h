// A month model that owns its clock, an in-memory store of marks and default settings:
// for the command-line tools and the tests, which have no registry and choose their today.
#pragma once

#include "calendar/FixedClock.h"
#include "calendar/MonthCalendar.h"
#include "settings/MemoryStore.h"
#include "settings/Settings.h"

namespace tembori {

struct StandaloneCalendar {
  // Shows the month of `today`; like the window, nothing is computed until RecomputeYear.
  explicit StandaloneCalendar(const SystemTime& today)
      : clock(today), calendar(clock, store, settings) {}
  StandaloneCalendar(const StandaloneCalendar&) = delete;
  StandaloneCalendar& operator=(const StandaloneCalendar&) = delete;

  FixedClock clock;
  MemoryStore store;
  Settings settings;
  MonthCalendar calendar;
};

}  // namespace tembori
