// A drag of the frameless calendar window: where the button went down, where the outline
// was last drawn, and that outline itself, inverted on the whole screen so that drawing it
// a second time erases it.
#pragma once

#include <windows.h>

#include "app/geometry/Geometry.h"

namespace tembori {

class WindowDrag {
 public:
  bool Active() const { return active_; }
  Point Start() const { return start_; }

  // Starts at a client point of `window` and shows the outline of gridRect there.
  void Begin(HWND window, const Rect& gridRect, Point point);
  // Moves the outline to a client point.
  void MoveTo(Point point);
  // Erases the outline and ends the drag.
  void End();

 private:
  // Inverts the outline for the pointer at a client point (DrawDragFrame).
  void DrawOutline(Point point) const;

  HWND window_ = nullptr;
  Rect gridRect_;
  bool active_ = false;
  Point start_;
  Point last_;
};

}  // namespace tembori
