// The instants the old calendar and the solar terms are made of: new moons and the moments the
// Sun's apparent longitude reaches a given value, in Julian Ephemeris Days (dynamical time),
// and their day in Japan Standard Time.
#pragma once

#include <cstdint>

namespace tembori {

class Ephemeris {
 public:
  // The k-th new moon counted from that of 6 January 2000 (k = 0).
  static double NewMoon(std::int32_t k);
  // The number k of the last new moon on or before the Julian Ephemeris Day `jde`.
  static std::int32_t NewMoonBefore(double jde);
  // The Sun's apparent geocentric longitude in degrees, 0 <= result < 360.
  static double SunLongitude(double jde);
  // The moment nearest `nearJde` (within some ten days) when the Sun's longitude is `degrees`.
  static double SunReaches(double degrees, double nearJde);
  // Terrestrial minus universal time, in seconds, for the Julian Ephemeris Day `jde`.
  static double DeltaT(double jde);
  // The day number (see DayNumber.h) of the day in Japan Standard Time that holds `jde`.
  static std::int32_t JstDay(double jde);
};

}  // namespace tembori
