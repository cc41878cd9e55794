// tembori-bench-old-calendar: how long the old calendar takes for a shown month's days (their
// old dates, 六曜 and solar terms). Sweeps every month from 1851 to 2150 with a fresh year
// each January, as the window does when paging, and prints the median time of the Januaries,
// which compute their year, and of the other months, which find it computed (medians, since
// a shared machine's pauses would swamp a mean or a maximum).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "calendar/CalendarArithmetic.h"
#include "calendar/OldCalendar.h"

int main(int argc, char** argv) {
  const long sweeps = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 3;
  if (sweeps <= 0 || argc > 2) {
    std::fprintf(stderr, "usage: tembori-bench-old-calendar [SWEEPS]\n");
    return 2;
  }
  using Clock = std::chrono::steady_clock;
  std::uint64_t checksum = 0;  // keeps the work observable
  std::vector<Clock::duration> januaries;
  std::vector<Clock::duration> others;
  for (long sweep = 0; sweep < sweeps; ++sweep) {
    tembori::OldCalendar calendar;
    for (int year = 1851; year <= 2150; ++year) {
      const bool leapYear = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
      for (int month = 1; month <= 12; ++month) {
        const auto start = Clock::now();
        for (int day = 1; day <= tembori::MonthLength(month, leapYear); ++day) {
          const tembori::OldDate date = calendar.DateOf(year, month, day);
          checksum += static_cast<std::uint64_t>(tembori::RokuyoOf(date)) + date.leap +
                      calendar.TermOn(year, month, day);
        }
        const auto elapsed = Clock::now() - start;
        (month == 1 ? januaries : others).push_back(elapsed);
      }
    }
  }
  const auto microseconds = [](Clock::duration d) {
    return static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count()) /
           1000.0;
  };
  const auto median = [&microseconds](std::vector<Clock::duration>& times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return microseconds(times[times.size() / 2]);
  };
  std::printf(
      "%zu months: %.1f us for a month that computes its year, %.1f us for another "
      "(checksum %llu)\n",
      januaries.size() + others.size(), median(januaries), median(others),
      static_cast<unsigned long long>(checksum));
  return 0;
}
