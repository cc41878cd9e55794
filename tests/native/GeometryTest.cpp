// Cell size, window layout, frame shifts, restored positions, day cells and drawn shapes.
#include <doctest.h>

#include <array>
#include <limits>

#include "app/geometry/Geometry.h"

template <>
struct doctest::StringMaker<tembori::Rect> {
  static String convert(const tembori::Rect& r) {
    return "(" + toString(r.left) + ", " + toString(r.top) + ", " + toString(r.right) + ", " +
           toString(r.bottom) + ")";
  }
};

namespace tembori {

TEST_CASE("cell size follows the font's pitch, width, height and squeeze") {
  const FontMetrics fixed{16, 0, 8, false};
  const FontMetrics variable{16, 0, 7, true};
  CHECK(ComputeCellSize(fixed, false).width == 30);
  CHECK(ComputeCellSize(fixed, true).width == 24);
  CHECK(ComputeCellSize(variable, false).width == 32);
  CHECK(ComputeCellSize(variable, true).width == 28);
  CHECK(ComputeCellSize(fixed, false).height == 18);
  CHECK(ComputeCellSize({16, 3, 8, false}, false).height == 21);
}

TEST_CASE("framed and frameless sizes and the rectangles of the framed window") {
  const CellSize cell{30, 18};
  CHECK(FramedClientRect(cell, 0) == Rect{0, 0, 214, 172});
  CHECK(FramelessWindowRect(cell) == Rect{0, 0, 210, 126});

  const CalendarLayout nt3 = ComputeCalendarLayout(cell, false, 2);
  CHECK(nt3.boxRect == Rect{2, 18, 216, 148});
  CHECK(nt3.gridRect == Rect{4, 20, 214, 146});
  CHECK(nt3.rightStripRect == Rect{216, 18, 218, 148});
  // The bottom strip reaches the framed client area's bottom-right corner.
  CHECK(nt3.bottomStripRect == Rect{0, 148, 218, 172});
  CHECK(nt3.modeButtonRect == Rect{6, 150, 26, 170});
  CHECK(nt3.yearFieldRect == Rect{148, 150, 196, 170});
  CHECK(nt3.yearSpinRect == Rect{196, 150, 212, 170});

  CHECK(ComputeCalendarLayout(cell, true, 0).gridRect == Rect{0, 0, 210, 126});

  const MonthButtonLayout buttons = ComputeMonthButtons(cell, 214);
  CHECK(buttons.prevButton == Rect{0, 0, 30, 18});
  CHECK(buttons.nextButton == Rect{184, 0, 214, 18});
  CHECK(buttons.titleRect == Rect{30, 0, 184, 18});
}

TEST_CASE("removing and restoring the frame keeps the grid in place and round-trips") {
  for (const bool isNT3 : {false, true}) {
    CAPTURE(isNT3);
    const int caption = isNT3 ? 27 : 29;
    const Rect framed{101, 57, 101 + 221, 57 + 203};  // odd width change: truncation matters
    FrameShift shift{};
    const Rect frameless = PlaceResizedWindow(framed, 210, 126, FrameChange::Removed, isNT3, shift);
    CHECK(shift.dx == (210 - 221) / 2);
    CHECK(shift.dy == 126 - 203 + caption);
    CHECK(frameless == Rect{101 + 5, 57 + 77 - caption, 101 + 5 + 210, 57 + 77 - caption + 126});
    // Saving while frameless, when the frame is what the next start shows.
    CHECK(UndoFrameShift(frameless, shift) == Rect{101, 57, 101 + 210, 57 + 126});

    const Rect back = PlaceResizedWindow(frameless, 221, 203, FrameChange::Restored, isNT3, shift);
    CHECK(back == framed);
    CHECK(shift.dx == 5);
  }
  FrameShift kept{3, 4};
  CHECK(PlaceResizedWindow({10, 20, 50, 60}, 100, 80, FrameChange::None, false, kept) ==
        Rect{10, 20, 110, 100});
  CHECK(kept.dx == 3);
  CHECK(kept.dy == 4);
}

TEST_CASE("a restored position is pulled back when its middle is off the right or bottom") {
  const Rect screen{0, 0, 1024, 768};
  CHECK(ClampRestoredPosition({16, 16, 230, 204}, screen) == Rect{16, 16, 230, 204});
  // Middle x = 900 + 211 / 2 = 1005 (truncated) stays on; 1025 goes.
  CHECK(ClampRestoredPosition({900, 0, 1111, 100}, screen).left == 900);
  CHECK(ClampRestoredPosition({920, 0, 1131, 100}, screen) == Rect{0, 0, 211, 100});
  CHECK(ClampRestoredPosition({5, 700, 105, 841}, screen) == Rect{5, 0, 105, 141});
  // Left of or above the screen is not corrected.
  CHECK(ClampRestoredPosition({-500, -300, -300, -200}, screen) == Rect{-500, -300, -300, -200});

  // A second monitor left of and above the primary one.
  const Rect virtualScreen{-1280, -200, 1024, 768};
  CHECK(ClampRestoredPosition({-1000, -100, -800, 0}, virtualScreen) == Rect{-1000, -100, -800, 0});
  CHECK(ClampRestoredPosition({1100, 900, 1300, 1000}, virtualScreen) ==
        Rect{-1280, -200, -1080, -100});

  // Garbage from the registry neither overflows nor wraps into the screen.
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const Rect wild = ClampRestoredPosition({kMin, 0, kMax, 10}, screen);
  CHECK(wild.left == kMin);  // middle is -1: not right of the screen
  CHECK(ClampRestoredPosition({kMax - 10, 0, kMax, 10}, screen).left == 0);
  CHECK(NextInstancePosition({0, kMax, kMax - 16, -16}) == Rect{16, kMin + 15, kMax, 0});
}

TEST_CASE("weekday columns in both week orders") {
  for (int column = 0; column < 7; ++column) {
    CHECK(WeekdayOfColumn(column, false) == column);
    CHECK(ColumnOfWeekday(WeekdayOfColumn(column, true), true) == column);
  }
  CHECK(WeekdayOfColumn(0, true) == 1);
  CHECK(WeekdayOfColumn(6, true) == 0);
  CHECK(ColumnCentreX(2, {4, 20, 214, 146}, {30, 18}) == 4 + 60 + 15);
}

TEST_CASE("day cells and the day under a point") {
  const Rect grid{4, 20, 214, 146};
  const CellSize cell{30, 18};
  // Monday first, day 1 on a Sunday: last column of the first week row.
  CHECK(DayCell(1, 0, true, grid, cell) == Rect{184, 38, 214, 56});
  CHECK(DayCell(2, 0, true, grid, cell) == Rect{4, 56, 34, 74});
  // 31 days from column 6 reach the sixth week row, the grid's last.
  const Rect last = DayCell(31, 6, false, grid, cell);
  CHECK(last == Rect{34, 128, 64, 146});
  CHECK(last.bottom == grid.bottom);

  CHECK(DayAtPoint({70, 130}, 6, 30, false, grid, cell) == 0);   // after the last day
  CHECK(DayAtPoint({10, 40}, 3, 31, false, grid, cell) == 0);    // before day 1
  CHECK(DayAtPoint({10, 25}, 0, 31, false, grid, cell) == 0);    // weekday names
  CHECK(DayAtPoint({214, 40}, 0, 31, false, grid, cell) == 0);   // right edge is outside
  CHECK(DayAtPoint({10, 40}, 0, 31, false, grid, {0, 0}) == 0);  // no cell size yet
  for (int day = 1; day <= 31; ++day) {
    const Rect box = DayCell(day, 4, true, grid, cell);
    CHECK(DayAtPoint({box.right - 1, box.bottom - 1}, 4, 31, true, grid, cell) == day);
  }
}

TEST_CASE("shapes drawn in cells and buttons") {
  CHECK(CircleBox({0, 0, 30, 18}) == Rect{6, 0, 24, 18});
  CHECK(CircleBox({10, 10, 25, 30}) == Rect{10, 12, 25, 28});
  CHECK(TodayFrame({0, 0, 30, 18}) ==
        std::array<Point, 5>{{{1, 0}, {28, 0}, {28, 18}, {1, 18}, {1, 0}}});
  const auto paths = SunkenBoxPaths({0, 18, 214, 148});
  CHECK(paths[0] == std::array<Point, 3>{{{0, 146}, {0, 18}, {213, 18}}});

  CHECK(NextMonthTriangle(30, 18) == std::array<Point, 3>{{{20, 2}, {28, 9}, {20, 16}}});
  CHECK(PrevMonthTriangle(30, 18) == std::array<Point, 3>{{{2, 9}, {10, 2}, {10, 16}}});

  CHECK(FramelessHeadingAnchor({30, 18}, {0, 0, 210, 126}) == Point{204, 108});
  CHECK(FramelessHeadingAnchor({33, 18}, {0, 0, 231, 126}).x == 224);  // 224.4
}

}  // namespace tembori
