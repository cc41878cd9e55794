// The layout at display scales other than 100 %: fixed lengths scaled and rounded, the whole
// window and the memo pop-up in proportion to its DPI, the padlock's scale.
#include <doctest.h>

#include <array>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <utility>

#include "app/geometry/Geometry.h"

namespace tembori {
namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

// A fixed-pitch font of 16 pixels, 8 wide, at 96 DPI, and the same font made for another DPI
// as the platform rounds it.
FontMetrics GothicAt(int dpi) {
  return {ScaleToDpi(16, dpi), 0, ScaleToDpi(8, dpi), false};
}

// value is within `slack` of reference × dpi / 96.
bool Proportional(int value, int reference, int dpi, double slack) {
  return std::abs(value - reference * dpi / 96.0) <= slack;
}

}  // namespace

TEST_CASE("fixed lengths scale with the DPI, rounded half away from zero") {
  // (value, DPI, scaled): 2.5 and 43.5 round away from zero.
  const std::array<int, 3> cases[] = {{24, 120, 30}, {24, 192, 48}, {2, 120, 3},
                                      {-2, 120, -3}, {29, 144, 44}, {0, 192, 0}};
  for (const auto& [value, dpi, scaled] : cases) CHECK(ScaleToDpi(value, dpi) == scaled);
  // No overflow for any int.
  CHECK(ScaleToDpi(std::numeric_limits<int>::max(), 192) == std::numeric_limits<int>::max());
  CHECK(ScaleToDpi(std::numeric_limits<int>::min(), 192) == std::numeric_limits<int>::min());
}

TEST_CASE("at every DPI the window is the 96 DPI window in proportion, within a pixel a cell") {
  const CellSize cell96 = ComputeCellSize(GothicAt(96), false, 96);
  const Rect client96 = FramedClientRect(cell96, 0, 96);
  REQUIRE(cell96.width == 30);
  REQUIRE(cell96.height == 18);
  for (const int dpi : kDpis) {
    CAPTURE(dpi);
    const CellSize cell = ComputeCellSize(GothicAt(dpi), false, dpi);
    CHECK(Proportional(cell.width, cell96.width, dpi, 1));
    CHECK(Proportional(cell.height, cell96.height, dpi, 1));
    CHECK(ComputeCellSize(GothicAt(dpi), true, dpi).height == GothicAt(dpi).height);
    const Rect client = FramedClientRect(cell, 0, dpi);
    CHECK(Proportional(Width(client), Width(client96), dpi, 7 + 2));  // 7 cells, the box ring
    CHECK(Proportional(Height(client), Height(client96), dpi, 8 + 2));
    CHECK(FramelessWindowRect(cell) == Rect{0, 0, 7 * cell.width, 7 * cell.height});

    // The strip under the box holds its three controls, flush with each other, the padlock's
    // button square and as large as the scaled padlock.
    const CalendarLayout layout = ComputeCalendarLayout(cell, false, 0, dpi);
    CHECK(layout.bottomStripRect.bottom == client.bottom);
    CHECK(Height(layout.bottomStripRect) == ScaleToDpi(24, dpi));
    const Rect& padlock = layout.modeButtonRect;
    CHECK(Width(padlock) == Height(padlock));
    CHECK(Proportional(Width(padlock), 20, dpi, 1));
    CHECK(Proportional(Width(layout.yearFieldRect), 48, dpi, 1));
    CHECK(Proportional(Width(layout.yearSpinRect), 16, dpi, 1));
    CHECK(layout.yearFieldRect.right == layout.yearSpinRect.left);
    CHECK(layout.yearSpinRect.right == layout.boxRect.right - ScaleToDpi(4, dpi));
    for (const Rect& control : {padlock, layout.yearFieldRect, layout.yearSpinRect}) {
      CHECK(control.top > layout.bottomStripRect.top);
      CHECK(control.bottom < layout.bottomStripRect.bottom);
    }
    // The grid inside the box's two-pixel ring, at every scale.
    CHECK(layout.gridRect == Rect{2, cell.height + 2, 7 * cell.width + 2, 8 * cell.height + 2});

    // The holiday circle is the cell made square, within the pixel an odd difference leaves.
    const Rect circle = CircleBox({0, 0, cell.width, cell.height});
    CHECK(Height(circle) == cell.height);
    CHECK(std::abs(Width(circle) - Height(circle)) <= 1);
  }
}

TEST_CASE("at 144 DPI the cell's padding of a proportional font is scaled with the font") {
  // 7 pixels' average width at 96 DPI, 11 at 144: 4 × 11 + 6.
  CHECK(ComputeCellSize({24, 0, 11, true}, false, 144).width == 50);
  CHECK(ComputeCellSize({24, 0, 11, true}, true, 144).width == 44);
}

TEST_CASE("the padlock drawn is the nearest of 100, 150 and 200 %, the smaller when both are") {
  const std::pair<int, int> cases[] = {{72, 100},  {96, 100},  {120, 100}, {121, 150}, {144, 150},
                                       {168, 150}, {169, 200}, {192, 200}, {288, 200}, {0, 100}};
  for (const auto& [dpi, scale] : cases) {
    CAPTURE(dpi);
    CHECK(PadlockScale(dpi) == scale);
  }
  // At 125 % the 20-pixel padlock sits in the middle of its 25-pixel button.
  CHECK(CentredIn({5, 100, 30, 125}, 20, 20) == Rect{7, 102, 27, 122});
  CHECK(CentredIn({0, 0, 30, 30}, 30, 30) == Rect{0, 0, 30, 30});
}

}  // namespace tembori
