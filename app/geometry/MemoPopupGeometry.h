// The memo pop-up's size and place: a one-line window whose width is estimated from the
// text's length in bytes, just below and right of the day's cell, moved left when it would
// pass the right edge of the monitor that holds the cell.
#pragma once

#include <cstddef>

#include "app/geometry/Geometry.h"

namespace tembori {

struct MemoPopupMetrics {
  bool variablePitch = true;
  int charWidth = 0;   // pixels allowed per byte of text
  int lineHeight = 0;  // the window's height
  int textTop = 1;     // the text's top in the client area, inside the one-pixel border
};

// From the pop-up font's text metrics, the font made for the calendar window's DPI: a
// variable-pitch font gets one and a half average widths per byte, a fixed-pitch one its
// average width; the line has two pixels above and below at 96 DPI, border included, and
// that room grows with the DPI while the border stays one pixel.
MemoPopupMetrics ComputeMemoPopupMetrics(const FontMetrics& font, int dpi);

// The window's width for a text: a fixed-pitch font gets two bytes' room besides.
int MemoTextWidth(std::size_t textBytes, const MemoPopupMetrics& metrics);

// The pop-up's rectangle in screen coordinates, its top-left corner at the cell's
// bottom-right corner. When it would pass the monitor's right edge it moves left until its
// right edge is on it, but never past the monitor's left edge. It is never moved upwards.
Rect PlaceMemoPopup(Point cellBottomRight, int width, int height, const Rect& monitor);

}  // namespace tembori
