// Paints the month, its background and the owner-drawn buttons of the calendar window.
// Positions come from the window geometry; this file only turns them into GDI calls.
#include "app/CalendarPainting.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/CalendarMarkText.h"
#include "app/DateFormat.h"
#include "calendar/CalendarArithmetic.h"
#include "framework/GdiHandles.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

static_assert(sizeof("日") == 3, "Japanese texts must be compiled as 2-byte Shift-JIS");

// Indexed by weekday, Sunday first; the week order picks the name of each column.
constexpr const char* kJapaneseWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};
constexpr const char* kEnglishWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

constexpr LCID kEnglishLocale = 0x409;
constexpr LCID kSystemDefaultLocale = 0x800;
constexpr char kEnglishHeading[] = "MMM'.' yyyy";
constexpr char kJapaneseHeading[] = "yyyy'年' MMMM";

// The fixed look of a platform without 3-D system colours.
constexpr COLORREF kFixedShadow = 0x808080;
constexpr COLORREF kFixedDarkShadow = 0x000000;
constexpr COLORREF kFixedLight = 0xC0C0C0;
constexpr COLORREF kFixedHighlight = 0xFFFFFF;
constexpr COLORREF kFixedFace = 0xC0C0C0;

// Mask 1 keeps the destination, mask 0 copies the image: the padlock looks the same on any
// button face (an AND with the face would blacken it on a dark one).
constexpr DWORD kKeepDestination = 0x00AA0029;
constexpr DWORD kPadlockRop = MAKEROP4(kKeepDestination, SRCCOPY);
static_assert(kPadlockRop == 0xCCAA0029, "the mask chooses between destination and image");

template <std::size_t N>
std::array<POINT, N> ToWinPoints(const std::array<Point, N>& points) {
  std::array<POINT, N> converted{};
  for (std::size_t i = 0; i < N; ++i) converted[i] = {points[i].x, points[i].y};
  return converted;
}

template <std::size_t N>
void DrawPolyline(HDC dc, const std::array<Point, N>& points) {
  const std::array<POINT, N> converted = ToWinPoints(points);
  Polyline(dc, converted.data(), static_cast<int>(N));
}

void DrawSunkenBox(HDC dc, const Rect& box, bool threeDColours) {
  const COLORREF colours[4] = {
      threeDColours ? GetSysColor(COLOR_BTNSHADOW) : kFixedShadow,
      threeDColours ? GetSysColor(COLOR_3DDKSHADOW) : kFixedDarkShadow,
      threeDColours ? GetSysColor(COLOR_3DLIGHT) : kFixedLight,
      threeDColours ? GetSysColor(COLOR_BTNHIGHLIGHT) : kFixedHighlight,
  };
  const auto paths = SunkenBoxPaths(box);
  for (std::size_t step = 0; step < paths.size(); ++step) {
    const PenHandle pen(CreatePen(PS_SOLID, 0, colours[step]));
    const ObjectSelection selection(dc, pen.get());
    DrawPolyline(dc, paths[step]);
  }
}

void DrawHeading(HDC dc, const CalendarView& view, int clientWidth) {
  // Out of memory, std::bad_alloc reaches the window procedure, which reports it and ends
  // the paint, as for every other handler.
  const bool english = view.settings.Language != 0;
  const SystemTime& shown = view.calendar.Shown();
  const std::string text = !english && view.settings.EraYear != 0
                               ? EraHeading(shown.wYear, shown.wMonth, 1, &LoadResourceString)
                               : FormatHeading(view.calendar, english);
  if (text.empty()) return;
  const int length = static_cast<int>(text.size());

  if (view.frameless) {
    // Over the last week row, in today's colour; nothing is drawn after it, so the
    // alignment is left as it is.
    SetTextAlign(dc, TA_RIGHT | TA_TOP);
    SetTextColor(dc, view.colours.today);
    const Point anchor = FramelessHeadingAnchor(view.cell, FromWinRect(view.gridRect));
    TextOutA(dc, anchor.x, anchor.y, text.data(), length);
  } else {
    // On the button face, in its text colour: visible in every colour scheme.
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOutA(dc, clientWidth / 2, 0, text.data(), length);
  }
}

void DrawWeekdayNames(HDC dc, const CalendarView& view) {
  const Settings& settings = view.settings;
  const Rect grid = FromWinRect(view.gridRect);
  const auto& names = settings.Language == 0 ? kJapaneseWeekdays : kEnglishWeekdays;
  for (int column = 0; column < 7; ++column) {
    const int weekday = WeekdayOfColumn(column, WeeksStartOnMonday(settings));
    SetTextColor(dc,
                 settings.WeekdayOff[weekday] == 1 ? view.colours.dayOff : view.colours.ordinary);
    const char* const name = names[weekday];
    TextOutA(dc, ColumnCentreX(column, grid, view.cell), grid.top, name,
             static_cast<int>(std::strlen(name)));
  }
}

COLORREF DayColour(const CalendarView& view, int day) {
  if (view.calendar.IsToday(day) && view.settings.TodaysFace == 1) return view.colours.today;
  return view.calendar.IsDayOff(day) ? view.colours.dayOff : view.colours.ordinary;
}

void DrawDays(HDC dc, const CalendarView& view) {
  const MonthCalendar& calendar = view.calendar;
  const Settings& settings = view.settings;
  const Rect grid = FromWinRect(view.gridRect);
  const PenHandle circlePen(CreatePen(PS_SOLID, 0, view.colours.circle));
  for (int day = 1; day <= calendar.DaysInMonth(); ++day) {
    const Rect cell =
        DayCell(day, calendar.FirstWeekday(), WeeksStartOnMonday(settings), grid, view.cell);
    // The number keeps the cell's top; the 六曜 take its bottom line.
    const Rect numberCell = {cell.left, cell.top, cell.right, cell.bottom - view.markHeight};
    if (settings.Circ != 0 && calendar.IsNationalHoliday(day)) {
      const ObjectSelection selection(dc, circlePen.get());
      const Rect box = CircleBox(numberCell);
      Arc(dc, box.left, box.top, box.right, box.bottom, box.left, box.top, box.left, box.top);
    }
    if (settings.TodaysFace == 0 && calendar.IsToday(day)) DrawPolyline(dc, TodayFrame(cell));

    SetTextColor(dc, DayColour(view, day));
    // user32's formatter: the C library's would bring its floating-point printing along.
    char label[16];
    const int length = wsprintfA(label, (view.memoMap & DayBit(day)) != 0 ? "%d*" : "%d", day);
    TextOutA(dc, cell.left + view.cell.width / 2, cell.top, label, length);
    if (view.markHeight > 0) {
      const ObjectSelection selection(dc, view.markFont);
      const std::string mark =
          LoadResourceString(RokuyoStringId(RokuyoOf(calendar.OldDateOf(day))));
      TextOutA(dc, cell.left + view.cell.width / 2, numberCell.bottom, mark.c_str(),
               static_cast<int>(mark.size()));
    }
    if (day == view.focusDay) {
      // Inside today's box, which runs one pixel inside the cell's left edge and two inside
      // its right one.
      const RECT focus = ToWinRect(FocusFrame(cell));
      DrawFocusRect(dc, &focus);
    }
  }
}

void DrawTriangle(HDC dc, const std::array<Point, 3>& corners) {
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const BrushHandle brush(CreateSolidBrush(text));
  const PenHandle pen(CreatePen(PS_SOLID, 0, text));
  const ObjectSelection brushSelection(dc, brush.get());
  const ObjectSelection penSelection(dc, pen.get());
  const std::array<POINT, 3> converted = ToWinPoints(corners);
  Polygon(dc, converted.data(), static_cast<int>(converted.size()));
}

// `original` stretched to `length` pixels across (or down, with `rows`), each column (row)
// taken from the one of the original that it lies on.
BitmapHandle Stretched(HDC reference, HBITMAP original, int length, bool rows) {
  BITMAP size{};
  if (GetObjectA(original, sizeof size, &size) == 0) return BitmapHandle();
  const int width = rows ? static_cast<int>(size.bmWidth) : length;
  const int height = rows ? length : static_cast<int>(size.bmHeight);
  // In the original's format: a mask stays monochrome, as MaskBlt wants it.
  BitmapHandle stretched(CreateBitmap(width, height, size.bmPlanes, size.bmBitsPixel, nullptr));
  const CreatedDc from = CreateMemoryDc(reference), to = CreateMemoryDc(reference);
  if (!stretched || !from || !to) return BitmapHandle();
  const ObjectSelection source(from.get(), original), target(to.get(), stretched.get());
  const int originalLength = static_cast<int>(rows ? size.bmHeight : size.bmWidth);
  for (int at = 0; at < length; ++at) {
    const int taken = at * originalLength / length;
    BitBlt(to.get(), rows ? 0 : at, rows ? at : 0, rows ? width : 1, rows ? 1 : height, from.get(),
           rows ? 0 : taken, rows ? taken : 0, SRCCOPY);
  }
  return stretched;
}

// The padlock's image or mask at the scale drawn for `dpi`. Only the padlock at 100 % is
// stored: the others are enlarged here as the image generator enlarges the art, to the
// rounded size, each pixel taken from the pixel of the art that it lies on.
BitmapHandle PadlockBitmap(HDC reference, int id, int dpi) {
  BitmapHandle bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
  const int scale = PadlockScale(dpi);
  BITMAP size{};
  if (!bitmap || scale == 100 || GetObjectA(bitmap.get(), sizeof size, &size) == 0) return bitmap;
  const BitmapHandle wide = Stretched(reference, bitmap.get(),
                                      (static_cast<int>(size.bmWidth) * scale + 50) / 100, false);
  return Stretched(reference, wide.get(), (static_cast<int>(size.bmHeight) * scale + 50) / 100,
                   true);
}

void DrawPadlock(const DRAWITEMSTRUCT& item, bool closed, int dpi) {
  const BitmapHandle image =
      PadlockBitmap(item.hDC, closed ? IDB_PADLOCK_CLOSED : IDB_PADLOCK_OPEN, dpi);
  const BitmapHandle mask =
      PadlockBitmap(item.hDC, closed ? IDB_PADLOCK_CLOSED_MASK : IDB_PADLOCK_OPEN_MASK, dpi);
  if (!image || !mask) return;
  BITMAP size{};
  if (GetObjectA(image.get(), sizeof size, &size) == 0) return;
  const CreatedDc memory = CreateMemoryDc(item.hDC);
  if (!memory) return;
  const ObjectSelection imageSelection(memory.get(), image.get());

  // At scales between the drawn ones the button is larger than the picture, which then
  // sits in its middle; at the drawn scales it fills the button.
  const HDC target = item.hDC;
  const Rect area = CentredIn(FromWinRect(item.rcItem), static_cast<int>(size.bmWidth),
                              static_cast<int>(size.bmHeight));
  const int width = Width(area);
  const int height = Height(area);
  if (MaskBlt(target, area.left, area.top, width, height, memory.get(), 0, 0, mask.get(), 0, 0,
              kPadlockRop)) {
    return;
  }
  // Without MaskBlt: black out the padlock's shape through the mask, then paint the image
  // into it; the image is black wherever the mask keeps the button.
  SetBkColor(target, RGB(255, 255, 255));
  SetTextColor(target, RGB(0, 0, 0));
  {
    const ObjectSelection maskSelection(memory.get(), mask.get());
    BitBlt(target, area.left, area.top, width, height, memory.get(), 0, 0, SRCAND);
  }
  BitBlt(target, area.left, area.top, width, height, memory.get(), 0, 0, SRCPAINT);
}

}  // namespace

const char* JapaneseWeekdayName(int weekday) {
  return kJapaneseWeekdays[weekday];
}

std::string FormatHeading(const MonthCalendar& calendar, bool english) {
  const LCID locale = english ? kEnglishLocale : kSystemDefaultLocale;
  const char* const picture = english ? kEnglishHeading : kJapaneseHeading;
  // The first call only measures; a failure there must not become a negative length.
  const int needed = FormatDate(calendar, locale, 0, picture, nullptr, 0, kFormatShown);
  if (needed <= 0) return {};
  std::string text(static_cast<std::size_t>(needed), '\0');
  const int written = FormatDate(calendar, locale, 0, picture, text.data(), needed, kFormatShown);
  if (written <= 0) return {};
  text.resize(static_cast<std::size_t>(written - 1));
  return text;
}

void PaintCalendar(HDC dc, const CalendarView& view, int clientWidth) {
  const PenHandle todayPen(CreatePen(PS_SOLID, 0, view.colours.today));
  const ObjectSelection penSelection(dc, todayPen.get());
  const ObjectSelection fontSelection(dc, view.calendarFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_CENTER | TA_TOP);

  if (!view.frameless) {
    DrawSunkenBox(dc, FromWinRect(view.boxRect), view.platform.threeDColours);
    DrawHeading(dc, view, clientWidth);
  }
  DrawWeekdayNames(dc, view);
  DrawDays(dc, view);
  // Frameless, the heading sits on the last week row and is drawn over the days.
  if (view.frameless) DrawHeading(dc, view, clientWidth);
}

bool EraseCalendarBackground(HDC dc, const CalendarView& view) {
  if (view.colours.desktopBehind) {
    // The desktop painting may leave its own text colour and other state behind in this
    // device context, which the month's painting then shares.
    const int saved = SaveDC(dc);
    PaintDesktop(dc);
    RestoreDC(dc, saved);
  } else {
    const BrushHandle background(CreateSolidBrush(view.colours.back));
    FillRect(dc, &view.gridRect, background.get());
  }
  if (view.frameless) return false;

  // The ring between box and grid is left to the sunken box drawn over it.
  const BrushHandle face(
      CreateSolidBrush(view.platform.threeDColours ? GetSysColor(COLOR_BTNFACE) : kFixedFace));
  const ObjectSelection selection(dc, face.get());
  RECT clip{};
  GetClipBox(dc, &clip);
  for (const RECT* area :
       {&view.titleRect, &view.bottomStripRect, &view.leftStripRect, &view.rightStripRect}) {
    // An empty strip (left and right strips without a client border) intersects nothing.
    RECT part;
    if (IntersectRect(&part, area, &clip)) {
      PatBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, PATCOPY);
    }
  }
  return true;
}

void DrawCalendarButton(const DRAWITEMSTRUCT& item, int state, int dpi) {
  const int width = item.rcItem.right;
  const int height = item.rcItem.bottom;
  switch (item.CtlID) {
    case ID_MODE_BUTTON:
      DrawPadlock(item, state == 1, dpi);
      break;
    case ID_NEXT_MONTH:
      DrawTriangle(item.hDC, NextMonthTriangle(width, height, dpi));
      break;
    case ID_PREV_MONTH:
      DrawTriangle(item.hDC, PrevMonthTriangle(width, height, dpi));
      break;
    default:
      break;
  }
}

}  // namespace tembori
