// The calendar window as it starts: class, style, a size measured from the real calendar
// font and the font kept in the settings, its child controls; what it paints, read back pixel
// by pixel, and how the stored settings change that; its remembered position; the About box.
#include <doctest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/WindowPosition.h"
#include "res/ResourceIds.h"
#include "settings/Settings.h"
#include "tests/wine/support/WindowTestSupport.h"

using namespace tembori;
using namespace tembori::test;

namespace {

constexpr char kGothic[] = "ＭＳ ゴシック";                // fixed pitch
constexpr char kProportionalGothic[] = "ＭＳ Ｐゴシック";  // variable pitch

// The face that the calendar falls back to: the system's small caption font.
std::string CaptionFace() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfSmCaptionFont.lfFaceName;
}

// Distinct colours, none of which the system uses for its own parts.
constexpr COLORREF kHoliday = RGB(0, 0, 255);
constexpr COLORREF kOrdinary = RGB(0, 128, 0);
constexpr COLORREF kToday = RGB(255, 0, 255);
constexpr COLORREF kCircle = RGB(255, 128, 0);
constexpr COLORREF kBack = RGB(255, 255, 204);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDarkYellow = RGB(128, 128, 0);  // the padlock

// Starts the calendar with those colours, Sundays as the only weekly days off and `settings`
// over them, and shows `inspect` the window and its picture.
void Inspect(std::vector<RegistryNumber> settings,
             const std::function<void(CalendarWindow&, const ClientPicture&)>& inspect) {
  DeleteProgramKeys();
  settings.insert(settings.begin(), {{"HolidayColor", kHoliday},
                                     {"OrdinaryColor", kOrdinary},
                                     {"TodayColor", kToday},
                                     {"CircColor", kCircle},
                                     {"BackColor", kBack},
                                     {"RegularHoliday", 0x10204081}});
  PutNumbers(kConfigKey, settings);
  RunningCalendar calendar;
  inspect(calendar.Window(), ClientPicture(calendar.Handle()));
}

// Row 0 of the grid holds the weekday names, rows 1 to 6 the weeks.
RECT Cells(CalendarWindow& window, int row, int firstColumn, int lastColumn) {
  const CellSize cell = window.Cell();
  const RECT& grid = window.GridRect();
  return {grid.left + firstColumn * cell.width, grid.top + row * cell.height,
          grid.left + (lastColumn + 1) * cell.width, grid.top + (row + 1) * cell.height};
}
RECT GridCell(CalendarWindow& window, int column, int row) {
  return Cells(window, row, column, column);
}
// Weeks starting on Sunday.
RECT DayCell(CalendarWindow& window, int day) {
  const int index = window.Calendar().FirstWeekday() + day - 1;
  return GridCell(window, index % 7, 1 + index / 7);
}
// The left side of today's box runs one pixel inside the cell over its full height.
RECT BoxSide(const RECT& cell) {
  return {cell.left + 1, cell.top, cell.left + 2, cell.bottom};
}
RECT Shifted(const RECT& rect, int dx, int dy, int width, int height) {
  return {rect.left + dx, rect.top + dy, rect.left + dx + width, rect.top + dy + height};
}

// The four values of a remembered window rectangle.
std::vector<RegistryNumber> Edges(const RECT& window) {
  return {{"Left", static_cast<DWORD>(window.left)},
          {"Top", static_cast<DWORD>(window.top)},
          {"Right", static_cast<DWORD>(window.right)},
          {"Bottom", static_cast<DWORD>(window.bottom)}};
}

void CheckStoredPosition(const RECT& expected) {
  for (const RegistryNumber& edge : Edges(expected)) {
    CAPTURE(edge.name);
    CHECK(ReadNumber(kPositionKey, edge.name) == edge.value);
  }
}

}  // namespace

TEST_CASE("the window is sized from the real calendar font, which start-up keeps in the settings") {
  const struct {
    const char* typeFace;
    const char* pointSize;
    DWORD charSet, squeeze, noFrame;
    const char* realFace;  // null: the caption font
  } cases[] = {
      {kProportionalGothic, "12", 128, 0, 0, kProportionalGothic},
      {kProportionalGothic, "12", 128, 1, 1, kProportionalGothic},
      {kGothic, "12", 128, 0, 1, kGothic},
      {kGothic, "16", 128, 1, 0, kGothic},
      {kGothic, "12", 1, 0, 0, nullptr},  // a character set the calendar does not take
  };
  for (const auto& c : cases) {
    INFO(c.typeFace, " ", c.pointSize, " pt, character set ", c.charSet, ", squeeze ", c.squeeze,
         ", frameless ", c.noFrame);
    DeleteProgramKeys();
    PutConfigText("TypeFace", c.typeFace);
    PutConfigText("PointSize", c.pointSize);
    PutNumbers(kConfigKey,
               {{"CharSet", c.charSet}, {"Squeeze", c.squeeze}, {"NoFrame", c.noFrame}});
    RunningCalendar calendar;
    const HWND window = calendar.Handle();

    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    CHECK(std::string(className) == "Tembori");
    CHECK(WindowText(window) == "Tembori");
    const DWORD style = GetWindowLongA(window, GWL_STYLE);
    const DWORD wanted =
        WS_VISIBLE | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | (c.noFrame ? 0 : WS_CAPTION);
    CHECK((style & (wanted | WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX)) == wanted);

    const HDC dc = GetDC(window);
    const HGDIOBJ previous = SelectObject(dc, calendar.Window().CalendarFont());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    const int charSet = GetTextCharset(dc);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    // The platform sets this bit for variable-pitch fonts.
    const bool variablePitch = (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0;
    if (c.realFace != nullptr) REQUIRE(variablePitch == (c.realFace == kProportionalGothic));
    const int padding = c.squeeze ? 0 : 1;
    const int w = variablePitch ? (metrics.tmAveCharWidth + padding) * 4
                                : (metrics.tmAveCharWidth + 2 * padding) * 3;
    const int h = metrics.tmHeight + metrics.tmExternalLeading + 2 * padding;
    RECT client{};
    GetClientRect(window, &client);
    const RECT grid = c.noFrame ? RECT{0, 0, 7 * w, 7 * h} : RECT{2, h + 2, 7 * w + 2, 8 * h + 2};
    CHECK(SameRect(calendar.Window().GridRect(), grid));
    CHECK(SameRect(client, c.noFrame ? grid : RECT{0, 0, 7 * w + 4, 8 * h + 28}));

    // The settings hold the font on the screen, not the request.
    const Settings& settings = calendar.App().UserSettings();
    CHECK(settings.TypeFace == (c.realFace != nullptr ? c.realFace : CaptionFace()));
    CHECK(settings.PointSize ==
          std::to_string(MulDiv(metrics.tmHeight - metrics.tmInternalLeading, 72, dpi)));
    CHECK(settings.CharSet == charSet);

    // The controls sit in the heading row and the strip below the sunken box, with the frame.
    const int right = 7 * w + 4, bottom = 8 * h + 4;
    const struct {
      int id;
      RECT rect;
    } controls[] = {
        {ID_PREV_MONTH, {0, 0, w, h}},
        {ID_NEXT_MONTH, {right - w, 0, right, h}},
        {ID_MODE_BUTTON, {4, bottom + 2, 24, bottom + 22}},
        {IDC_YEAR_FIELD, {right - 68, bottom + 2, right - 20, bottom + 22}},
        {IDC_YEAR_SPIN, {right - 20, bottom + 2, right - 4, bottom + 22}},
    };
    for (const auto& control : controls) {
      CAPTURE(control.id);
      CHECK((IsWindowVisible(GetDlgItem(window, control.id)) != FALSE) == !c.noFrame);
      if (!c.noFrame) CHECK(SameRect(ChildRect(window, control.id), control.rect));
    }
  }
}

TEST_CASE("the picture: days by kind, today, circles, memo marks, strips and buttons") {
  Inspect({}, [](CalendarWindow& window, const ClientPicture& picture) {
    const HWND handle = window.Handle();

    const struct {
      int day;
      COLORREF present, absent;
    } days[] = {
        {5, kOrdinary, kHoliday},
        {12, kOrdinary, kHoliday},
        {9, kHoliday, kOrdinary},
        {3, kHoliday, kOrdinary},
        {3, kCircle, kOrdinary},
        {24, kHoliday, kCircle},  // a substitute day is off but no national holiday
    };
    for (const auto& d : days) {
      CAPTURE(d.day);
      CHECK(picture.Count(DayCell(window, d.day), d.present) > 0);
      CHECK(picture.Count(DayCell(window, d.day), d.absent) == 0);
    }
    const RECT today = DayCell(window, 12);
    CHECK(picture.Count(BoxSide(today), kToday) == today.bottom - today.top);

    // Before the 1st, a week row is bare background.
    const RECT empty = GridCell(window, 0, 1);
    CHECK(picture.Count(empty, kBack) == window.Cell().width * window.Cell().height);
    // The heading in black over the face colour; between the padlock and the year field the
    // bottom strip is plain face colour.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const RECT title = window.TitleRect();
    CHECK(picture.Count(title, face) > (title.right - title.left) * (title.bottom - title.top) / 2);
    CHECK(picture.Count(title, kBlack) > 0);
    const RECT bare = {ChildRect(handle, ID_MODE_BUTTON).right, window.BottomStripRect().top,
                       ChildRect(handle, IDC_YEAR_FIELD).left, window.BottomStripRect().bottom};
    CHECK(picture.Count(bare, face) == (bare.right - bare.left) * (bare.bottom - bare.top));

    // Black triangles in the outer thirds of the month buttons, pointing outwards.
    const int w = window.Cell().width, h = window.Cell().height;
    const RECT next = ChildRect(handle, ID_NEXT_MONTH), previous = ChildRect(handle, ID_PREV_MONTH);
    CHECK(picture.At(next.left + (4 * w / 3 + w - 2) / 3, h / 2) == kBlack);
    CHECK(picture.At(next.left + w / 6, h / 2) != kBlack);
    CHECK(picture.At(previous.left + (2 + 2 * (w / 3)) / 3, h / 2) == kBlack);
    CHECK(picture.At(previous.left + 5 * w / 6, h / 2) != kBlack);

    // The padlock is closed: the shackle's left leg stands on the body, and nothing is where
    // the open shackle's free end would hang.
    const RECT padlock = ChildRect(handle, ID_MODE_BUTTON);
    CHECK(picture.Count(Shifted(padlock, 1, 4, 2, 3), kDarkYellow) == 6);
    CHECK(picture.Count(Shifted(padlock, 13, 2, 7, 8), kDarkYellow) == 0);
    CHECK(picture.Count(Shifted(padlock, 0, 8, 13, 11), kDarkYellow) > 100);

    // A memo adds an asterisk after its day's number, and nothing elsewhere.
    window.SetMemoMap(DayBit(5));
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages();
    const ClientPicture withMemo(handle);
    CHECK(withMemo.Count(DayCell(window, 5), kOrdinary) >
          picture.Count(DayCell(window, 5), kOrdinary));
    CHECK(withMemo.Part(DayCell(window, 6)) == picture.Part(DayCell(window, 6)));
  });
}

TEST_CASE("the stored settings change what is drawn") {
  std::vector<COLORREF> weekdayNames, heading;
  Inspect({}, [&](CalendarWindow& window, const ClientPicture& picture) {
    CHECK(picture.Count(GridCell(window, 0, 0), kHoliday) > 0);  // Sunday first
    weekdayNames = picture.Part(Cells(window, 0, 0, 6));
    heading = picture.Part(window.TitleRect());
  });
  Inspect({{"Language", 1}}, [&](CalendarWindow& window, const ClientPicture& picture) {
    CHECK(picture.Part(Cells(window, 0, 0, 6)) != weekdayNames);
    CHECK(picture.Part(window.TitleRect()) != heading);
  });
  // Weeks from Monday: Sunday and the 1st, a Saturday, move one column.
  Inspect({{"SunFirst", 1}}, [](CalendarWindow& window, const ClientPicture& picture) {
    CHECK(picture.Count(GridCell(window, 6, 0), kHoliday) > 0);
    CHECK(picture.Count(GridCell(window, 0, 0), kHoliday) == 0);
    CHECK(picture.Count(GridCell(window, 5, 1), kOrdinary) > 0);
    CHECK(picture.Count(GridCell(window, 6, 1), kOrdinary) == 0);
  });
  // Today's number in its colour instead of a box; no circles.
  Inspect({{"Today'sFace", 1}, {"Circ", 0}},
          [](CalendarWindow& window, const ClientPicture& picture) {
            const RECT today = DayCell(window, 12);
            CHECK(picture.Count(BoxSide(today), kToday) == 0);
            CHECK(picture.Count(today, kToday) > 0);
            CHECK(picture.Count(today, kOrdinary) == 0);
            CHECK(picture.Count(DayCell(window, 3), kCircle) == 0);
            CHECK(picture.Count(DayCell(window, 3), kHoliday) > 0);
          });
  // Frameless, the heading lies on the last week row in today's colour.
  Inspect({{"NoFrame", 1}}, [](CalendarWindow& window, const ClientPicture& picture) {
    CHECK(picture.Count(Cells(window, 6, 1, 6), kToday) > 0);
    CHECK(picture.Count(window.GridRect(), kBack) > 0);
  });
  // A transparent grid shows the desktop instead of the background colour.
  Inspect({{"Transparent", 1}}, [](CalendarWindow& window, const ClientPicture& picture) {
    CHECK(picture.Count(window.GridRect(), kBack) == 0);
    CHECK(picture.Count(window.GridRect(), kOrdinary) > 0);
    // Painting the desktop may leave its own text colour behind; the heading stays black.
    CHECK(picture.Count(window.TitleRect(), RGB(0, 0, 0)) > 0);
  });
}

TEST_CASE("the window opens where it was, brought back onto the screen, and saves where it is") {
  const struct {
    bool stored;
    RECT saved;
    POINT opened;
    RECT left;  // for a second copy: the placed rectangle, 16 pixels further on
    bool minimisedAtClose;
  } cases[] = {
      {false, {}, {0, 0}, {16, 16, 16, 16}, false},                         // the first run
      {true, {1000, 100, 1200, 300}, {0, 100}, {16, 116, 216, 316}, true},  // 1024 x 768
  };
  for (const auto& c : cases) {
    CAPTURE(c.stored);
    DeleteProgramKeys();
    if (c.stored) PutNumbers(kPositionKey, Edges(c.saved));
    RunningCalendar calendar;
    const HWND handle = calendar.Handle();
    RECT window{};
    GetWindowRect(handle, &window);
    CHECK(window.left == c.opened.x);
    CHECK(window.top == c.opened.y);
    CheckStoredPosition(c.left);

    SetWindowPos(handle, nullptr, 210, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetWindowRect(handle, &window);
    REQUIRE(window.left == 210);
    if (c.minimisedAtClose) ShowWindow(handle, SW_MINIMIZE);
    PumpMessages();
    CHECK((IsIconic(handle) != FALSE) == c.minimisedAtClose);
    SendMessageA(handle, WM_CLOSE, 0, 0);
    CHECK(!IsWindow(handle));
    CheckStoredPosition(window);
  }
}

TEST_CASE("the About command shows a box over the disabled window until OK is pressed") {
  DeleteProgramKeys();
  RunningCalendar calendar;
  const HWND window = calendar.Handle();
  HWND dialog = nullptr;
  bool ownedAndModal = false;
  CHECK(AnswerDialog([&] { SendMessageA(window, WM_COMMAND, ID_APP_ABOUT, 0); }, IDOK,
                     [&](HWND shown) {
                       dialog = shown;
                       ownedAndModal =
                           GetWindow(shown, GW_OWNER) == window && !IsWindowEnabled(window);
                     }));
  CHECK(ownedAndModal);
  CHECK(!IsWindow(dialog));
  CHECK(IsWindowEnabled(window));
}
