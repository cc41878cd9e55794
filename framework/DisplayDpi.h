// The DPI of the monitor a window is on, and what depends on it: window frames and the
// system's fonts. The per-monitor functions of newer systems are looked up at run time;
// where they are missing, every window has the one DPI of the system, so the program runs
// on every version.
#pragma once

#include <windows.h>

namespace tembori {

// WM_DPICHANGED_AFTERPARENT: a child window's top-level window has moved to another DPI and
// the child has been scaled for it. The headers name it only for programs that require a
// newer Windows than this one does; older systems never send it.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

// The DPI in which the system gives this process its metrics and fonts
// (SystemParametersInfo): the screen's pixels per logical inch.
int SystemDpi();

// The DPI of the monitor the window is on, as the system scales it for this window; the
// system's DPI where the system has no DPI per monitor.
int WindowDpi(HWND window);

// AdjustWindowRectEx with the frame as it is drawn at that DPI.
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

// A font the system described at its own DPI, made for the given DPI instead.
LOGFONTA FontForDpi(LOGFONTA font, int dpi);

}  // namespace tembori
