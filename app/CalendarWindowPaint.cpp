// Painting the calendar window: the month, its background and a copy for screen captures.
#include "app/CalendarWindow.h"

#include "framework/GdiHandles.h"

namespace tembori {
namespace {

bool HighContrastOn() {
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

CalendarView CalendarWindow::View() const {
  const SystemGridColours system{GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
                                 GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HOTLIGHT)};
  return CalendarView{calendar_,
                      settings_,
                      platform_,
                      frameless_,
                      memos_.MemoMap(),
                      GetFocus() == Handle() ? CursorDay() : 0,
                      ChooseGridColours(settings_, HighContrastOn(), system),
                      calendarFont_.get(),
                      markFont_.get(),
                      settings_.Rokuyo != 0 ? MarkLineHeight(MarkSize(), dpi_) : 0,
                      cell_,
                      gridRect_,
                      boxRect_,
                      titleRect_,
                      leftStripRect_,
                      rightStripRect_,
                      bottomStripRect_};
}

// A new colour scheme, high contrast switched, or another system setting: everything is
// drawn again at once, children included; the spin control wants to hear of new colours.
void CalendarWindow::OnSystemColoursChanged(const Message& message) {
  if (message.id == WM_SYSCOLORCHANGE && yearSpin_.Handle() != nullptr) {
    SendMessageA(yearSpin_.Handle(), WM_SYSCOLORCHANGE, 0, 0);
  }
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
