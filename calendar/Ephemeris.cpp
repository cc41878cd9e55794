// The Sun after the planetary theory VSOP87 (Bretagnon and Francou, 1988), truncated as Jean
// Meeus gives the Earth's series in "Astronomical Algorithms" (2nd ed., 1998, chapter 32 and
// appendix III), with his FK5 correction, nutation in longitude (chapter 22, the short series)
// and aberration (chapter 25). New moons from the mean lunation and its periodic terms
// (chapter 49). Delta T from the polynomial expressions of Espenak and Meeus (NASA's "Five
// Millennium Canon of Solar Eclipses", 2006). Together within a few seconds of a modern
// ephemeris from 1900 to 2100.
#include "calendar/Ephemeris.h"

#include <cmath>
#include <cstdint>
#include <iterator>

namespace tembori {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180;
constexpr double kJ2000 = 2451545.0;
constexpr double kTropicalYear = 365.242189;
constexpr double kPhaseSteps = 65536;

// Packed small, as the program's size matters: whole amplitudes, the phase in steps of
// 2π/65536 and the frequency in single precision are ample for every term but the leading
// ones of L0 and L1, which are written out in SunLongitude in double precision.
struct Term {
  constexpr Term(double amplitudeIn, double phaseIn, double frequencyIn)
      : amplitude(static_cast<std::uint16_t>(amplitudeIn)),
        phase(static_cast<std::uint16_t>(phaseIn * kPhaseSteps / (2 * kPi) + 0.5)),
        frequency(static_cast<float>(frequencyIn)) {}
  std::uint16_t amplitude;
  std::uint16_t phase;
  float frequency;
};

// The Earth's heliocentric longitude: amplitudes in 1e-8 radian, tau in millennia from J2000.
constexpr Term kL0[] = {
    {3497, 2.7441, 5753.3849}, {3418, 2.8289, 3.5231},    {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194}, {2343, 6.1352, 3930.2097}, {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.6910},  {1199, 1.1096, 1577.3435}, {990, 5.233, 5884.927},
    {902, 2.045, 26.298},      {857, 3.508, 398.149},     {780, 1.179, 5223.694},
    {753, 2.533, 5507.553},    {505, 4.583, 18849.228},   {492, 4.205, 775.523},
    {357, 2.920, 0.067},       {317, 5.849, 11790.629},   {284, 1.899, 796.298},
    {271, 0.315, 10977.079},   {243, 0.345, 5486.778},    {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},    {202, 2.458, 6069.777},    {156, 0.833, 213.299},
    {132, 3.411, 2942.463},    {126, 1.083, 20.775},      {115, 0.645, 0.980},
    {103, 0.636, 4694.003},    {102, 0.976, 15720.839},   {102, 4.267, 7.114},
    {99, 6.21, 2146.17},       {98, 0.68, 155.42},        {86, 5.98, 161000.69},
    {85, 1.30, 6275.96},       {85, 3.67, 71430.70},      {80, 1.81, 17260.15},
    {79, 3.04, 12036.46},      {75, 1.76, 5088.63},       {74, 3.50, 3154.69},
    {74, 4.68, 801.82},        {70, 0.83, 9437.76},       {62, 3.98, 8827.39},
    {61, 1.82, 7084.90},       {57, 2.78, 6286.60},       {56, 4.39, 14143.50},
    {56, 3.47, 6279.55},       {52, 0.19, 12139.55},      {52, 1.33, 1748.02},
    {51, 0.28, 5856.48},       {49, 0.49, 1194.45},       {41, 5.37, 8429.24},
    {41, 2.40, 19651.05},      {39, 6.17, 10447.39},      {37, 6.04, 10213.29},
    {37, 2.57, 1059.38},       {36, 1.71, 2352.87},       {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},      {30, 0.44, 83996.85},      {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
};
constexpr Term kL1[] = {

    {4303, 2.6351, 12566.1517}, {425, 1.590, 3.523}, {119, 5.796, 26.298}, {109, 2.966, 1577.344},
    {93, 2.59, 18849.23},       {72, 1.14, 529.69},  {68, 1.87, 398.15},   {67, 4.41, 5507.55},
    {59, 2.89, 5223.69},        {56, 2.17, 155.42},  {45, 0.40, 796.30},   {36, 0.47, 775.52},
    {29, 2.65, 7.11},           {21, 5.34, 0.98},    {19, 1.85, 5486.78},  {19, 4.97, 213.30},
    {17, 2.99, 6275.96},        {16, 0.03, 2544.31}, {16, 1.43, 2146.17},  {15, 1.21, 10977.08},
    {12, 2.83, 1748.02},        {12, 3.26, 5088.63}, {12, 5.27, 1194.45},  {12, 2.08, 4694.00},
    {11, 0.77, 553.57},         {10, 1.30, 6286.60}, {10, 4.24, 1349.87},  {9, 2.70, 242.73},
    {9, 5.64, 951.72},          {8, 5.30, 2352.87},  {6, 2.65, 9437.76},   {6, 4.67, 4690.48},
};
constexpr Term kL2[] = {
    {52919, 0, 0},     {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},
    {16, 5.19, 26.30}, {16, 3.68, 155.42},        {10, 0.76, 18849.23},    {9, 2.06, 77713.77},
    {7, 0.83, 775.52}, {5, 4.66, 1577.34},        {4, 1.03, 7.11},         {4, 3.44, 5573.14},
    {3, 5.14, 796.30}, {3, 6.05, 5507.55},        {3, 1.19, 242.73},       {3, 6.12, 529.69},
    {3, 0.31, 398.15}, {3, 2.28, 553.57},         {2, 4.38, 5223.69},      {2, 3.75, 0.98},
};
constexpr Term kL3[] = {
    {289, 5.844, 6283.076}, {35, 0, 0},          {17, 5.49, 12566.15}, {3, 5.20, 155.42},
    {1, 4.72, 3.52},        {1, 5.30, 18849.23}, {1, 5.97, 242.73},
};
constexpr Term kL4[] = {{114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15}};
constexpr Term kL5[] = {{1, 3.14, 0}};

double Sum(const Term* terms, std::size_t count, double tau) {
  double sum = 0;
  for (const Term* term = terms; term != terms + count; ++term) {
    sum +=
        term->amplitude * std::cos(term->phase * (2 * kPi / kPhaseSteps) + term->frequency * tau);
  }
  return sum;
}

template <std::size_t N>
double Series(const Term (&terms)[N], double tau) {
  return Sum(terms, N, tau);
}

// The largest whole number not above `value`, which lies well within the range of int32: the
// C library's floor, made for every double, is the larger function.
std::int32_t WholeAtOrBelow(double value) {
  const auto whole = static_cast<std::int32_t>(value);  // toward zero
  return whole > value ? whole - 1 : whole;
}

double Normalised(double degrees) {
  const double reduced = std::fmod(degrees, 360.0);
  return reduced < 0 ? reduced + 360.0 : reduced;
}

// The difference a - b brought into -180..180 degrees.
double Difference(double a, double b) {
  return Normalised(a - b + 180.0) - 180.0;
}

}  // namespace

double Ephemeris::SunLongitude(double jde) {
  const double tau = (jde - kJ2000) / 365250.0;
  const double earth =
      (175347046.0 + 3341656.0 * std::cos(4.6692568 + 6283.0758500 * tau) +
       34894.0 * std::cos(4.62610 + 12566.15170 * tau) + Series(kL0, tau) +
       tau *
           (628331966747.0 + 206059.0 * std::cos(2.678235 + 6283.075850 * tau) + Series(kL1, tau) +
            tau * (Series(kL2, tau) +
                   tau * (Series(kL3, tau) + tau * (Series(kL4, tau) + tau * Series(kL5, tau)))))) *
      1e-8;
  // The radius vector in AU, only for the aberration, where its leading terms suffice.
  const double radius = 1.00013989 + 0.01670700 * std::cos(3.0984635 + 6283.0758500 * tau) +
                        0.00013956 * std::cos(3.05525 + 12566.15170 * tau) +
                        tau * 0.00103019 * std::cos(1.107490 + 6283.075850 * tau);
  const double t = tau * 10;  // centuries

  // Nutation in longitude: the largest terms of the IAU 1980 theory (Meeus, table 22.A), to
  // about a tenth of an arc second.
  const double d = (297.85036 + 445267.111480 * t) * kDegree;
  const double m = (357.52772 + 35999.050340 * t) * kDegree;
  const double mp = (134.96298 + 477198.867398 * t) * kDegree;
  const double f = (93.27191 + 483202.017538 * t) * kDegree;
  const double node = (125.04452 - 1934.136261 * t) * kDegree;
  struct Nutation {
    std::int8_t d, m, mp, f, node;
    float coefficient, rate;  // 0.0001 arc second, and per century
  };
  static constexpr Nutation kNutation[] = {
      {0, 0, 0, 0, 1, -171996, -174.2}, {-2, 0, 0, 2, 2, -13187, -1.6},
      {0, 0, 0, 2, 2, -2274, -0.2},     {0, 0, 0, 0, 2, 2062, 0.2},
      {0, 1, 0, 0, 0, 1426, -3.4},      {0, 0, 1, 0, 0, 712, 0.1},
      {-2, 1, 0, 2, 2, -517, 1.2},      {0, 0, 1, 2, 2, -386, -0.4},
      {-2, -1, 0, 2, 2, 217, -0.5},     {-2, 0, 1, 0, 0, -158, 0},
      {-2, 0, 0, 2, 1, 129, 0.1},       {0, 0, -1, 2, 2, 123, 0},
      {2, 0, 0, 0, 0, 63, 0},           {0, 0, 1, 0, 1, 63, 0.1},
      {2, 0, -1, 2, 2, -59, 0},         {0, 0, -1, 0, 1, -58, -0.1},
      {0, 0, 1, 2, 1, -51, 0},
  };
  double nutation = 0;
  for (const Nutation& n : kNutation) {
    nutation += (n.coefficient + n.rate * t) *
                std::sin(n.d * d + n.m * m + n.mp * mp + n.f * f + n.node * node);
  }
  nutation *= 1e-4;
  const double fk5 = -0.09033;
  const double aberration = -20.4898 / radius;
  return Normalised(earth / kDegree + 180.0 + (nutation + fk5 + aberration) / 3600.0);
}

double Ephemeris::SunReaches(double degrees, double nearJde) {
  // Secant steps, the first at the mean rate: from some days away the third step is already
  // below a second, and the step that small needs no further look.
  double jde = nearJde;
  double behind = Difference(degrees, SunLongitude(jde));
  double rate = 360.0 / kTropicalYear;
  for (int step = 0; step < 10; ++step) {
    const double days = behind / rate;
    if (std::fabs(days) < 1e-5) return jde + days;
    const double next = jde + days;
    const double nextBehind = Difference(degrees, SunLongitude(next));
    rate = (behind - nextBehind) / days;
    jde = next;
    behind = nextBehind;
  }
  return jde;
}

double Ephemeris::NewMoon(std::int32_t k) {
  const double kk = k;
  const double t = kk / 1236.85;
  const double t2 = t * t;
  const double t3 = t2 * t;
  const double t4 = t3 * t;
  double jde =
      2451550.09766 + 29.530588861 * kk + 0.00015437 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;
  const double e = 1 - 0.002516 * t - 0.0000074 * t2;
  const double m = (2.5534 + 29.10535670 * kk - 0.0000014 * t2 - 0.00000011 * t3) * kDegree;
  const double mp =
      (201.5643 + 385.81693528 * kk + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4) *
      kDegree;
  const double f =
      (160.7108 + 390.67050284 * kk - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4) *
      kDegree;
  const double omega = (124.7746 - 1.56375588 * kk + 0.0020672 * t2 + 0.00000215 * t3) * kDegree;

  // The periodic terms: coefficient in days, the power of e, and the multiples of M, M', F
  // and the node in the argument.
  struct Periodic {
    float coefficient;
    std::int8_t ePower, m, mp, f, node;
  };
  static constexpr Periodic kPeriodic[] = {
      {-0.40720f, 0, 0, 1, 0, 0}, {0.17241f, 1, 1, 0, 0, 0},    {0.01608f, 0, 0, 2, 0, 0},
      {0.01039f, 0, 0, 0, 2, 0},  {0.00739f, 1, -1, 1, 0, 0},   {-0.00514f, 1, 1, 1, 0, 0},
      {0.00208f, 2, 2, 0, 0, 0},  {-0.00111f, 0, 0, 1, -2, 0},  {-0.00057f, 0, 0, 1, 2, 0},
      {0.00056f, 1, 1, 2, 0, 0},  {-0.00042f, 0, 0, 3, 0, 0},   {0.00042f, 1, 1, 0, 2, 0},
      {0.00038f, 1, 1, 0, -2, 0}, {-0.00024f, 1, -1, 2, 0, 0},  {-0.00017f, 0, 0, 0, 0, 1},
      {-0.00007f, 0, 2, 1, 0, 0}, {0.00004f, 0, 0, 2, -2, 0},   {0.00004f, 0, 3, 0, 0, 0},
      {0.00003f, 0, 1, 1, -2, 0}, {0.00003f, 0, 0, 2, 2, 0},    {-0.00003f, 0, 1, 1, 2, 0},
      {0.00003f, 0, -1, 1, 2, 0}, {-0.00002f, 0, -1, 1, -2, 0}, {-0.00002f, 0, 1, 3, 0, 0},
      {0.00002f, 0, 0, 4, 0, 0},
  };
  for (const Periodic& p : kPeriodic) {
    const double factor = p.ePower == 0 ? 1.0 : p.ePower == 1 ? e : e * e;
    jde += p.coefficient * factor * std::sin(p.m * m + p.mp * mp + p.f * f + p.node * omega);
  }

  // The planetary arguments A1 to A14.
  struct Planetary {
    float coefficient;
    float start;
    float rate;
  };
  static constexpr Planetary kPlanetary[] = {
      {0.000325, 299.77, 0.107408},  {0.000165, 251.88, 0.016321}, {0.000164, 251.83, 26.651886},
      {0.000126, 349.42, 36.412478}, {0.000110, 84.66, 18.206239}, {0.000062, 141.74, 53.303771},
      {0.000060, 207.14, 2.453732},  {0.000056, 154.84, 7.306860}, {0.000047, 34.52, 27.261239},
      {0.000042, 207.19, 0.121824},  {0.000040, 291.34, 1.844379}, {0.000037, 161.72, 24.198154},
      {0.000035, 239.56, 25.513099}, {0.000023, 331.55, 3.592518},
  };
  for (std::size_t i = 0; i < std::size(kPlanetary); ++i) {
    const Planetary& p = kPlanetary[i];
    const double argument = p.start + p.rate * kk - (i == 0 ? 0.009173 * t2 : 0.0);
    jde += p.coefficient * std::sin(argument * kDegree);
  }
  return jde;
}

std::int32_t Ephemeris::NewMoonBefore(double jde) {
  // The true new moon lies within about 14 hours of the mean one.
  std::int32_t k = WholeAtOrBelow((jde - 2451550.09766) / 29.530588861);
  while (NewMoon(k + 1) <= jde) ++k;
  while (NewMoon(k) > jde) --k;
  return k;
}

double Ephemeris::DeltaT(double jde) {
  // Each span's polynomial in years from its origin, lowest power first; the two spans from
  // 2050 are Espenak and Meeus's parabolas written out in years from 2000.
  struct Span {
    float until;  // the first year after the span
    float origin;
    float coefficients[8];
  };
  static constexpr Span kSpans[] = {
      {1860,
       1800,
       {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699,
        0.000000000875}},
      {1900, 1860, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174}},
      {1920, 1900, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}},
      {1941, 1920, {21.20, 0.84493, -0.076100, 0.0020936}},
      {1961, 1950, {29.07, 0.407, -1.0 / 233, 1.0 / 2547}},
      {1986, 1975, {45.45, 1.067, -1.0 / 260, -1.0 / 718}},
      {2005, 2000, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}},
      {2050, 2000, {62.92, 0.32217, 0.005589}},
      {2150, 2000, {-0.74, 1.7148, 0.0032}},
      {1e9f, 2000, {83.68, 1.152, 0.0032}},
  };
  const double year = 2000.0 + (jde - 2451544.5) / 365.2425;
  const Span* span = kSpans;
  while (year >= span->until) ++span;
  const double t = year - span->origin;
  double sum = 0;
  for (std::size_t i = std::size(span->coefficients); i-- > 0;)
    sum = sum * t + span->coefficients[i];
  return sum;
}

std::int32_t Ephemeris::JstDay(double jde) {
  const double ut = jde - DeltaT(jde) / 86400.0;
  return WholeAtOrBelow(ut + 0.5 + 9.0 / 24.0);
}

}  // namespace tembori
