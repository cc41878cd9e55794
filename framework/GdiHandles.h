// Owners of GDI resources: fonts, pens, brushes, bitmaps and device contexts are freed, and
// objects selected into a device context are selected out again, on every way out of a
// scope. Stock objects (GetStockObject) are never given to an owner; they are only selected.
//
// Declare an object before the selection that puts it into a device context, and a device
// context before the selections made in it, so that destruction selects it out first:
// a GDI object still selected into a device context cannot be deleted.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tembori {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};

// A font, pen, brush or bitmap that this program created.
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using FontHandle = GdiObject<HFONT>;
using PenHandle = GdiObject<HPEN>;
using BrushHandle = GdiObject<HBRUSH>;
using BitmapHandle = GdiObject<HBITMAP>;

struct CreatedDcDeleter {
  void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};

// A device context made by CreateCompatibleDC, freed with DeleteDC.
using CreatedDc = std::unique_ptr<std::remove_pointer_t<HDC>, CreatedDcDeleter>;

inline CreatedDc CreateMemoryDc(HDC compatibleWith) {
  return CreatedDc(CreateCompatibleDC(compatibleWith));
}

struct WindowDcReleaser {
  HWND window = nullptr;
  void operator()(HDC dc) const noexcept { ReleaseDC(window, dc); }
};

// The device context of a window's client area (GetDC), given back with ReleaseDC.
using WindowDc = std::unique_ptr<std::remove_pointer_t<HDC>, WindowDcReleaser>;

inline WindowDc GetWindowDc(HWND window) {
  return WindowDc(GetDC(window), WindowDcReleaser{window});
}

// The device context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class PaintDc {
 public:
  explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }

  HDC Get() const noexcept { return dc_; }

 private:
  const HWND window_;
  PAINTSTRUCT paint_{};
  const HDC dc_;
};

// Selects an object into a device context and selects the previous one back when it ends.
// A failed selection (null object or null device context) restores nothing.
class ObjectSelection {
 public:
  ObjectSelection(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc),
        previous_(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {}
  ObjectSelection(const ObjectSelection&) = delete;
  ObjectSelection& operator=(const ObjectSelection&) = delete;
  ~ObjectSelection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  const HDC dc_;
  const HGDIOBJ previous_;
};

}  // namespace tembori
