// The memo pop-up: a pale-yellow one-line window with a thin border, owned by the calendar
// window, shown without activation just below and right of a day's cell.
#pragma once

#include <windows.h>

#include <string>

#include "app/geometry/MemoPopupGeometry.h"
#include "framework/GdiHandles.h"
#include "framework/Window.h"

namespace tembori {

class MemoWindow : public Window {
 public:
  // The (hidden) window, owned by `owner` and destroyed with it; false when it could not be
  // made.
  bool CreateMemoWindow(HWND owner);

  // The font of the text, copied from `font`, which is made for `dpi`, the calendar window's;
  // the window's size per byte and its height are measured from it, also before the window
  // exists. Until a font is set nothing shows. Set again when the calendar window moves to
  // another DPI.
  void SetMemoFont(HFONT font, int dpi);

  // Shows the text below and right of the cell, given in screen coordinates, without taking
  // the focus; false when there is no font yet.
  bool ShowMemo(const std::string& text, const RECT& cellOnScreen);
  void HideMemo();
  bool IsShown() const { return visible_; }

  const std::string& Text() const { return text_; }
  const MemoPopupMetrics& Metrics() const { return metrics_; }

 protected:
  const RouteTable& Routes() const override;

 private:
  void OnPaint();
  BOOL OnEraseBkgnd(HDC dc);
  LRESULT OnMouseActivate() { return MA_NOACTIVATE; }

  bool visible_ = false;
  std::string text_;
  int textWidth_ = 0;
  MemoPopupMetrics metrics_;
  FontHandle font_;
  BrushHandle backBrush_;
};

}  // namespace tembori
