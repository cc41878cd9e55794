// The calendar window as it starts: class, styles, a size measured from the real calendar
// font and the font kept in the settings; what it paints, read back pixel by pixel, also in a
// dark colour scheme that it follows at once; its remembered position; the About box.
#include <doctest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "CalendarHarness.h"
#include "app/WindowPosition.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

constexpr char kGothic[] = "ＭＳ ゴシック";                // fixed pitch
constexpr char kProportionalGothic[] = "ＭＳ Ｐゴシック";  // variable pitch
// What no painting uses: left where nothing was painted.
constexpr COLORREF kUnpainted = RGB(1, 2, 3);

constexpr COLORREF kDarkFace = RGB(32, 32, 48);
constexpr COLORREF kLightText = RGB(250, 240, 16);

// The button colours of a dark scheme while it lives; the old ones come back after.
struct DarkButtons {
  DarkButtons() { Set(kDarkFace, kLightText); }
  ~DarkButtons() { Set(face, text); }
  static void Set(COLORREF buttonFace, COLORREF buttonText) {
    const INT elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF colours[] = {buttonFace, buttonText};
    SetSysColors(2, elements, colours);
  }
  const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
};

}  // namespace

TEST_CASE("styles by the settings; sized from the real calendar font, which the settings keep") {
  const struct {
    const char* typeFace;
    const char* pointSize;
    DWORD charSet, squeeze, noFrame;
    const char* realFace;  // null: the system's small caption font
  } cases[] = {
      {kProportionalGothic, "12", 128, 0, 0, kProportionalGothic},
      {kGothic, "16", 128, 1, 1, kGothic},
      {kGothic, "12", 1, 0, 0, nullptr},       // a character set the calendar does not take
      {kGothic, "99999", 128, 0, 1, nullptr},  // a size it does not take
  };
  NONCLIENTMETRICSA system{};
  system.cbSize = sizeof system;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0);
  for (const auto& c : cases) {
    CAPTURE(&c - cases);
    DeleteProgramKeys();
    PutValue(kConfigKey, "TypeFace", REG_SZ, c.typeFace, strlen(c.typeFace) + 1);
    PutValue(kConfigKey, "PointSize", REG_SZ, c.pointSize, strlen(c.pointSize) + 1);
    PutNumbers(kConfigKey, {{"CharSet", c.charSet},
                            {"Squeeze", c.squeeze},
                            {"NoFrame", c.noFrame},
                            {"Tray", c.noFrame},
                            {"TopMost", c.noFrame}});
    RunningCalendar calendar;
    const HWND window = calendar.Handle();
    CHECK(FindWindowA("Tembori", "Tembori") == window);  // class and title
    CHECK(calendar.Tray().calls.size() == c.noFrame);    // an icon only with the setting
    const DWORD wanted =
        WS_VISIBLE | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | (c.noFrame ? 0 : WS_CAPTION);
    CHECK((GetWindowLongA(window, GWL_STYLE) &
           (wanted | WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX)) == wanted);
    // With the tray icon the window has no taskbar button.
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    CHECK(((exStyle & WS_EX_TOOLWINDOW) != 0) == (c.noFrame == 1));
    CHECK(((exStyle & WS_EX_APPWINDOW) != 0) == (c.noFrame == 0));
    CHECK(((exStyle & WS_EX_TOPMOST) != 0) == (c.noFrame == 1));

    // The cell holds the widest number with its memo mark and the font's full height; the
    // cell's arithmetic itself is the geometry's.
    const CellSize cell = calendar.Window().Cell();
    const int w = cell.width, h = cell.height;
    const CreatedDc dc = CreateMemoryDc(nullptr);
    SelectObject(dc.get(), calendar.Window().CalendarFont());
    SIZE widest{};
    GetTextExtentPoint32A(dc.get(), "30*", 3, &widest);
    CHECK(widest.cx <= w);
    CHECK(widest.cy <= h);
    RECT client{};
    GetClientRect(window, &client);
    const RECT grid = c.noFrame ? RECT{0, 0, 7 * w, 7 * h} : RECT{2, h + 2, 7 * w + 2, 8 * h + 2};
    CHECK(calendar.Window().GridRect() == grid);
    CHECK(client == (c.noFrame ? grid : RECT{0, 0, 7 * w + 4, 8 * h + 28}));
    // Frameless, the grid is the whole window: the erase reports that it has not erased.
    const Picture anywhere(1, 1, kUnpainted);
    CHECK(SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(anywhere.Dc()), 0) ==
          (c.noFrame ? 0 : 1));

    // The settings hold the font on the screen, not the request.
    const Settings& settings = calendar.UserSettings();
    CHECK(settings.TypeFace == (c.realFace ? c.realFace : system.lfSmCaptionFont.lfFaceName));
    CHECK(settings.CharSet == GetTextCharset(dc.get()));
    // A size the settings page can show, near the request where the font was taken (the
    // platform's font may be a point smaller).
    const std::optional<int> points = PointSizeFromText(settings.PointSize);
    REQUIRE(points);
    if (c.realFace != nullptr) CHECK(std::abs(*points - std::stoi(c.pointSize)) <= 1);
  }
}

TEST_CASE("the picture: the sunken box, days by kind, today, circles, and what settings change") {
  Inspect({}, [&](CalendarWindow& window, const Picture& picture) {
    // The box is the grid with a border of two pixels: shadows above and left, lights below
    // and right, corners included.
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW),
                   light = GetSysColor(COLOR_3DLIGHT), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    REQUIRE(shadow != dark);
    REQUIRE(light != highlight);
    const Picture printed(window.Handle(), kUnpainted);
    const RECT& grid = window.GridRect();
    const LONG l = grid.left - 2, t = grid.top - 2, r = grid.right + 2, b = grid.bottom + 2;
    const std::pair<RECT, COLORREF> lines[] = {
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
      CHECK(printed.Count(line, colour) == (line.right - line.left) * (line.bottom - line.top));
    }

    const int w = window.Cell().width, h = window.Cell().height;
    CHECK(picture.Count(Cells(window, 0, 0, 0), kHoliday) > 0);  // Sunday first
    // A substitute day (the 24th) is off but no national holiday.
    const std::tuple<int, COLORREF, COLORREF> days[] = {
        {5, kOrdinary, kHoliday}, {12, kOrdinary, kHoliday}, {9, kHoliday, kOrdinary},
        {3, kHoliday, kOrdinary}, {3, kCircle, kOrdinary},   {24, kHoliday, kCircle},
    };
    for (const auto& [day, present, absent] : days) {
      CAPTURE(day);
      CHECK(picture.Count(DayCell(window, day), present) > 0);
      CHECK(picture.Count(DayCell(window, day), absent) == 0);
    }
    const RECT today = DayCell(window, 12);
    CHECK(picture.Count(BoxSide(today), kToday) == today.bottom - today.top);
    // Before the 1st, a week row is bare background.
    CHECK(picture.Count(Cells(window, 1, 0, 0), kBack) == w * h);
  });
  // Today's number in its colour instead of a box; no circles.
  Inspect({{"Today'sFace", 1}, {"Circ", 0}}, [](CalendarWindow& window, const Picture& picture) {
    const RECT today = DayCell(window, 12);
    CHECK(picture.Count(BoxSide(today), kToday) == 0);
    CHECK(picture.Count(today, kToday) > 0);
    CHECK(picture.Count(DayCell(window, 3), kCircle) == 0);
  });
  // A face setting other than 0 or 1 has neither the box nor the colour.
  Inspect({{"Today'sFace", 2}}, [](CalendarWindow& window, const Picture& picture) {
    CHECK(picture.Count(DayCell(window, 12), kToday) == 0);
    CHECK(picture.Count(DayCell(window, 12), kOrdinary) > 0);
  });
  // Frameless, the heading lies on the last week row in today's colour.
  Inspect({{"NoFrame", 1}}, [](CalendarWindow& window, const Picture& picture) {
    CHECK(picture.Count(Cells(window, 6, 1, 6), kToday) > 0);
  });
  // A transparent grid shows the desktop instead of the background colour.
  Inspect({{"Transparent", 1}}, [](CalendarWindow& window, const Picture& picture) {
    CHECK(picture.Count(window.GridRect(), kBack) == 0);
    CHECK(picture.Count(window.GridRect(), kOrdinary) > 0);
  });
}

TEST_CASE("the heading names the month; in a dark scheme it, the arrows and the padlock follow") {
  StoreSettings({});
  RunningCalendar calendar;
  const HWND handle = calendar.Handle();
  const auto lightPixels = [&](const RECT& area) {
    return Picture(handle).Count(area, kLightText);
  };
  const RECT heading = calendar.Window().TitleRect();
  CHECK(HeadingReads(calendar, "2003年 11月"));
  CHECK(lightPixels(heading) == 0);

  const DarkButtons dark;
  // The scheme's change reaches the window, which draws itself again without being asked.
  PumpMessages();
  CHECK(lightPixels(heading) > 0);
  CHECK(Picture(handle).Count(heading, kDarkFace) > 0);
  for (const int button : {ID_PREV_MONTH, ID_NEXT_MONTH}) {
    CAPTURE(button);
    CHECK(lightPixels(ChildRect(handle, button)) > 0);
  }
  // The padlock keeps its dark yellow body, which no face but a dark yellow one hides.
  CHECK(Picture(handle).Count(ChildRect(handle, ID_MODE_BUTTON), kDarkYellow) > 100);
}

TEST_CASE("the window opens where it was, brought back onto the screen, and saves where it is") {
  // On the first run, and wholly off the screen: there the window and the next copy open in
  // the work area's corner instead of where nobody can see them (the arithmetic's other cases
  // are tested natively). The place stored for a second copy is 16 pixels further on.
  for (const bool offScreen : {false, true}) {
    CAPTURE(offScreen);
    DeleteProgramKeys();
    if (offScreen) {
      PutNumbers(kPositionKey, {{"Left", DWORD(-100000)}, {"Top", DWORD(-100000)}});
      PutNumbers(kPositionKey, {{"Right", DWORD(-99800)}, {"Bottom", DWORD(-99800)}});
    }
    RunningCalendar calendar;
    const HWND handle = calendar.Handle();
    RECT window = WindowRect(handle);
    CHECK(window.left == 0);
    CHECK(window.top == 0);
    CHECK(StoredPosition() == (offScreen ? RECT{16, 16, 216, 216} : RECT{16, 16, 16, 16}));

    SetWindowPos(handle, nullptr, 210, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    window = WindowRect(handle);
    REQUIRE(window.left == 210);
    // Minimised at its end, it saves the place it is restored to.
    if (offScreen) ShowWindow(handle, SW_MINIMIZE);
    PumpMessages();
    CHECK((IsIconic(handle) != FALSE) == offScreen);
    SendMessageA(handle, WM_CLOSE, 0, 0);
    CHECK(!IsWindow(handle));
    CHECK(StoredPosition() == window);
  }
}

TEST_CASE("the About box opens centred over the calendar, on the screen, until OK is pressed") {
  DeleteProgramKeys();
  RunningCalendar calendar;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  // In the middle of the screen, and half off its bottom-right corner.
  for (const POINT at : {POINT{300, 250}, POINT{work.right - 60, work.bottom - 40}}) {
    SetWindowPos(calendar.Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT owner = WindowRect(calendar.Handle());
    HWND about = nullptr;
    RECT box{};
    DuringModalLoop([&] { SendMessageA(calendar.Handle(), WM_COMMAND, ID_APP_ABOUT, 0); },
                    [&] {
                      about = FindWindowA("#32770", "ﾊﾞｰｼﾞｮﾝ情報(Tembori)");
                      if (about == nullptr) return false;
                      box = WindowRect(about);
                      SendMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
                      return true;
                    });
    CHECK(about != nullptr);
    CHECK(!IsWindow(about));
    RECT inside{};
    IntersectRect(&inside, &box, &work);
    CHECK(inside == box);
    if (at.x == 300) {
      CHECK(std::abs((box.left + box.right) - (owner.left + owner.right)) <= 1);
      CHECK(std::abs((box.top + box.bottom) - (owner.top + owner.bottom)) <= 1);
    }
  }
}
