// The months of the old calendar from new moons and the Sun's principal terms.
#include "calendar/OldCalendar.h"

#include <algorithm>

#include "calendar/DayNumber.h"
#include "calendar/Ephemeris.h"

namespace tembori {
namespace {

constexpr double kMeanTermDays = 365.242189 / 24;

// A Julian Ephemeris Day near the start of a date, close enough as a first guess.
double ApproximateJde(int year, int month, int day) {
  return DayNumber(year, month, day) - 0.5;
}

}  // namespace

OldDate OldCalendar::DateOf(int year, int month, int day) {
  const Year& computed = Computed(year);
  const std::int32_t number = DayNumber(year, month, day);
  // The last month that starts on or before the day; the first entry always does.
  const auto after = std::upper_bound(
      computed.months.begin() + 1, computed.months.begin() + computed.monthCount, number,
      [](std::int32_t value, const MonthStart& start) { return value < start.day; });
  const MonthStart& start = *(after - 1);
  return {start.number, static_cast<std::uint8_t>(number - start.day + 1), start.leap};
}

SolarTerm OldCalendar::TermOn(int year, int month, int day) {
  const auto& days = TermDays(year);
  const std::int32_t number = DayNumber(year, month, day);
  const auto found = std::find(days.begin(), days.end(), number);
  if (found == days.end()) return NoSolarTerm;
  // Element 0 is 小寒 at 285°, the 19th term from 春分.
  return static_cast<SolarTerm>((found - days.begin() + 19) % 24);
}

const std::array<std::int32_t, 24>& OldCalendar::TermDays(int year) {
  return Computed(year).termDays;
}

const OldCalendar::Year& OldCalendar::Computed(int year) {
  if (year_.year != year) Compute(year);
  return year_;
}

void OldCalendar::Compute(int year) {
  year_.year = year;
  // The terms of the year, each sought near the one before plus a mean term's length.
  double solsticeBefore = Ephemeris::SunReaches(270, ApproximateJde(year - 1, 12, 21));
  std::array<double, 24> terms;
  double guess = solsticeBefore;
  for (int i = 0; i < 24; ++i) {
    guess = Ephemeris::SunReaches((285 + 15 * i) % 360, guess + kMeanTermDays);
    terms[i] = guess;
    year_.termDays[i] = Ephemeris::JstDay(guess);
  }
  const double solstice = terms[23];
  const double solsticeAfter = Ephemeris::SunReaches(270, ApproximateJde(year + 1, 12, 21));

  // The month holding a solstice: the last new moon on or before its day in Japan.
  const auto monthOf = [](std::int32_t solsticeDay, double solsticeJde) {
    std::int32_t k = Ephemeris::NewMoonBefore(solsticeJde);
    while (Ephemeris::JstDay(Ephemeris::NewMoon(k + 1)) <= solsticeDay) ++k;
    while (Ephemeris::JstDay(Ephemeris::NewMoon(k)) > solsticeDay) --k;
    return k;
  };
  const std::int32_t kFirst = monthOf(Ephemeris::JstDay(solsticeBefore), solsticeBefore);
  const std::int32_t kMiddle = monthOf(year_.termDays[23], solstice);
  const std::int32_t kLast = monthOf(Ephemeris::JstDay(solsticeAfter), solsticeAfter);

  year_.monthCount = static_cast<std::size_t>(kLast - kFirst + 1);
  for (std::int32_t k = kFirst; k <= kLast; ++k) {
    year_.months[static_cast<std::size_t>(k - kFirst)].day =
        Ephemeris::JstDay(Ephemeris::NewMoon(k));
  }

  // Numbers the months from the 11th (index `first`) up to the next 11th (index `next`).
  // `principal` holds the days of the principal terms between the two solstices.
  const auto number = [this](std::size_t first, std::size_t next,
                             const std::array<std::int32_t, 11>& principal) {
    std::size_t leap = next;
    if (next - first == 13) {
      for (std::size_t i = first + 1; i < next && leap == next; ++i) {
        const std::int32_t begin = year_.months[i].day;
        const std::int32_t end = year_.months[i + 1].day;
        const bool holds = std::any_of(principal.begin(), principal.end(),
                                       [&](std::int32_t day) { return day >= begin && day < end; });
        if (!holds) leap = i;
      }
    }
    std::uint8_t current = 11;
    for (std::size_t i = first; i < next; ++i) {
      if (i != first && i != leap) current = static_cast<std::uint8_t>(current % 12 + 1);
      year_.months[i].number = current;
      year_.months[i].leap = i == leap;
    }
  };

  const auto middle = static_cast<std::size_t>(kMiddle - kFirst);
  std::array<std::int32_t, 11> principal;
  // The year's principal terms after the solstice before it: 300°, 330°, .., 240°.
  for (std::size_t i = 0; i < 11; ++i) principal[i] = year_.termDays[1 + 2 * i];
  number(0, middle, principal);
  if (year_.monthCount - 1 - middle == 13) {
    // Only a leap year ahead needs the next year's principal terms.
    guess = solstice;
    for (std::size_t i = 0; i < 11; ++i) {
      guess = Ephemeris::SunReaches((300 + 30 * i) % 360, guess + 2 * kMeanTermDays);
      principal[i] = Ephemeris::JstDay(guess);
    }
  }
  number(middle, year_.monthCount - 1, principal);
}

}  // namespace tembori
