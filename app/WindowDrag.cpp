// Drawing and erasing the drag outline on the screen.
#include "app/WindowDrag.h"

#include "app/geometry/InputGeometry.h"
#include "framework/GdiHandles.h"

namespace tembori {

void WindowDrag::Begin(HWND window, const Rect& gridRect, Point point) {
  window_ = window;
  gridRect_ = gridRect;
  start_ = last_ = point;
  active_ = true;
  DrawOutline(point);
}

void WindowDrag::MoveTo(Point point) {
  if (!active_) return;
  DrawOutline(last_);
  last_ = point;
  DrawOutline(point);
}

void WindowDrag::End() {
  if (!active_) return;
  DrawOutline(last_);
  active_ = false;
}

void WindowDrag::DrawOutline(Point point) const {
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  const Rect outline = DragOutline(gridRect_, point, start_, {origin.x, origin.y});
  const CreatedDc screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
  if (!screen) return;
  SetROP2(screen.get(), R2_NOT);
  const ObjectSelection noFill(screen.get(), GetStockObject(NULL_BRUSH));
  Rectangle(screen.get(), outline.left, outline.top, outline.right, outline.bottom);
}

}  // namespace tembori
