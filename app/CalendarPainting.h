// Drawing of the calendar window: the month on WM_PAINT, its background on WM_ERASEBKGND,
// and the owner-drawn month and padlock buttons. Every pen, brush, bitmap and memory device
// context is made and freed within the call; nothing is changed but the device context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/geometry/Geometry.h"
#include "app/geometry/GridColours.h"
#include "app/geometry/PlatformAbilities.h"
#include "calendar/MonthCalendar.h"
#include "settings/Settings.h"

namespace tembori {

inline Rect FromWinRect(const RECT& rect) {
  return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right),
          static_cast<int>(rect.bottom)};
}
inline RECT ToWinRect(const Rect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}
inline Point FromWinPoint(const POINT& point) {
  return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

// The SunFirst setting: nonzero starts the weeks on Monday.
inline bool WeeksStartOnMonday(const Settings& settings) {
  return settings.SunFirst != 0;
}

// Everything painting reads, filled by the calendar window.
struct CalendarView {
  const MonthCalendar& calendar;
  const Settings& settings;
  const PlatformAbilities& platform;
  bool frameless;
  std::uint32_t memoMap;  // bit (day - 1) set when the day has a memo
  int focusDay;           // the chosen day, framed while the grid has the focus; else 0
  GridColours colours;    // the user's, or the system's under high contrast
  HFONT calendarFont;
  HFONT markFont;  // the 六曜 under each number
  int markHeight;  // the 六曜's line at the cells' bottom; 0 while they are not shown
  CellSize cell;
  RECT gridRect, boxRect, titleRect, leftStripRect, rightStripRect, bottomStripRect;
};

// The one-character name of a weekday (0 = Sunday .. 6) as the weekday row shows it.
const char* JapaneseWeekdayName(int weekday);

// The heading of the shown month as drawn: "2026年 12月", or "Dec. 2026" in English; empty
// when the date cannot be formatted.
std::string FormatHeading(const MonthCalendar& calendar, bool english);

// WM_PAINT, between BeginPaint and EndPaint: heading, weekday names, days, and in framed mode
// the sunken box around the grid.
void PaintCalendar(HDC dc, const CalendarView& view, int clientWidth);

// WM_ERASEBKGND: the grid in the background colour or the desktop, and in framed mode the
// rows and strips around the box in the button face colour. Returns what the handler returns:
// false in frameless mode, true otherwise.
bool EraseCalendarBackground(HDC dc, const CalendarView& view);

// WM_DRAWITEM of the owner-drawn buttons: the padlock (ID_MODE_BUTTON, closed while state is
// 1, open otherwise) and the next and previous month arrows, as drawn for the window's
// DPI, the arrows in the button text colour, the padlock in its own dark yellow; other
// controls are not drawn.
void DrawCalendarButton(const DRAWITEMSTRUCT& item, int state, int dpi);

}  // namespace tembori
