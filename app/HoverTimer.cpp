// Starting, sampling and stopping the hover timer.
#include "app/HoverTimer.h"

namespace tembori {

bool HoverTimer::OnMouseMove(HWND window, POINT clientPoint, std::int32_t memoTime) {
  if (!tracker_.OnMouseMove()) return true;
  const UINT_PTR timer = SetTimer(window, kTimerId, HoverTimerPeriod(memoTime), nullptr);
  if (timer == 0) return false;
  ClientToScreen(window, &clientPoint);
  tracker_.TimerStarted(timer, clientPoint.x, clientPoint.y);
  return true;
}

bool HoverTimer::Restart(HWND window, std::int32_t memoTime) {
  Stop(window);
  const UINT_PTR timer = SetTimer(window, kTimerId, HoverTimerPeriod(memoTime), nullptr);
  tracker_.TimerRestarted(timer);
  return timer != 0;
}

void HoverTimer::Stop(HWND window) {
  if (tracker_.TimerId() != 0) KillTimer(window, tracker_.TimerId());
  tracker_.TimerStopped();
}

HoverTick HoverTimer::OnTimer(HWND window, bool holidaySettingMode, bool popupShown,
                              POINT& clientPointer) {
  POINT pointer{};
  if (!GetCursorPos(&pointer)) return {};
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const HoverTick tick = tracker_.OnTick(pointer.x, pointer.y, PtInRect(&client, pointer) != FALSE,
                                         holidaySettingMode, popupShown);
  if (tick.stopTimer) Stop(window);
  clientPointer = pointer;
  ScreenToClient(window, &clientPointer);
  return tick;
}

}  // namespace tembori
