// A font measured where it is drawn, and what the window arithmetic needs of it.
#pragma once

#include <windows.h>

#include "app/geometry/Geometry.h"

namespace tembori {

// The font's text metrics in the client-area device context of `window`.
TEXTMETRICA MeasureFont(HFONT font, HWND window);
// The part of them that cell and pop-up sizes come from.
FontMetrics LayoutMetrics(const TEXTMETRICA& metrics);

}  // namespace tembori
