// The hover timer's decisions.
#include "app/geometry/HoverTracker.h"

namespace tembori {

std::uint32_t HoverTimerPeriod(std::int32_t memoTime) {
  const std::int64_t period = static_cast<std::int64_t>(memoTime) * 100;
  if (period < kMinTimerPeriod) return kMinTimerPeriod;
  if (period > kMaxTimerPeriod) return kMaxTimerPeriod;
  return static_cast<std::uint32_t>(period);
}

void HoverTracker::TimerStarted(std::uintptr_t timerId, int pointerX, int pointerY) {
  timerId_ = timerId;
  lastX_ = pointerX;
  lastY_ = pointerY;
}

HoverTick HoverTracker::OnTick(int pointerX, int pointerY, bool insideClient,
                               bool holidaySettingMode, bool popupShown) {
  HoverTick tick;
  if (!insideClient) {
    tick.hidePopup = popupShown;
    tick.stopTimer = true;
    return tick;
  }
  if (pointerX == lastX_ && pointerY == lastY_) {
    // Rested for a whole period: no pop-ups while marking holidays, and one is enough.
    tick.showDayUnderPointer = !holidaySettingMode && !popupShown;
    return tick;
  }
  lastX_ = pointerX;
  lastY_ = pointerY;
  tick.hidePopup = popupShown;
  tick.checkDate = true;
  return tick;
}

}  // namespace tembori
