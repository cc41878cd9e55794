// Measuring fonts for the calendar window and its pop-up.
#include "app/FontMeasure.h"

#include "framework/GdiHandles.h"

namespace tembori {

TEXTMETRICA MeasureFont(HFONT font, HWND window) {
  const WindowDc dc = GetWindowDc(window);
  const ObjectSelection selected(dc.get(), font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  return metrics;
}

FontMetrics LayoutMetrics(const TEXTMETRICA& metrics) {
  FontMetrics layout;
  layout.height = metrics.tmHeight;
  layout.externalLeading = metrics.tmExternalLeading;
  layout.aveCharWidth = metrics.tmAveCharWidth;
  // The platform's bit for a variable-pitch font, despite its name.
  layout.variablePitch = (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0;
  return layout;
}

}  // namespace tembori
