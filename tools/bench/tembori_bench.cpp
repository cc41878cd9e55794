// tembori-bench: how long the month model takes per shown month. Sweeps every month from
// January 1851 to December 2150 by NextMonth, so each January recomputes its whole year,
// with marks stored in a fraction of the years, and prints nanoseconds per month. Like the
// window, it computes the holidays by the law as amended; --classic times the calendar's own
// rules instead (--law, its old switch, is still taken).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calendar/MonthCalendar.h"
#include "calendar/StandaloneCalendar.h"

namespace {

constexpr int kMonthsInRange = (tembori::MaxYear - tembori::MinYear + 1) * 12;

// Every seventh year carries marks; every fourteenth was marked against Sunday alone, so
// its first recomputation also reconciles.
void StoreSomeMarks(tembori::MemoryStore& store) {
  for (unsigned year = tembori::MinYear; year <= tembori::MaxYear; year += 7) {
    const std::string key = "Software\\Tembori\\Holiday\\" + std::to_string(year);
    store.PutDword(key, "RegularHoliday", year % 14 == 0 ? 0x10204081u : 0x183060C1u);
    for (unsigned month = 1; month <= 12; month += 3) {
      store.PutDword(key, std::to_string(month), 0x00010101u << (month % 5));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string rules = argc > 1 ? argv[1] : "";
  const bool classic = rules == "--classic";
  const int sweepsArgument = classic || rules == "--law" ? 2 : 1;
  const long sweeps = argc > sweepsArgument ? std::strtol(argv[sweepsArgument], nullptr, 10) : 200;
  if (sweeps <= 0 || argc > sweepsArgument + 1) {
    std::fprintf(stderr, "usage: tembori-bench [--law|--classic] [SWEEPS]\n");
    return 2;
  }

  tembori::StandaloneCalendar core(tembori::MakeDate(tembori::MinYear, 1, 1));
  core.settings.HolidayLaw = classic ? 0 : 1;
  StoreSomeMarks(core.store);
  tembori::MonthCalendar& calendar = core.calendar;

  // Summing the masks keeps the work observable so that none of it can be optimised away.
  std::uint64_t checksum = 0;
  const auto start = std::chrono::steady_clock::now();
  for (long sweep = 0; sweep < sweeps; ++sweep) {
    calendar.GoToToday();
    checksum += calendar.DayOffMask();
    for (int month = 1; month < kMonthsInRange; ++month) {
      calendar.NextMonth();
      checksum += calendar.DayOffMask();
    }
  }
  const auto elapsed = std::chrono::steady_clock::now() - start;

  const double months = static_cast<double>(sweeps) * kMonthsInRange;
  const double nanoseconds =
      static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count());
  std::printf("%ld sweeps of %d months: %.1f ns per month (checksum %llu)\n", sweeps,
              kMonthsInRange, nanoseconds / months, static_cast<unsigned long long>(checksum));
  return 0;
}
