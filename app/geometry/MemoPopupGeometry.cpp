// The memo pop-up's arithmetic.
#include "app/geometry/MemoPopupGeometry.h"

#include <algorithm>
#include <climits>

namespace tembori {

MemoPopupMetrics ComputeMemoPopupMetrics(const FontMetrics& font, int dpi) {
  constexpr int kBorders = 2;  // WS_BORDER above and below
  const int room = ScaleToDpi(4, dpi);
  MemoPopupMetrics metrics;
  metrics.variablePitch = font.variablePitch;
  metrics.charWidth = ((font.variablePitch ? 3 : 2) * font.aveCharWidth) / 2;
  metrics.lineHeight = font.height + font.externalLeading + room;
  metrics.textTop = (room - kBorders) / 2;
  return metrics;
}

int MemoTextWidth(std::size_t textBytes, const MemoPopupMetrics& metrics) {
  const long long bytes = static_cast<long long>(std::min<std::size_t>(textBytes, INT_MAX)) +
                          (metrics.variablePitch ? 0 : 2);
  return static_cast<int>(std::min<long long>(bytes * metrics.charWidth, INT_MAX));
}

Rect PlaceMemoPopup(Point cellBottomRight, int width, int height, const Rect& monitor) {
  long long left = cellBottomRight.x;
  if (left + width > monitor.right) {
    left = std::max<long long>(static_cast<long long>(monitor.right) - width, monitor.left);
  }
  const int x = static_cast<int>(left);
  return Rect{x, cellBottomRight.y, x + width, cellBottomRight.y + height};
}

}  // namespace tembori
