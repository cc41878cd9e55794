// The calendar window's memos: the month's map, and the one timer that shows the pop-up over a
// resting pointer and notices the change of the date (the edit of a memo is the day
// cursor's, CalendarWindowCursor.cpp).
#include "app/CalendarWindow.h"

#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {

void CalendarWindow::LoadMonthMap() {
  memos_.LoadMonthMap();
}

void CalendarWindow::RestartHoverTimer() {
  if (!hoverTimer_.Restart(Handle(), settings_.MemoTime)) {
    ShowMessage(IDS_SORRY_OUT_OF_TIMER);
  }
}

// Any move inside the window starts the timer when none runs.
void CalendarWindow::TrackPointer(POINT point) {
  if (!hoverTimer_.OnMouseMove(Handle(), point, settings_.MemoTime)) {
    ShowMessage(IDS_OUT_OF_TIMER);
  }
}

void CalendarWindow::OnTimer(UINT_PTR timerId) {
  if (timerId == kCursorTimerId) {
    // The chosen day's pop-up, once, while the grid still has the focus.
    KillTimer(Handle(), kCursorTimerId);
    if (gridFocused_ && GetFocus() == Handle()) ShowPopupForDay(cursor_.day);
    return;
  }
  if (timerId != HoverTimer::kTimerId) return;
  POINT pointer{};
  const HoverTick tick =
      hoverTimer_.OnTimer(Handle(), HolidayModeOn(), memoPopup_.IsShown(), pointer);
  if (tick.hidePopup) memoPopup_.HideMemo();
  if (tick.showDayUnderPointer) ShowPopupForDay(DayFromPoint(FromWinPoint(pointer)).day);
  if (tick.checkDate && calendar_.RefreshToday()) {
    UpdateTitleAndTray();
    InvalidateRect(Handle(), &gridRect_, TRUE);
  }
}

void CalendarWindow::OnMemosChanged() {
  memos_.LoadMonthMap();
  InvalidateShownMonth();
}

}  // namespace tembori
