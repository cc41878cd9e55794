// The keyboard's day cursor: moves across year ends, short months, leap days, and the ends of
// the calendar's years (moves within and between months are pressed on the real window).
#include <doctest.h>

#include <ostream>

#include "app/geometry/DayCursor.h"

namespace tembori {

std::ostream& operator<<(std::ostream& out, const CursorDate& date) {
  return out << date.year << '-' << date.month << '-' << date.day;
}

TEST_CASE("the day cursor crosses into the next year, and starts on today only in its month") {
  CHECK(MoveDayCursor({2026, 12, 31}, CursorKey::Right) == CursorDate{2027, 1, 1});
  CHECK(MoveDayCursor({2026, 12, 25}, CursorKey::Down) == CursorDate{2027, 1, 1});
  CHECK(MoveDayCursor({2024, 2, 27}, CursorKey::Down) == CursorDate{2024, 3, 5});  // leap
  const CursorDate today{2026, 12, 25};
  CHECK(FirstCursorDate(2026, 12, today) == today);
  CHECK(FirstCursorDate(2025, 12, today) == CursorDate{2025, 12, 1});
}

TEST_CASE("months and years keep the day, or take the last day of a shorter month") {
  CHECK(MoveDayCursor({2026, 3, 31}, CursorKey::PageUp) == CursorDate{2026, 2, 28});
  CHECK(MoveDayCursor({2024, 1, 30}, CursorKey::PageDown) == CursorDate{2024, 2, 29});
  CHECK(MoveDayCursor({2026, 12, 15}, CursorKey::PageDown) == CursorDate{2027, 1, 15});
  CHECK(MoveDayCursor({2024, 2, 29}, CursorKey::YearDown) == CursorDate{2025, 2, 28});
  CHECK(MoveDayCursor({2024, 2, 29}, CursorKey::YearUp) == CursorDate{2023, 2, 28});
  CHECK(MoveDayCursor({1900, 2, 15}, CursorKey::End) == CursorDate{1900, 2, 28});  // no leap
  CHECK(MoveDayCursor({2000, 2, 15}, CursorKey::End) == CursorDate{2000, 2, 29});
}

TEST_CASE("at the ends of the calendar's years the cursor stays") {
  CHECK(MoveDayCursor({1851, 1, 1}, CursorKey::Left) == CursorDate{1851, 1, 1});
  CHECK(MoveDayCursor({1851, 1, 3}, CursorKey::Up) == CursorDate{1851, 1, 3});
  CHECK(MoveDayCursor({1851, 6, 3}, CursorKey::YearUp) == CursorDate{1851, 6, 3});
  CHECK(MoveDayCursor({2150, 12, 31}, CursorKey::Right) == CursorDate{2150, 12, 31});
  CHECK(MoveDayCursor({2150, 12, 3}, CursorKey::PageDown) == CursorDate{2150, 12, 3});
  CHECK(MoveDayCursor({1851, 1, 8}, CursorKey::Up) == CursorDate{1851, 1, 1});
}

}  // namespace tembori
