// The calendar window's one timer: started by a mouse move inside the window, sampling the
// pointer at every tick, stopped by a tick that finds the pointer outside the client area.
// What a tick means is HoverTracker's decision; this runs the platform's side of it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/geometry/HoverTracker.h"

namespace tembori {

class HoverTimer {
 public:
  static constexpr UINT_PTR kTimerId = 1;

  // WM_MOUSEMOVE: starts the timer when none runs, with the period of the MemoTime setting.
  // False when the platform had no timer to give (the caller reports it).
  bool OnMouseMove(HWND window, POINT clientPoint, std::int32_t memoTime);
  // Starts the timer again with a new period, also when none ran; false as above.
  bool Restart(HWND window, std::int32_t memoTime);
  // WM_DESTROY.
  void Stop(HWND window);
  bool Running() const { return tracker_.TimerId() != 0; }

  // WM_TIMER: stops the timer itself when the pointer has left the client area and answers
  // what else the window is to do; `clientPointer` is where the pointer is. A tick whose
  // pointer position cannot be had does nothing.
  HoverTick OnTimer(HWND window, bool holidaySettingMode, bool popupShown, POINT& clientPointer);

 private:
  HoverTracker tracker_;
};

}  // namespace tembori
