// How the calendar window looks, pixel by pixel where it counts: the sunken box with its
// corners, the heading's text, today with neither of its marks, the open padlock; and what
// the settings and the layout make of the window: its extended styles, the year spin's range,
// the frameless erase that leaves the grid to the painting.
#include <doctest.h>
#include <windows.h>

#include <commctrl.h>


#include "CalendarHarness.h"
#include "app/CalendarPainting.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

// What no painting uses: left where nothing was painted.
constexpr COLORREF kUnpainted = RGB(1, 2, 3);

}  // namespace

TEST_CASE("the sunken box: shadows above and left, lights below and right, corners included") {
  StoreSettings({});
  RunningCalendar calendar;
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW),
                 light = GetSysColor(COLOR_3DLIGHT), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  REQUIRE(shadow != dark);
  REQUIRE(light != highlight);
  const Picture picture(calendar.Handle(), kUnpainted);
  // The box is the grid with a border of two pixels.
  const RECT& grid = calendar.Window().GridRect();
  const LONG l = grid.left - 2, t = grid.top - 2, r = grid.right + 2, b = grid.bottom + 2;
  const struct {
    RECT line;
    COLORREF colour;
  } lines[] = {
      {{l, t, r, t + 1}, shadow},            // outer ring: the top row to its right end
      {{l, t, l + 1, b - 1}, shadow},        // the left column
      {{l, b - 1, r, b}, highlight},         // the bottom row from its left end
      {{r - 1, t + 1, r, b}, highlight},     // the right column
      {{l + 1, t + 1, r - 1, t + 2}, dark},  // inner ring
      {{l + 1, t + 1, l + 2, b - 2}, dark},
      {{l + 1, b - 2, r - 1, b - 1}, light},
      {{r - 2, t + 2, r - 1, b - 1}, light},
  };
  for (const auto& [line, colour] : lines) {
    CAPTURE(line);
    CHECK(picture.Count(line, colour) == (line.right - line.left) * (line.bottom - line.top));
  }
}

TEST_CASE("the heading names the shown month: \"2003年 11月\", in English \"Nov. 2003\"") {
  const struct {
    DWORD language;
    const char* text;
  } headings[] = {{0, "2003年 11月"}, {1, "Nov. 2003"}};
  for (const auto& heading : headings) {
    CAPTURE(heading.language);
    StoreSettings({{"Language", heading.language}});
    RunningCalendar calendar;
    CHECK(HeadingReads(calendar, heading.text));
  }
}

TEST_CASE("today with a face setting other than 0 or 1 has neither its box nor its colour") {
  Inspect({{"Today'sFace", 2}}, [](CalendarWindow& window, const Picture& picture) {
    const RECT today = DayCell(window, 12);
    CHECK(picture.Count(today, kToday) == 0);
    CHECK(picture.Count(today, kOrdinary) > 0);
  });
}

TEST_CASE("the padlock is open while the holiday-setting mode is on, closed while it is off") {
  // Drawn the way the button draws itself for either state of the mode.
  const RECT padlock{0, 0, 20, 20};
  const RECT closedLeg = Shifted(padlock, 1, 4, 2, 3), openEnd = Shifted(padlock, 13, 2, 7, 8),
             body = Shifted(padlock, 0, 8, 13, 11);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (const int state : {0, 1}) {
    CAPTURE(state);
    const Picture picture(20, 20, face);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = ID_MODE_BUTTON;
    item.hDC = picture.Dc();
    item.rcItem = padlock;
    DrawCalendarButton(item, state, 96);
    const bool closed = state == 1;
    CHECK((picture.Count(closedLeg, kDarkYellow) == 6) == closed);
    CHECK((picture.Count(openEnd, kDarkYellow) > 0) == !closed);
    CHECK(picture.Count(body, kDarkYellow) > 100);
    // Around the padlock the button stays as it was.
    CHECK(picture.At(19, 19) == face);
  }
}

TEST_CASE("the settings' styles, the year spin's range, and the erase left to the painting") {
  for (const DWORD on : {0, 1}) {
    CAPTURE(on);
    StoreSettings({{"Tray", on}, {"TopMost", on}, {"NoFrame", on}});
    RunningCalendar calendar;
    const HWND handle = calendar.Handle();
    // With the tray icon the window has no taskbar button.
    const LONG exStyle = GetWindowLongA(handle, GWL_EXSTYLE);
    CHECK(((exStyle & WS_EX_TOOLWINDOW) != 0) == (on == 1));
    CHECK(((exStyle & WS_EX_APPWINDOW) != 0) == (on == 0));
    CHECK(((exStyle & WS_EX_TOPMOST) != 0) == (on == 1));

    // The years the calendar knows, with the up arrow going forward.
    const HWND spin = GetDlgItem(handle, IDC_YEAR_SPIN);
    int lowest = 0, highest = 0;
    SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest),
                 reinterpret_cast<LPARAM>(&highest));
    CHECK(lowest == 1851);
    CHECK(highest == 2150);
    CHECK(SendMessageA(spin, UDM_GETPOS32, 0, 0) == 2003);

    // Frameless, the grid is the whole window: the erase reports that it has not erased.
    const Picture anywhere(1, 1, kUnpainted);
    CHECK(SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(anywhere.Dc()), 0) ==
          (on == 1 ? 0 : 1));
  }
}
