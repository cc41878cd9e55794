// The calendar window's arithmetic: the font size taken from the settings, cell size from the
// font, window and client sizes, the rectangles of the grid, box, strips and child controls,
// day cells and hit testing, the shapes painted inside cells and buttons, and the placement
// of the window on the screen.
// Everything is in pixels and free of the platform, so it is tested without a screen. The
// fixed lengths are given for 96 DPI and scaled to the DPI of the window's monitor, which
// the callers pass in; what is measured from the font is in the font's own pixels.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace tembori {

// Same members and order as the platform's RECT, so conversions are member by member.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
struct Point {
  int x = 0, y = 0;
};

inline bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const Rect& a, const Rect& b) {
  return !(a == b);
}
inline bool operator==(const Point& a, const Point& b) {
  return a.x == b.x && a.y == b.y;
}
inline bool operator!=(const Point& a, const Point& b) {
  return !(a == b);
}

inline int Width(const Rect& rect) {
  return rect.right - rect.left;
}
inline int Height(const Rect& rect) {
  return rect.bottom - rect.top;
}
// Half-open like the platform's hit tests: the right and bottom edges are outside.
bool Contains(const Rect& rect, Point point);

// 100 %: the DPI at which the fixed lengths below have the pixel sizes written in them.
constexpr int kDefaultDpi = 96;
// A length at 96 DPI as the window's DPI makes it, rounded to the nearest pixel as the
// platform rounds its own scaled metrics; unchanged at 96.
int ScaleToDpi(int pixels, int dpi);

// What layout needs of the calendar font's TEXTMETRIC (variablePitch is bit 0 of
// tmPitchAndFamily, which the platform sets for variable-pitch fonts).
struct FontMetrics {
  int height = 0, externalLeading = 0, aveCharWidth = 0;
  bool variablePitch = false;
};
struct CellSize {
  int width = 0, height = 0;
};

// The calendar font's size in points from the stored text, a whole number as the settings
// page writes it, from 1 to 99 (its field holds two digits). None for anything else (empty,
// not a number, or a size that would make the calendar unreadable or larger than the
// screen): the calendar then takes the system font.
std::optional<int> PointSizeFromText(std::string_view text);

// Squeeze drops the padding around each number. The padding is given at 96 DPI and scaled
// with the font, so the cell keeps its proportions at every DPI.
CellSize ComputeCellSize(const FontMetrics& metrics, bool squeeze, int dpi);

// The line of small marks (the 六曜) under a cell's number: the widest mark, `mark`, with a
// little space below it, so that the next week's numbers do not crowd it.
int MarkLineHeight(CellSize mark, int dpi);
// The cell with that line: taller by it, and wide enough for the mark with room on both sides.
CellSize WithMarkLine(CellSize cell, CellSize mark, int dpi);

// Client rectangle of the framed window, before the frame is added (AdjustWindowRectEx).
// border is the platform's gap between the client edge and the sunken box.
Rect FramedClientRect(CellSize cell, int border, int dpi);
// The frameless window is exactly the grid: seven rows of seven cells.
Rect FramelessWindowRect(CellSize cell);

// Client-area rectangles. Framed: heading row of one cell height, the sunken box around the
// grid, and a strip (24 pixels at 96 DPI) below it holding the padlock and the year field with its
// spin. Frameless: the grid is the whole client area (the other rectangles are still computed from
// the framed look, since the hidden controls keep their places).
struct CalendarLayout {
  Rect gridRect, boxRect, leftStripRect, rightStripRect, bottomStripRect, modeButtonRect,
      yearFieldRect, yearSpinRect;
};
// The sunken border stays two pixels wide at every DPI, like the platform's own edges.
CalendarLayout ComputeCalendarLayout(CellSize cell, bool frameless, int border, int dpi);

// The two month buttons in the top corners and the heading between them.
struct MonthButtonLayout {
  Rect prevButton, nextButton, titleRect;
};
MonthButtonLayout ComputeMonthButtons(CellSize cell, int clientWidth);

enum class FrameChange { None = 0, Removed = 1, Restored = 2 };
// How far the last frame change moved the window: its left and right edges by -dx, its top
// and bottom edges by -dy.
struct FrameShift {
  int dx = 0, dy = 0;
};

// Where an existing window goes after a new layout: the wanted size at the old window's
// top-left corner. When the frame has just been removed or restored, the window is also
// shifted so that the grid stays where it was on the screen (half the change of width
// sideways, the change of height less the platform's caption height, given at 96 DPI,
// vertically), and shift records that move. With no frame change, shift is left as it is.
Rect PlaceResizedWindow(const Rect& oldWindow, int wantedWidth, int wantedHeight,
                        FrameChange change, int captionHeight, int dpi, FrameShift& shift);
// The window's rectangle as it would be had the last frame change not shifted it.
Rect UndoFrameShift(Rect window, FrameShift shift);

// A remembered window rectangle made safe to show: when its horizontal middle lies right of
// the virtual screen (all monitors), it moves to the virtual screen's left edge keeping its
// width; likewise to the top edge when its vertical middle lies below. Middles left of or
// above the screen are left alone. Values from the registry may be anything: the
// arithmetic does not overflow.
Rect ClampRestoredPosition(Rect saved, const Rect& virtualScreen);
// A monitor as the platform reports it: all of it, and its work area, without the taskbar
// and the other bars docked to its edges.
struct MonitorArea {
  Rect monitor, work;
};
// A restored position that would leave the window wholly off every monitor: a window of the
// given size with its top-left corner at placed's shows no pixel on any of them. It then
// moves, keeping its extent, to the top-left corner of the work area of the nearest monitor
// (the first of those at the least distance). A window that is only partly off the screen,
// or for which no monitor is known, stays where it is.
Rect KeepOnSomeMonitor(const Rect& placed, int width, int height,
                       const std::vector<MonitorArea>& monitors);
// What is stored for the next copy of the program started while this one runs: every edge
// 16 pixels further right and down (wrapping like the stored 32-bit values).
Rect NextInstancePosition(const Rect& placed);

// Columns of the grid. mondayFirst is the setting SunFirst being nonzero: the week then
// starts on Monday and Sunday is the last column. Weekdays are 0 = Sunday .. 6 = Saturday.
int WeekdayOfColumn(int column, bool mondayFirst);
int ColumnOfWeekday(int weekday, bool mondayFirst);
// x of the centre of a column, where the weekday names and day numbers are centred.
int ColumnCentreX(int column, const Rect& gridRect, CellSize cell);

// The cell of a day of a month whose day 1 falls on firstWeekday. Row 0 of the grid holds
// the weekday names; the weeks are rows 1 to 6.
Rect DayCell(int day, int firstWeekday, bool mondayFirst, const Rect& gridRect, CellSize cell);

// The cell made square around its centre: the box of a national holiday's circle.
Rect CircleBox(const Rect& cell);
// Today's frame: a closed outline one pixel inside the cell's left edge and two inside its
// right edge, over the cell's full height.
std::array<Point, 5> TodayFrame(const Rect& cell);
// The chosen day's focus rectangle: two pixels inside today's frame on every side, so that
// both show on today.
Rect FocusFrame(const Rect& cell);
// The four polylines of the sunken border, outermost shadow first: shadow, dark shadow,
// light, highlight. Line drawing leaves out the end point of a line, so each path ends one
// pixel beyond the last pixel of its line: the corner pixels are drawn too.
std::array<std::array<Point, 3>, 4> SunkenBoxPaths(const Rect& box);

// The black arrows of the month buttons, for a button of the given size, two pixels (at
// 96 DPI) inside its edges.
std::array<Point, 3> NextMonthTriangle(int width, int height, int dpi);
std::array<Point, 3> PrevMonthTriangle(int width, int height, int dpi);

// The padlock is drawn at 100, 150 and 200 %: the scale, in percent, of the one for a
// window at this DPI, the nearest, and the smaller of two equally near, which fits its
// button.
int PadlockScale(int dpi);
// Where a picture of the given size goes to sit in the middle of an area (a picture larger
// than the area overhangs it evenly).
Rect CentredIn(const Rect& area, int width, int height);

// Right end and top of the frameless heading: 6.8 cells from the client area's left edge
// (truncated), where the frameless grid begins, with its top on the last week row.
Point FramelessHeadingAnchor(CellSize cell, const Rect& gridRect);

}  // namespace tembori
