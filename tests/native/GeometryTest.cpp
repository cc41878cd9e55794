// Cell size, window layout, frame shifts, restored positions, day cells and drawn shapes.
#include <doctest.h>

#include <limits>
#include <ostream>
#include <tuple>
#include <utility>
#include <vector>

#include "app/geometry/Geometry.h"
#include "app/geometry/PlatformAbilities.h"

namespace tembori {

inline std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

TEST_CASE("a stored font size counts only as a whole number of points from 1 to 99") {
  const std::pair<const char*, int> sizes[] = {{"12", 12}, {"1", 1}, {"99", 99}};
  for (const auto& [text, points] : sizes) CHECK(PointSizeFromText(text) == points);
  // Sizes that gave a one-pixel font or a window larger than the screen, and texts that are
  // no number as the settings page writes it.
  for (const char* text : {"0", "100", "500", "5000", "99999", "1000000000", "-2147483648", "1e9",
                           "12pt", " 12", "+5", "-5", "", "abc"}) {
    CAPTURE(text);
    CHECK_FALSE(PointSizeFromText(text));
  }
}

TEST_CASE("cell size follows the font's pitch, width, height and squeeze") {
  const std::tuple<FontMetrics, bool, int, int> cases[] = {
      {{16, 0, 8, false}, false, 30, 18}, {{16, 0, 8, false}, true, 24, 16},
      {{16, 0, 7, true}, false, 32, 18},  {{16, 0, 7, true}, true, 28, 16},
      {{16, 3, 8, false}, false, 30, 21},
  };
  for (const auto& [metrics, squeeze, width, height] : cases) {
    const CellSize cell = ComputeCellSize(metrics, squeeze, 96);
    CHECK(cell.width == width);
    CHECK(cell.height == height);
  }
}

TEST_CASE("framed and frameless sizes and the rectangles of the framed window") {
  // The child controls' places are checked on the real window.
  const CellSize cell{30, 18};
  CHECK(FramedClientRect(cell, 0, 96) == Rect{0, 0, 214, 172});
  CHECK(FramelessWindowRect(cell) == Rect{0, 0, 210, 126});
  const int oldBorder = PlatformAbilitiesFor(false, true, 3, 51).clientBorder;
  CHECK(PlatformAbilitiesFor(false, true, 4, 0).clientBorder == 0);
  const CalendarLayout nt3 = ComputeCalendarLayout(cell, false, oldBorder, 96);
  CHECK(nt3.gridRect == Rect{4, 20, 214, 146});
  CHECK(nt3.rightStripRect == Rect{216, 18, 218, 148});
  // The bottom strip reaches the framed client area's bottom-right corner.
  CHECK(nt3.bottomStripRect == Rect{0, 148, 218, 172});
}

TEST_CASE("removing and restoring the frame keeps the grid in place and round-trips") {
  const Rect framed{101, 57, 101 + 221, 57 + 203};  // odd width change: truncation matters
  for (const int dpi : {96, 120, 144, 192}) {
    for (const unsigned ntVersion : {3u, 10u}) {
      CAPTURE(dpi);
      CAPTURE(ntVersion);
      const int captionHeight = PlatformAbilitiesFor(false, true, ntVersion, 0).captionHeight;
      const int caption = ScaleToDpi(ntVersion == 3 ? 27 : 29, dpi);
      FrameShift shift{};
      const Rect frameless =
          PlaceResizedWindow(framed, 210, 126, FrameChange::Removed, captionHeight, dpi, shift);
      CHECK(frameless == Rect{101 + 5, 57 + 77 - caption, 101 + 5 + 210, 57 + 77 - caption + 126});
      // Saving while frameless, when the frame is what the next start shows.
      CHECK(UndoFrameShift(frameless, shift) == Rect{101, 57, 101 + 210, 57 + 126});
      CHECK(PlaceResizedWindow(frameless, 221, 203, FrameChange::Restored, captionHeight, dpi,
                               shift) == framed);
    }
  }
  FrameShift kept{3, 4};
  CHECK(PlaceResizedWindow({10, 20, 50, 60}, 100, 80, FrameChange::None, 29, 96, kept) ==
        Rect{10, 20, 110, 100});
}

TEST_CASE("a restored position is pulled back when its middle is off the right or bottom") {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const Rect screen{0, 0, 1024, 768};
  const Rect virtualScreen{-1280, -200, 1024, 768};  // a second monitor left of and above
  // Left of or above the screen is not corrected; garbage from the registry neither overflows
  // nor wraps into the screen.
  const std::tuple<Rect, Rect, Rect> cases[] = {
      {{918, 0, 1130, 100}, screen, {918, 0, 1130, 100}},  // middle on the right edge
      {{920, 0, 1131, 100}, screen, {0, 0, 211, 100}},
      {{-500, -300, -300, -200}, screen, {-500, -300, -300, -200}},
      {{1100, 900, 1300, 1000}, virtualScreen, {-1280, -200, -1080, -100}},
      {{kMin, 0, kMax, 10}, screen, {kMin, 0, kMax, 10}},  // middle -1
      {{kMax - 10, 0, kMax, 10}, screen, {0, 0, 10, 10}},
      {{-10, 0, kMax, 10}, screen, {0, 0, kMax, 10}},
  };
  for (const auto& [saved, within, placed] : cases) {
    CHECK(ClampRestoredPosition(saved, within) == placed);
  }
  CHECK(NextInstancePosition({0, kMax, kMax - 16, -16}) == Rect{16, kMin + 15, kMax, 0});
}

TEST_CASE("a window that would show on no monitor moves to the nearest one's work area") {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const MonitorArea primary{{0, 0, 1024, 768}, {0, 0, 1024, 738}};       // taskbar at the bottom
  const MonitorArea left{{-1280, -200, 0, 824}, {-1280, -170, 0, 824}};  // and at the top
  const std::vector<MonitorArea> both{primary, left}, one{primary};
  const std::tuple<Rect, std::vector<MonitorArea>, Rect> cases[] = {
      // Partly off the screen, even mostly, it stays.
      {{-100, -50, 114, 150}, both, {-100, -50, 114, 150}},
      {{-213, 0, 1, 200}, one, {-213, 0, 1, 200}},
      // Touching the screen's edge from outside shows nothing; the stored extent is kept.
      {{-214, 0, 0, 200}, one, {0, 0, 214, 200}},
      {{0, 768, 214, 968}, one, {0, 0, 214, 200}},
      {{-214, 0, 0, 200}, both, {-214, 0, 0, 200}},  // on the left monitor
      {{-100000, -100000, -99786, -99800}, both, {-1280, -170, -1066, 30}},
      {{5000, 100, 5214, 300}, both, {0, 0, 214, 200}},
      // Stored garbage: the corner and the extent at the limits of int.
      {{0, kMax, 0, kMin}, one, {0, 0, 0, kMin}},
      {{kMin, kMin, kMax, kMax}, one, {0, 0, kMax, kMax}},
      // No monitor known: nothing to move to.
      {{-100000, -100000, -99786, -99800}, {}, {-100000, -100000, -99786, -99800}},
  };
  for (const auto& [placed, monitors, shown] : cases) {
    CAPTURE(placed);
    CHECK(KeepOnSomeMonitor(placed, 214, 200, monitors) == shown);
  }
}

TEST_CASE("day cells and week orders") {
  CHECK(WeekdayOfColumn(0, true) == 1);  // Monday first, Sunday last
  CHECK(WeekdayOfColumn(6, true) == 0);
  for (int column = 0; column < 7; ++column) {
    CHECK(ColumnOfWeekday(WeekdayOfColumn(column, true), true) == column);
  }
  const Rect grid{4, 20, 214, 146};
  const CellSize cell{30, 18};
  CHECK(ColumnCentreX(2, grid, cell) == 79);
  // Monday first, day 1 on a Sunday: last column of the first week row.
  CHECK(DayCell(1, 0, true, grid, cell) == Rect{184, 38, 214, 56});
  // 31 days from column 6 reach the sixth week row, the grid's last.
  CHECK(DayCell(31, 6, false, grid, cell) == Rect{34, 128, 64, 146});
}

}  // namespace tembori
