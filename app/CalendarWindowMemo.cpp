// The calendar window's memos: the edit by double click in the holiday-setting mode, the
// month's map, and the one timer that shows the pop-up over a resting pointer and notices
// the change of the date.
#include "app/CalendarWindow.h"

#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {

void CalendarWindow::LoadMonthMap() {
  memos_.LoadMonthMap();
}

void CalendarWindow::EditMemoOfDay(POINT point) {
  EditMemoOfChosenDay(DayFromPoint(FromWinPoint(point)).day);
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
    OnCursorTimer();
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

}  // namespace tembori
