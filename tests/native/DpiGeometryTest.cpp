// The layout at display scales other than 100 %: fixed lengths scaled and rounded, the whole
// window and the memo pop-up in proportion to its DPI, the padlock's scale.
#include <doctest.h>

#include <array>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <utility>

#include "app/geometry/Geometry.h"
#include "app/geometry/MemoPopupGeometry.h"

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
  const std::array<int, 4> strip = {24, 30, 36, 48};
  const std::array<int, 4> inset = {2, 3, 3, 4};  // 2.5 at 120 DPI rounds up
  for (std::size_t i = 0; i < strip.size(); ++i) {
    CAPTURE(kDpis[i]);
    CHECK(ScaleToDpi(24, kDpis[i]) == strip[i]);
    CHECK(ScaleToDpi(2, kDpis[i]) == inset[i]);
    CHECK(ScaleToDpi(-2, kDpis[i]) == -inset[i]);
  }
  CHECK(ScaleToDpi(29, 144) == 44);  // 43.5
  CHECK(ScaleToDpi(0, 192) == 0);
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

    // The month buttons are the top corner cells; their arrows keep a scaled inset.
    const MonthButtonLayout buttons = ComputeMonthButtons(cell, Width(client));
    CHECK(Width(buttons.nextButton) == cell.width);
    const int inset = ScaleToDpi(2, dpi);
    const auto next = NextMonthTriangle(cell.width, cell.height, dpi);
    CHECK(next[1] == Point{cell.width - inset, cell.height / 2});
    CHECK(next[2] == Point{2 * cell.width / 3, cell.height - inset});
    const auto prev = PrevMonthTriangle(cell.width, cell.height, dpi);
    CHECK(prev[0] == Point{inset, cell.height / 2});
    CHECK(prev[1] == Point{cell.width / 3, inset});

    // The holiday circle is the cell made square (within the pixel that an odd difference
    // leaves), so it grows with the font.
    const Rect circle = CircleBox({0, 0, cell.width, cell.height});
    CHECK(Height(circle) == cell.height);
    CHECK(std::abs(Width(circle) - Height(circle)) <= 1);
    CHECK(Proportional(Height(circle), 18, dpi, 1));
  }
}

TEST_CASE("the layout at 144 DPI, pixel by pixel") {
  const CellSize cell = ComputeCellSize(GothicAt(144), false, 144);
  CHECK(cell.width == 45);  // 12 × 3 + 9: the padding is scaled with the font
  CHECK(cell.height == 27);
  CHECK(FramedClientRect(cell, 0, 144) == Rect{0, 0, 319, 8 * 27 + 4 + 36});
  const CalendarLayout layout = ComputeCalendarLayout(cell, false, 0, 144);
  const int box = 8 * 27 + 4;
  CHECK(layout.modeButtonRect == Rect{6, box + 3, 36, box + 33});
  CHECK(layout.yearFieldRect == Rect{319 - 102, box + 3, 319 - 30, box + 33});
  CHECK(layout.yearSpinRect == Rect{319 - 30, box + 3, 319 - 6, box + 33});
  CHECK(NextMonthTriangle(45, 27, 144) == std::array<Point, 3>{{{30, 3}, {42, 13}, {30, 24}}});
  // A proportional font of 7 pixels' average width at 96 DPI, 11 at 144: 4 × 11 + 6.
  CHECK(ComputeCellSize({24, 0, 11, true}, false, 144).width == 50);
  CHECK(ComputeCellSize({24, 0, 11, true}, true, 144).width == 44);
}

TEST_CASE("the memo pop-up grows with its font, its text as far from the border on both sides") {
  const FontMetrics proportional96{12, 0, 7, true};
  const MemoPopupMetrics at96 = ComputeMemoPopupMetrics(proportional96, 96);
  for (const int dpi : kDpis) {
    CAPTURE(dpi);
    const FontMetrics font{ScaleToDpi(12, dpi), 0, ScaleToDpi(7, dpi), true};
    const MemoPopupMetrics metrics = ComputeMemoPopupMetrics(font, dpi);
    // Ten bytes: the width in proportion within a pixel per byte.
    CHECK(Proportional(MemoTextWidth(10, metrics), MemoTextWidth(10, at96), dpi, 10));
    CHECK(Proportional(metrics.lineHeight, at96.lineHeight, dpi, 1));
    // Inside the two one-pixel borders, the text's top and bottom margins differ by at most
    // the one pixel that an odd room leaves.
    const int below = metrics.lineHeight - 2 - metrics.textTop - font.height;
    CHECK(metrics.textTop >= 1);
    CHECK(below - metrics.textTop >= 0);
    CHECK(below - metrics.textTop <= 1);
  }
  const MemoPopupMetrics at192 = ComputeMemoPopupMetrics({24, 0, 14, true}, 192);
  CHECK(at192.lineHeight == 32);
  CHECK(at192.textTop == 3);
  CHECK(MemoTextWidth(10, at192) == 210);
}

TEST_CASE("the frame toggle shifts by the caption as tall as the DPI makes it, and round-trips") {
  const Rect framed{100, 50, 100 + 310, 50 + 290};
  for (const int dpi : kDpis) {
    CAPTURE(dpi);
    FrameShift shift{};
    const Rect frameless =
        PlaceResizedWindow(framed, 294, 182, FrameChange::Removed, false, dpi, shift);
    CHECK(shift.dy == 182 - 290 + ScaleToDpi(29, dpi));
    CHECK(PlaceResizedWindow(frameless, 310, 290, FrameChange::Restored, false, dpi, shift) ==
          framed);
  }
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
