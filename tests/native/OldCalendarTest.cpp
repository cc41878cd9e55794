// The instants under the old calendar against an independent ephemeris: every new moon and
// 15° step of the Sun from 1900 to 2100 to the minute; and whole months beyond its years. Every
// day's old date, 六曜 and term of those years is compared with the same data through
// tembori-cal (cal.old_calendar_against_ephemeris).
#include <doctest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "calendar/Ephemeris.h"
#include "calendar/OldCalendar.h"

namespace tembori {
namespace {

struct EphemerisMonth {
  int first;  // yyyymmdd
  int month;
  int leap;
};

// Made from the npm package by tools/ephemeris-data/make-ephemeris-data.sh.
#include "data/Ephemeris.inc"

constexpr double kUnixEpoch = 2440587.5;  // 1970-01-01 00:00 UT as a Julian day

// The instant of the data in universal time, as a Julian day.
double UtOf(long long seconds) {
  return kUnixEpoch + static_cast<double>(seconds) / 86400.0;
}

double UtOfJde(double jde) {
  return jde - Ephemeris::DeltaT(jde) / 86400.0;
}

TEST_CASE("new moons and the Sun's 15-degree steps lie within a minute of the ephemeris") {
  double worstMoon = 0;
  const double firstJde = UtOf(kEphemerisNewMoons[0]) + 0.01;
  std::int32_t k = Ephemeris::NewMoonBefore(firstJde + 1);
  for (const long long seconds : kEphemerisNewMoons) {
    const double minutes = (UtOfJde(Ephemeris::NewMoon(k++)) - UtOf(seconds)) * 1440.0;
    worstMoon = std::max(worstMoon, std::fabs(minutes));
  }
  double worstSun = 0;
  int longitude = kEphemerisFirstTermLongitude;
  for (const long long seconds : kEphemerisTerms) {
    const double ut = UtOf(seconds);
    const double minutes = (UtOfJde(Ephemeris::SunReaches(longitude, ut + 3)) - ut) * 1440.0;
    worstSun = std::max(worstSun, std::fabs(minutes));
    longitude = (longitude + 15) % 360;
  }
  MESSAGE("worst new moon ", worstMoon * 60, " s, worst solar term ", worstSun * 60, " s");
  CHECK(worstMoon < 1.0);
  CHECK(worstSun < 1.0);
}

TEST_CASE("the years at both ends of the range, beyond the ephemeris, have whole months") {
  OldCalendar calendar;
  for (const int year : {1851, 2150}) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 28; ++day) {
        const OldDate date = calendar.DateOf(year, month, day);
        CHECK((date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 30));
      }
    }
  }
}

}  // namespace
}  // namespace tembori
