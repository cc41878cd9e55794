// The calendar window's mouse: marking days in the holiday-setting mode, the frame toggle by
// double click, the middle button, and dragging the frameless window.
#include "app/CalendarWindow.h"

namespace tembori {

DayHit CalendarWindow::DayFromPoint(Point point) const {
  return tembori::DayFromPoint(point, calendar_.FirstWeekday(), calendar_.DaysInMonth(),
                               WeeksStartOnMonday(settings_), FromWinRect(gridRect_), cell_);
}

// With the mode off, default processing asks for the context menu (WM_CONTEXTMENU).
std::optional<LRESULT> CalendarWindow::OnRButtonUp(POINT point, UINT) {
  if (!HolidayModeOn()) return std::nullopt;
  ToggleMarkOfDay(DayFromPoint(FromWinPoint(point)).day);
  return 0;
}

// In the holiday-setting mode a double click edits the day's memo; otherwise it toggles the
// frame.
std::optional<LRESULT> CalendarWindow::OnLButtonDblClk(POINT point, UINT) {
  if (HolidayModeOn()) {
    EditMemoOfChosenDay(DayFromPoint(FromWinPoint(point)).day);
    return 0;
  }
  ToggleFrame();
  return 0;
}

LRESULT CalendarWindow::OnMButtonUp(const Message& message) {
  Step(CalendarStep::ThisMonth);
  return DefaultProcessing(message);
}

// A frameless window is moved by dragging it anywhere; with the frame, by its caption.
std::optional<LRESULT> CalendarWindow::OnLButtonDown(POINT point, UINT) {
  if (!frameless_) return std::nullopt;
  drag_.Begin(Handle(), FromWinRect(gridRect_), FromWinPoint(point));
  // The button's release then comes here wherever it happens.
  SetCapture(Handle());
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32515)));  // IDC_CROSS
  return 0;
}

std::optional<LRESULT> CalendarWindow::OnMouseMove(POINT point, UINT) {
  if (!frameless_ || !drag_.Active()) {
    TrackPointer(point);
    return std::nullopt;
  }
  drag_.MoveTo(FromWinPoint(point));
  return 0;
}

std::optional<LRESULT> CalendarWindow::OnLButtonUp(POINT point, UINT) {
  if (!drag_.Active()) return std::nullopt;
  const Point start = drag_.Start();
  // Ended before the capture goes, so that losing the capture finds no drag to cancel.
  drag_.End();
  ReleaseCapture();
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
  POINT clientOrigin{0, 0};
  ClientToScreen(Handle(), &clientOrigin);
  const Point origin = DraggedOrigin(FromWinPoint(point), start, FromWinPoint(clientOrigin));
  RECT window{};
  GetWindowRect(Handle(), &window);
  MoveWindow(Handle(), origin.x, origin.y, window.right - window.left, window.bottom - window.top,
             TRUE);
  return 0;
}

// Another window took the mouse (a pop-up, a message box, task switching): the drag ends
// where it is, with its outline erased, and the window stays in place.
void CalendarWindow::OnCaptureChanged(HWND taker) {
  if (!drag_.Active() || taker == Handle()) return;
  drag_.End();
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
}

}  // namespace tembori
