// The calendar window's memos: the edit by double click in the holiday-setting mode, the
// month's map, and the one timer that shows the pop-up over a resting pointer and notices
// the change of the date.
#include "app/CalendarWindow.h"

#include "app/MemoPopupText.h"
#include "framework/ResourceText.h"
#include "memo/win32/MemoDialog.h"
#include "res/ResourceIds.h"

namespace tembori {

void CalendarWindow::LoadMonthMap() {
  memos_.LoadMonthMap();
}

void CalendarWindow::EditMemoOfDay(POINT point) {
  const DayHit hit = DayFromPoint(FromWinPoint(point));
  if (hit.day == 0 || !EditMemo(memos_, hit.day, Handle())) return;
  const RECT cell = ToWinRect(hit.cell);
  InvalidateRect(Handle(), &cell, TRUE);
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
  if (timerId != HoverTimer::kTimerId) return;
  POINT pointer{};
  const HoverTick tick =
      hoverTimer_.OnTimer(Handle(), HolidayModeOn(), memoPopup_.IsShown(), pointer);
  if (tick.hidePopup) memoPopup_.HideMemo();
  if (tick.showDayUnderPointer) {
    const DayHit hit = DayFromPoint(FromWinPoint(pointer));
    if (hit.day != 0) {
      if (const auto text = PopupTextForDay(memos_, calendar_, hit.day)) {
        RECT cell = ToWinRect(hit.cell);
        MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
        memoPopup_.ShowMemo(*text, cell);
      }
    }
  }
  if (tick.checkDate && calendar_.RefreshToday()) {
    UpdateTitleAndTray();
    InvalidateRect(Handle(), &gridRect_, TRUE);
  }
}

}  // namespace tembori
