// Painting the calendar window: the month, its background and a copy for screen captures.
#include "app/CalendarWindow.h"

#include "framework/GdiHandles.h"

namespace tembori {

CalendarView CalendarWindow::View() const {
  return CalendarView{calendar_,        settings_,           platform_,      frameless_,
                      memos_.MemoMap(), calendarFont_.get(), cell_,          gridRect_,
                      boxRect_,         titleRect_,          leftStripRect_, rightStripRect_,
                      bottomStripRect_};
}

void CalendarWindow::OnPaint() {
  const PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  PaintCalendar(paint.Get(), View(), client.right);
}

BOOL CalendarWindow::OnEraseBkgnd(HDC dc) {
  return EraseCalendarBackground(dc, View()) ? TRUE : FALSE;
}

// Draws the client area into another device context, as a screen capture of it would look.
void CalendarWindow::OnPrintClient(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const CalendarView view = View();
  EraseCalendarBackground(dc, view);
  PaintCalendar(dc, view, client.right);
}

}  // namespace tembori
