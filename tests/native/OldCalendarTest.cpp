// The old calendar, its 六曜 and the solar terms against an independent ephemeris: every new
// moon and 15° step of the Sun from 1900 to 2100 to the minute, every day's old date and every
// term's day, apart from the days the instants leave undecided; and the days calendars print.
#include <doctest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "calendar/DayNumber.h"
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

std::int32_t DayNumberOf(int yyyymmdd) {
  return DayNumber(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
}

bool Undecided(std::int32_t dayNumber) {
  const CivilDate date = CivilDateOf(dayNumber);
  const int yyyymmdd = date.year * 10000 + date.month * 100 + date.day;
  return std::binary_search(std::begin(kEphemerisUndecidedDays), std::end(kEphemerisUndecidedDays),
                            yyyymmdd);
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

TEST_CASE("every day from 1900 to 2100 has the ephemeris's old date apart from undecided days") {
  OldCalendar calendar;
  const std::int32_t last = DayNumber(2100, 12, 31);
  int compared = 0;
  int mismatched = 0;
  for (std::size_t i = 0; i < std::size(kEphemerisMonths); ++i) {
    const EphemerisMonth& month = kEphemerisMonths[i];
    const std::int32_t first = DayNumberOf(month.first);
    const std::int32_t end =
        i + 1 < std::size(kEphemerisMonths) ? DayNumberOf(kEphemerisMonths[i + 1].first) : last + 1;
    for (std::int32_t day = std::max(first, DayNumber(1900, 1, 1)); day < end; ++day) {
      if (Undecided(day)) continue;
      const CivilDate date = CivilDateOf(day);
      const OldDate old = calendar.DateOf(date.year, date.month, date.day);
      ++compared;
      const bool same =
          old.month == month.month && old.leap == (month.leap != 0) && old.day == day - first + 1;
      if (!same && ++mismatched <= 5) {
        FAIL_CHECK(date.year, "-", date.month, "-", date.day, ": ", int{old.leap}, " ",
                   int{old.month}, "/", int{old.day}, " instead of ", month.leap, " ", month.month,
                   "/", day - first + 1);
      }
    }
  }
  CHECK(compared > 73000);
  CHECK(mismatched == 0);
}

TEST_CASE("every solar term from 1900 to 2100 falls on the ephemeris's day") {
  OldCalendar calendar;
  int longitude = kEphemerisFirstTermLongitude;
  int compared = 0;
  for (const long long seconds : kEphemerisTerms) {
    const std::int32_t day =
        static_cast<std::int32_t>(std::floor(UtOf(seconds) + 0.5 + 9.0 / 24.0));
    const CivilDate date = CivilDateOf(day);
    const int term = longitude / 15;
    longitude = (longitude + 15) % 360;
    if (date.year < 1900 || date.year > 2100 || Undecided(day)) continue;
    ++compared;
    // The year's list and the day's own answer must agree, 小寒 first in the list.
    const std::size_t place = static_cast<std::size_t>((term + 5) % 24);
    CHECK_MESSAGE(calendar.TermDays(date.year)[place] == day, date.year, "-", date.month, "-",
                  date.day, " term ", term);
    CHECK(calendar.TermOn(date.year, date.month, date.day) == term);
  }
  CHECK(compared > 4750);
  // A day that holds no term says so.
  CHECK(calendar.TermOn(2026, 12, 6) == NoSolarTerm);
}

TEST_CASE("the days printed calendars show: 六曜 and terms and the leap 11th month of 2033") {
  OldCalendar calendar;
  const OldDate dec6 = calendar.DateOf(2026, 12, 6);
  CHECK(RokuyoOf(dec6) == Rokuyo::Sensho);
  const OldDate dec7 = calendar.DateOf(2026, 12, 7);
  CHECK(RokuyoOf(dec7) == Rokuyo::Tomobiki);
  CHECK(calendar.TermOn(2026, 12, 7) == 255 / 15);  // 大雪

  // The first day of the leap month, the day before it and the first of the 12th month.
  const OldDate leapFirst = calendar.DateOf(2033, 12, 22);
  CHECK(leapFirst.leap);
  CHECK(leapFirst.month == 11);
  CHECK(leapFirst.day == 1);
  CHECK(RokuyoOf(leapFirst) == Rokuyo::Taian);
  const OldDate before = calendar.DateOf(2033, 12, 21);
  CHECK_FALSE(before.leap);
  CHECK(before.month == 11);
  CHECK(before.day == 30);
  const OldDate twelfth = calendar.DateOf(2034, 1, 20);
  CHECK_FALSE(twelfth.leap);
  CHECK(twelfth.month == 12);
  CHECK(twelfth.day == 1);

  // Another year in between leaves the answers as they were.
  calendar.DateOf(1851, 1, 1);
  const OldDate again = calendar.DateOf(2033, 12, 22);
  CHECK(again.leap);
  CHECK(again.day == 1);
}

TEST_CASE("the years at both ends of the range have whole months") {
  OldCalendar calendar;
  for (const int year : {1851, 2150}) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 28; ++day) {
        const OldDate date = calendar.DateOf(year, month, day);
        CHECK(date.month >= 1);
        CHECK(date.month <= 12);
        CHECK(date.day >= 1);
        CHECK(date.day <= 30);
      }
    }
  }
}

}  // namespace
}  // namespace tembori
