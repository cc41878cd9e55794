// DPI queries through the functions of the system the program finds itself on.
#include "framework/DisplayDpi.h"

#include "framework/GdiHandles.h"

namespace tembori {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// A function of user32 that older systems lack, or null.
template <typename Function>
Function User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  if (user32 == nullptr) return nullptr;
  // Through a plain function pointer type, which any function pointer converts to and back.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

}  // namespace

int SystemDpi() {
  const WindowDc screen = GetWindowDc(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi =
      User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjustForDpi != nullptr) {
    return adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE;
  }
  return AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE;
}

LOGFONTA FontForDpi(LOGFONTA font, int dpi) {
  const int systemDpi = SystemDpi();
  if (systemDpi > 0 && dpi != systemDpi) {
    font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
    font.lfWidth = MulDiv(font.lfWidth, dpi, systemDpi);
  }
  return font;
}

}  // namespace tembori
