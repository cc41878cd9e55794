// When the memo pop-up shows and hides. One timer samples the pointer: the first mouse move
// inside the calendar window starts it; a tick with the pointer outside stops it; a pointer
// that rested for a whole period shows the memo of the day under it; a pointer that moved
// hides the pop-up and is also the moment to notice that the date has changed. The window
// executes what the tracker answers, in the order of the answer's fields.
#pragma once

#include <cstdint>

namespace tembori {

// The timer's period in milliseconds for the MemoTime setting (tenths of a second), without
// overflow and within what the platform's timers take; the setting itself is not changed.
std::uint32_t HoverTimerPeriod(std::int32_t memoTime);
inline constexpr std::uint32_t kMinTimerPeriod = 10;          // USER_TIMER_MINIMUM
inline constexpr std::uint32_t kMaxTimerPeriod = 0x7FFFFFFF;  // USER_TIMER_MAXIMUM

struct HoverTick {
  bool hidePopup = false;
  bool stopTimer = false;            // KillTimer with TimerId(), then TimerStopped()
  bool showDayUnderPointer = false;  // the memo, else the day's name, else nothing
  bool checkDate = false;            // RefreshToday, and on a new day the title and the grid
};

class HoverTracker {
 public:
  // A mouse move inside the window: true when the timer is to be started.
  bool OnMouseMove() const { return timerId_ == 0; }
  // The timer runs (SetTimer's id); the pointer, in screen coordinates, is the first sample.
  void TimerStarted(std::uintptr_t timerId, int pointerX, int pointerY);
  // The timer was started again with another period; the last sample stands.
  void TimerRestarted(std::uintptr_t timerId) { timerId_ = timerId; }
  void TimerStopped() { timerId_ = 0; }
  std::uintptr_t TimerId() const { return timerId_; }

  // One tick, with the pointer in screen coordinates and whether it is in the client area.
  HoverTick OnTick(int pointerX, int pointerY, bool insideClient, bool holidaySettingMode,
                   bool popupShown);

 private:
  std::uintptr_t timerId_ = 0;
  int lastX_ = 0, lastY_ = 0;
};

}  // namespace tembori
