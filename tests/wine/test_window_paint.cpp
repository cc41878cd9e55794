// What the calendar window puts on the screen, read back pixel by pixel: the colours of the
// days, today's mark, holiday circles, memo marks, background, face-coloured strips, the
// sunken box and the owner-drawn buttons, and how the stored settings change the picture.
// Today is Wednesday 12 November 2003: the 3rd is Culture Day, the 23rd a holiday on a
// Sunday with the 24th as its substitute, and the 1st a Saturday.
#include <doctest.h>
#include <windows.h>

#include <vector>

#include "res/ResourceIds.h"
#include "tests/wine/support/WindowTestSupport.h"

using namespace tembori;
using namespace tembori::test;

namespace {

// Distinct colours, none of which the system uses for its own parts.
constexpr COLORREF kHoliday = RGB(0, 0, 255);
constexpr COLORREF kOrdinary = RGB(0, 128, 0);
constexpr COLORREF kToday = RGB(255, 0, 255);
constexpr COLORREF kCircle = RGB(255, 128, 0);
constexpr COLORREF kBack = RGB(255, 255, 204);
constexpr COLORREF kDarkYellow = 0x008080;  // the padlock's body and shackle

void StartWithColours(std::initializer_list<ConfigNumber> more) {
  DeleteProgramKeys();
  PutConfig({{"HolidayColor", kHoliday},
             {"OrdinaryColor", kOrdinary},
             {"TodayColor", kToday},
             {"CircColor", kCircle},
             {"BackColor", kBack}});
  PutConfig(more);
}

// Row 0 of the grid holds the weekday names, rows 1 to 6 the weeks.
RECT GridCell(CalendarWindow& window, int column, int row) {
  const CellSize cell = window.Cell();
  const RECT& grid = window.GridRect();
  const int left = grid.left + column * cell.width;
  const int top = grid.top + row * cell.height;
  return {left, top, left + cell.width, top + cell.height};
}

RECT Cells(CalendarWindow& window, int row, int firstColumn, int lastColumn) {
  const RECT first = GridCell(window, firstColumn, row), last = GridCell(window, lastColumn, row);
  return {first.left, first.top, last.right, last.bottom};
}

// Weeks starting on Sunday.
RECT DayCell(CalendarWindow& window, int day) {
  const int index = window.Calendar().FirstWeekday() + day - 1;
  return GridCell(window, index % 7, 1 + index / 7);
}

RECT Shifted(const RECT& rect, int dx, int dy, int width, int height) {
  return {rect.left + dx, rect.top + dy, rect.left + dx + width, rect.top + dy + height};
}

}  // namespace

TEST_CASE("each day is painted in the colour of its kind, national holidays circled") {
  StartWithColours({});
  RunningCalendar calendar;
  REQUIRE(calendar.Started());
  REQUIRE(calendar.Window().Calendar().FirstWeekday() == 6);
  const ClientPicture picture(calendar.Handle());
  const struct {
    int day;
    COLORREF present, absent;
  } cases[] = {
      {5, kOrdinary, kHoliday}, {12, kOrdinary, kHoliday}, {3, kHoliday, kOrdinary},
      {3, kCircle, kOrdinary},  {23, kCircle, kOrdinary},  {9, kHoliday, kCircle},
      {24, kHoliday, kCircle},  // a substitute day is off but no national holiday
      {1, kHoliday, kOrdinary},
  };
  for (const auto& c : cases) {
    CAPTURE(c.day);
    const RECT cell = DayCell(calendar.Window(), c.day);
    CHECK(picture.Count(cell, c.present) > 0);
    CHECK(picture.Count(cell, c.absent) == 0);
  }
}

TEST_CASE("today is boxed or drawn in its own colour, and circles follow their setting") {
  const struct {
    DWORD todaysFace, circ;
    bool boxed, numberInTodayColour;
  } cases[] = {
      {0, 1, true, false},
      {1, 0, false, true},
      {2, 1, false, false},
  };
  for (const auto& c : cases) {
    CAPTURE(c.todaysFace);
    StartWithColours({{"Today'sFace", c.todaysFace}, {"Circ", c.circ}});
    RunningCalendar calendar;
    REQUIRE(calendar.Started());
    const ClientPicture picture(calendar.Handle());
    const RECT today = DayCell(calendar.Window(), 12);
    const int height = today.bottom - today.top;
    // The box's left side runs one pixel inside the cell over its full height.
    const RECT leftSide = Shifted(today, 1, 0, 1, height);
    const RECT inside = {today.left + 2, today.top + 1, today.right - 2, today.bottom};
    CHECK(picture.Count(leftSide, kToday) == (c.boxed ? height : 0));
    CHECK((picture.Count(inside, kToday) > 0) == c.numberInTodayColour);
    CHECK((picture.Count(today, kOrdinary) > 0) == !c.numberInTodayColour);
    const RECT holiday = DayCell(calendar.Window(), 3);
    CHECK((picture.Count(holiday, kCircle) > 0) == (c.circ != 0));
    CHECK(picture.Count(holiday, kHoliday) > 0);
  }
}

TEST_CASE("a day with a memo carries an asterisk after its number") {
  StartWithColours({});
  RunningCalendar calendar;
  REQUIRE(calendar.Started());
  CalendarWindow& window = calendar.Window();
  const RECT fifth = DayCell(window, 5);
  const RECT sixth = DayCell(window, 6);
  const ClientPicture before(calendar.Handle());
  window.SetMemoMap(DayBit(5));
  calendar.Repaint();
  const ClientPicture after(calendar.Handle());
  CHECK(after.Count(fifth, kOrdinary) > before.Count(fifth, kOrdinary));
  CHECK(after.CountOther(fifth, kBack) > before.CountOther(fifth, kBack));
  CHECK(after.Part(sixth) == before.Part(sixth));
}

TEST_CASE("background, face-coloured strips, sunken box and the owner-drawn buttons") {
  StartWithColours({});
  RunningCalendar calendar;
  REQUIRE(calendar.Started());
  CalendarWindow& window = calendar.Window();
  const HWND handle = calendar.Handle();
  const ClientPicture picture(handle);
  const int w = window.Cell().width, h = window.Cell().height;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);

  // Before the 1st, a week row is bare background.
  CHECK(picture.Count(GridCell(window, 0, 1), kBack) == w * h);
  // The heading row carries the heading in black over the face colour.
  const RECT title = window.TitleRect();
  const int titleArea = (title.right - title.left) * (title.bottom - title.top);
  CHECK(picture.Count(title, face) > titleArea / 2);
  CHECK(picture.Count(title, RGB(0, 0, 0)) > 0);
  // Between the padlock and the year field the bottom strip is plain face colour.
  const RECT strip = window.BottomStripRect();
  const RECT bare = {ChildRect(handle, ID_MODE_BUTTON).right, strip.top,
                     ChildRect(handle, IDC_YEAR_FIELD).left, strip.bottom};
  CHECK(picture.Count(bare, face) == (bare.right - bare.left) * (bare.bottom - bare.top));

  const RECT box = window.BoxRect();
  CHECK(picture.At(box.left, box.top) == GetSysColor(COLOR_BTNSHADOW));
  CHECK(picture.At(box.left + 1, box.top + 1) == GetSysColor(COLOR_3DDKSHADOW));
  CHECK(picture.At(box.right - 2, box.bottom - 2) == GetSysColor(COLOR_3DLIGHT));
  CHECK(picture.At(box.right - 1, box.bottom - 1) == GetSysColor(COLOR_BTNHIGHLIGHT));

  // Black triangles in the outer thirds of the month buttons, pointing outwards.
  const RECT next = ChildRect(handle, ID_NEXT_MONTH);
  const RECT previous = ChildRect(handle, ID_PREV_MONTH);
  CHECK(picture.At(next.left + (4 * w / 3 + w - 2) / 3, h / 2) == RGB(0, 0, 0));
  CHECK(picture.At(next.left + w / 6, h / 2) != RGB(0, 0, 0));
  CHECK(picture.At(previous.left + (2 + 2 * (w / 3)) / 3, h / 2) == RGB(0, 0, 0));
  CHECK(picture.At(previous.left + 5 * w / 6, h / 2) != RGB(0, 0, 0));

  // The padlock is closed: the shackle's left leg stands on the body, and nothing is where
  // the open shackle's free end would hang.
  const RECT padlock = ChildRect(handle, ID_MODE_BUTTON);
  CHECK(picture.Count(Shifted(padlock, 1, 4, 2, 3), kDarkYellow) == 6);
  CHECK(picture.Count(Shifted(padlock, 13, 2, 7, 8), kDarkYellow) == 0);
  CHECK(picture.Count(Shifted(padlock, 0, 8, 13, 11), kDarkYellow) > 100);
}

TEST_CASE("the stored language, first weekday, frame and transparency change the picture") {
  // Only Sundays are weekly days off, so the Sunday column alone is in the holiday colour.
  const DWORD sundaysOff = 0x10204081;
  const auto take = [](std::initializer_list<ConfigNumber> settings, auto&& inspect) {
    StartWithColours({{"RegularHoliday", sundaysOff}});
    PutConfig(settings);
    RunningCalendar calendar;
    REQUIRE(calendar.Started());
    inspect(calendar.Window(), ClientPicture(calendar.Handle()));
  };

  SUBCASE("English weekday names and heading") {
    std::vector<COLORREF> weekdays[2], heading[2];
    for (const DWORD language : {0u, 1u}) {
      take({{"Language", language}}, [&](CalendarWindow& window, const ClientPicture& picture) {
        const RECT row = Cells(window, 0, 0, 6);
        CHECK(picture.CountOther(row, kBack) > 0);
        weekdays[language] = picture.Part(row);
        heading[language] = picture.Part(window.TitleRect());
      });
    }
    CHECK(weekdays[0] != weekdays[1]);
    CHECK(heading[0] != heading[1]);
  }
  SUBCASE("weeks starting on Monday move Sunday and the 1st one column") {
    for (const DWORD sunFirst : {0u, 1u}) {
      CAPTURE(sunFirst);
      take({{"SunFirst", sunFirst}}, [&](CalendarWindow& window, const ClientPicture& picture) {
        const int sunday = sunFirst ? 6 : 0, saturday = sunFirst ? 5 : 6;
        CHECK(picture.Count(GridCell(window, sunday, 0), kHoliday) > 0);
        CHECK(picture.Count(GridCell(window, 6 - sunday, 0), kHoliday) == 0);
        CHECK(picture.Count(GridCell(window, saturday, 1), kOrdinary) > 0);
        CHECK(picture.Count(GridCell(window, 11 - saturday, 1), kOrdinary) == 0);
      });
    }
  }
  SUBCASE("frameless, the heading lies on the last week row in today's colour") {
    take({{"NoFrame", 1}}, [&](CalendarWindow& window, const ClientPicture& picture) {
      CHECK(picture.Count(Cells(window, 6, 1, 6), kToday) > 0);
      CHECK(picture.Count(window.GridRect(), kBack) > 0);
    });
  }
  SUBCASE("a transparent grid shows the desktop instead of the background colour") {
    take({{"Transparent", 1}}, [&](CalendarWindow& window, const ClientPicture& picture) {
      CHECK(picture.Count(window.GridRect(), kBack) == 0);
      CHECK(picture.Count(window.GridRect(), kOrdinary) > 0);
    });
  }
}
