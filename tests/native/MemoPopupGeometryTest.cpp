// The memo pop-up's size from its font and its place at the monitor's right edge.
#include <doctest.h>

#include <ostream>

#include "app/geometry/MemoPopupGeometry.h"

namespace tembori {

inline std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

TEST_CASE("the pop-up's width per byte and height follow the font's pitch and metrics") {
  const MemoPopupMetrics fixed = ComputeMemoPopupMetrics({14, 2, 8, false}, 96);
  CHECK(fixed.charWidth == 8);
  CHECK(fixed.lineHeight == 20);
  CHECK(fixed.textTop == 1);
  CHECK(MemoTextWidth(10, fixed) == 96);  // two bytes' room besides
  CHECK(MemoTextWidth(0, fixed) == 16);

  const MemoPopupMetrics variable = ComputeMemoPopupMetrics({12, 0, 7, true}, 96);
  CHECK(variable.charWidth == 10);  // 3 * 7 / 2, truncated
  CHECK(variable.lineHeight == 16);
  CHECK(MemoTextWidth(10, variable) == 100);
}

TEST_CASE("the pop-up hangs from the cell's corner, moved left at its monitor's right edge") {
  const Rect primary{0, 0, 1024, 768};
  CHECK(PlaceMemoPopup({300, 200}, 100, 16, primary) == Rect{300, 200, 400, 216});
  CHECK(PlaceMemoPopup({924, 200}, 100, 16, primary) == Rect{924, 200, 1024, 216});
  CHECK(PlaceMemoPopup({950, 200}, 100, 16, primary) == Rect{924, 200, 1024, 216});
  CHECK(PlaceMemoPopup({950, 200}, 1024, 16, primary) == Rect{0, 200, 1024, 216});
  CHECK(PlaceMemoPopup({950, 200}, 2000, 16, primary) == Rect{0, 200, 2000, 216});
  // Never moved up, even past the bottom.
  CHECK(PlaceMemoPopup({300, 760}, 100, 16, primary) == Rect{300, 760, 400, 776});

  // A monitor right of the primary one keeps its pop-up; so does one left of it.
  const Rect second{1024, 0, 2304, 1024};
  CHECK(PlaceMemoPopup({1500, 200}, 100, 16, second) == Rect{1500, 200, 1600, 216});
  CHECK(PlaceMemoPopup({2250, 200}, 100, 16, second) == Rect{2204, 200, 2304, 216});
  CHECK(PlaceMemoPopup({2250, 200}, 1500, 16, second) == Rect{1024, 200, 2524, 216});
  const Rect left{-1280, 0, 0, 1024};
  CHECK(PlaceMemoPopup({-40, 200}, 100, 16, left) == Rect{-100, 200, 0, 216});
}

}  // namespace tembori
