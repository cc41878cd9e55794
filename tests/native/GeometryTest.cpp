// The window's arithmetic and decisions: cell size, window layout, frame shifts, restored
// positions, the day under the pointer, the wheel's steps, the drag's outline, the memo
// pop-up's size and place, the hover timer, the keyboard's day cursor and the grid's colours.
#include <doctest.h>

#include <limits>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/geometry/DayCursor.h"
#include "app/geometry/Geometry.h"
#include "app/geometry/GridColours.h"
#include "app/geometry/HoverTracker.h"
#include "app/geometry/InputGeometry.h"
#include "app/geometry/MemoPopupGeometry.h"
#include "app/geometry/PlatformAbilities.h"

namespace tembori {

inline std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

inline std::ostream& operator<<(std::ostream& out, const CursorDate& date) {
  return out << date.year << '-' << date.month << '-' << date.day;
}

namespace {

// What a hover tick asks for, in words: "hide", "stop", "show" and "date".
std::string Tick(HoverTracker& tracker, int x, int y, bool inside = true, bool mode = false,
                 bool shown = false) {
  const HoverTick tick = tracker.OnTick(x, y, inside, mode, shown);
  return std::string(tick.hidePopup ? "hide " : "") + (tick.stopTimer ? "stop " : "") +
         (tick.showDayUnderPointer ? "show " : "") + (tick.checkDate ? "date " : "");
}

// Ordinary, day off, today, background and circle, and whether the desktop shows behind.
std::string Colours(const GridColours& c) {
  std::string text;
  for (const ColorRef colour : {c.ordinary, c.dayOff, c.today, c.back, c.circle}) {
    text += std::to_string(colour) + ' ';
  }
  return text + (c.desktopBehind ? "desktop" : "");
}

}  // namespace

TEST_CASE("a stored font size counts only as a whole number of points from 1 to 99") {
  const std::pair<const char*, int> sizes[] = {{"12", 12}, {"1", 1}, {"99", 99}};
  for (const auto& [text, points] : sizes) CHECK(PointSizeFromText(text) == points);
  // Sizes that gave a one-pixel font or a window larger than the screen, and texts that are
  // no number as the settings page writes it.
  for (const char* text : {"0", "100", "12pt", " 12", "+5", ""}) {
    CAPTURE(text);
    CHECK_FALSE(PointSizeFromText(text));
  }
}

TEST_CASE("the cell's leading, and the framed window's rectangles with the old platform's border") {
  // The cell's pitch, width and squeeze are measured at every DPI elsewhere, the client area
  // and the child controls' places on the real window.
  CHECK(ComputeCellSize({16, 3, 8, false}, false, 96).height == 21);
  const int oldBorder = PlatformAbilitiesFor(false, true, 3, 51).clientBorder;
  const CalendarLayout nt3 = ComputeCalendarLayout({30, 18}, false, oldBorder, 96);
  CHECK(nt3.gridRect == Rect{4, 20, 214, 146});
  CHECK(nt3.rightStripRect == Rect{216, 18, 218, 148});
  // The bottom strip reaches the framed client area's bottom-right corner.
  CHECK(nt3.bottomStripRect == Rect{0, 148, 218, 172});
}

TEST_CASE("removing the frame keeps the grid in place (the way back is taken on the real window)") {
  const Rect framed{101, 57, 101 + 221, 57 + 203};  // odd width change: truncation matters
  // The grid rises by the height lost less the caption's, which the DPI scales.
  const std::tuple<int, unsigned, int> cases[] = {{96, 10, 105}, {144, 3, 93}};
  for (const auto& [dpi, ntVersion, top] : cases) {
    INFO(dpi, " DPI, NT ", ntVersion);
    const int captionHeight = PlatformAbilitiesFor(false, true, ntVersion, 0).captionHeight;
    FrameShift shift{};
    const Rect frameless =
        PlaceResizedWindow(framed, 210, 126, FrameChange::Removed, captionHeight, dpi, shift);
    CHECK(frameless == Rect{106, top, 106 + 210, top + 126});
    // Saving while frameless, when the frame is what the next start shows.
    CHECK(UndoFrameShift(frameless, shift) == Rect{101, 57, 101 + 210, 57 + 126});
  }
  FrameShift kept{3, 4};
  CHECK(PlaceResizedWindow({10, 20, 50, 60}, 100, 80, FrameChange::None, 29, 96, kept) ==
        Rect{10, 20, 110, 100});
}

TEST_CASE("a restored position is pulled back when its middle is off the right or bottom") {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const Rect screen{0, 0, 1024, 768};
  const Rect virtualScreen{-1280, -200, 1024, 768};  // a second monitor left of and above
  // Left of or above the screen is not corrected; garbage from the registry neither overflows
  // nor wraps into the screen.
  const std::tuple<Rect, Rect, Rect> cases[] = {
      {{918, 0, 1130, 100}, screen, {918, 0, 1130, 100}},  // middle on the right edge
      {{920, 0, 1131, 100}, screen, {0, 0, 211, 100}},
      {{-500, -300, -300, -200}, screen, {-500, -300, -300, -200}},
      {{1100, 900, 1300, 1000}, virtualScreen, {-1280, -200, -1080, -100}},
      {{kMin, 0, kMax, 10}, screen, {kMin, 0, kMax, 10}},  // middle -1
      {{-10, 0, kMax, 10}, screen, {0, 0, kMax, 10}},
  };
  for (const auto& [saved, within, placed] : cases) {
    CHECK(ClampRestoredPosition(saved, within) == placed);
  }
  CHECK(NextInstancePosition({0, kMax, kMax - 16, -16}) == Rect{16, kMin + 15, kMax, 0});
}

TEST_CASE("a window that would show on no monitor moves to the nearest one's work area") {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const MonitorArea primary{{0, 0, 1024, 768}, {0, 0, 1024, 738}};       // taskbar at the bottom
  const MonitorArea left{{-1280, -200, 0, 824}, {-1280, -170, 0, 824}};  // and at the top
  const std::vector<MonitorArea> both{primary, left}, one{primary};
  const std::tuple<Rect, std::vector<MonitorArea>, Rect> cases[] = {
      // Partly off the screen, even all but a pixel, it stays.
      {{-213, 0, 1, 200}, one, {-213, 0, 1, 200}},
      // Touching the screen's edge from outside shows nothing; the stored extent is kept.
      {{-214, 0, 0, 200}, one, {0, 0, 214, 200}},
      {{0, 768, 214, 968}, one, {0, 0, 214, 200}},
      {{-214, 0, 0, 200}, both, {-214, 0, 0, 200}},  // on the left monitor
      {{-100000, -100000, -99786, -99800}, both, {-1280, -170, -1066, 30}},
      {{5000, 100, 5214, 300}, both, {0, 0, 214, 200}},
      // Stored garbage: the corner and the extent at the limits of int.
      {{0, kMax, 0, kMin}, one, {0, 0, 0, kMin}},
      {{kMin, kMin, kMax, kMax}, one, {0, 0, kMax, kMax}},
      // No monitor known: nothing to move to.
      {{-100000, -100000, -99786, -99800}, {}, {-100000, -100000, -99786, -99800}},
  };
  for (const auto& [placed, monitors, shown] : cases) {
    CAPTURE(placed);
    CHECK(KeepOnSomeMonitor(placed, 214, 200, monitors) == shown);
  }
}

TEST_CASE("the day under a point, in both week orders, and the grid's edges") {
  const Rect grid{4, 20, 214, 146};  // cells of 30 x 18
  const CellSize cell{30, 18};
  // Sunday first, day 1 on a Wednesday: row 1 column 3 is day 1.
  const std::tuple<Point, int, int, bool, int> cases[] = {
      {{4 + 3 * 30, 38}, 3, 31, false, 1},
      {{4 + 2 * 30 + 29, 38 + 17}, 3, 31, false, 0},  // the cell before day 1
      {{10, 25}, 0, 31, false, 0},                    // the weekday names
      // The cell right after the last day: day 31 of a 30-day month, day 32 of a 31-day one.
      {{4 + 1 * 30, 20 + 5 * 18}, 0, 30, false, 30},
      {{4 + 2 * 30, 20 + 5 * 18}, 0, 30, false, 0},
      {{4 + 1 * 30, 145}, 6, 31, false, 31},  // on the bottom row's last line
      {{4 + 2 * 30, 20 + 6 * 18}, 6, 31, false, 0},
      // Monday first, day 1 on a Sunday: last column of row 1, then day 2 in column 0.
      {{4 + 6 * 30, 38}, 0, 31, true, 1},
      {{4, 56}, 0, 31, true, 2},
      // The right edge lies outside, the left inside.
      {{213, 60}, 0, 31, false, 14},
      {{214, 60}, 0, 31, false, 0},
      {{3, 60}, 0, 31, false, 0},
  };
  for (const auto& [point, firstWeekday, days, mondayFirst, day] : cases) {
    INFO(point.x, ", ", point.y);
    const DayHit hit = DayFromPoint(point, firstWeekday, days, mondayFirst, grid, cell);
    CHECK(hit.day == day);
    if (day != 0) {
      CHECK(hit.cell == DayCell(day, firstWeekday, mondayFirst, grid, cell));
      CHECK(Contains(hit.cell, point));
    }
  }
  CHECK(DayFromPoint({10, 40}, 0, 31, false, grid, {0, 0}).day == 0);  // no cell size yet
  // The weekday names' heading in the week from Monday: Sunday last.
  CHECK(WeekdayOfColumn(0, true) == 1);
  CHECK(WeekdayOfColumn(6, true) == 0);
}

TEST_CASE("one step per wheel message, from a whole notch on, forward away from the user") {
  // Single notches of either sign, with and without Ctrl, are turned on the real window.
  CHECK(WheelStep(-600, false) == CalendarStep::PrevMonth);
  CHECK(WheelStep(-119, true) == CalendarStep::None);
  CHECK(PlatformAbilitiesFor(true, false, 4, 0).registeredWheelMessage);
  CHECK(PlatformAbilitiesFor(false, true, 3, 0).registeredWheelMessage);
  CHECK_FALSE(PlatformAbilitiesFor(true, false, 4, 10).registeredWheelMessage);  // 98
  CHECK_FALSE(PlatformAbilitiesFor(false, true, 4, 0).registeredWheelMessage);
}

TEST_CASE("a drag's outline is the grid at the window's corner moved by the pointer's way") {
  // The window's own move is dragged on the real window.
  CHECK(DragOutline({0, 0, 210, 126}, {40, 25}, {10, 5}, {400, 300}) == Rect{430, 320, 640, 446});
}

TEST_CASE("the pop-up's width per byte follows the font's pitch, its text between borders") {
  // The fixed-pitch font's width and the height are measured on the real pop-up.
  const MemoPopupMetrics variable = ComputeMemoPopupMetrics({12, 0, 7, true}, 96);
  CHECK(variable.charWidth == 10);  // 3 * 7 / 2, truncated
  CHECK(MemoTextWidth(10, variable) == 100);
  CHECK(variable.textTop == 1);  // half the room above the text, inside the border
}

TEST_CASE("the pop-up hangs from the cell's corner, moved left at its monitor's right edge") {
  // As wide as its monitor it starts at the left edge; it is never moved up.
  CHECK(PlaceMemoPopup({300, 760}, 100, 16, {0, 0, 1024, 768}) == Rect{300, 760, 400, 776});
  // A monitor right of the primary one.
  const Rect second{1024, 0, 2304, 1024};
  CHECK(PlaceMemoPopup({2250, 200}, 100, 16, second) == Rect{2204, 200, 2304, 216});
  CHECK(PlaceMemoPopup({2250, 200}, 1500, 16, second) == Rect{1024, 200, 2524, 216});
}

TEST_CASE("the hover timer's period: tenths of a second, within what the platform's timers take") {
  CHECK(HoverTimerPeriod(5) == 500);
  CHECK(HoverTimerPeriod(0) == kMinTimerPeriod);
  CHECK(HoverTimerPeriod(21474836) == 2147483600u);
  CHECK(HoverTimerPeriod(42949673) == kMaxTimerPeriod);  // 32 bits would wrap to 4 ms
}

TEST_CASE("the hover timer shows the pop-up once, checks the date on a move, stops outside") {
  // Shown on a rest, hidden on a move, none in the holiday-setting mode and the timer stopped
  // outside are seen on the real window.
  HoverTracker tracker;
  CHECK(tracker.OnMouseMove());
  tracker.TimerStarted(7, 100, 50);
  CHECK_FALSE(tracker.OnMouseMove());  // moves while the timer runs change nothing
  CHECK(Tick(tracker, 100, 50, true, false, true) == "");  // shown already
  CHECK(Tick(tracker, 101, 50, true, false, true) == "hide date ");
  CHECK(Tick(tracker, 101, 51) == "date ");  // hidden, still moving
  // Another period keeps the last sample.
  tracker.TimerRestarted(9);
  CHECK(Tick(tracker, 101, 51) == "show ");
  CHECK(Tick(tracker, 101, 51, false, false, true) == "hide stop ");
  tracker.TimerStopped();
  CHECK(tracker.OnMouseMove());
}

TEST_CASE("the day cursor crosses years, keeps the day or takes the month's last") {
  // From, key, to; every key once within a year, and the first day, on the real window.
  const std::tuple<CursorDate, CursorKey, CursorDate> cases[] = {
      {{2026, 12, 31}, CursorKey::Right, {2027, 1, 1}},
      {{1851, 1, 8}, CursorKey::Up, {1851, 1, 1}},
      {{2024, 1, 30}, CursorKey::PageDown, {2024, 2, 29}},  // leap
      {{2024, 2, 29}, CursorKey::YearDown, {2025, 2, 28}},
      {{1900, 2, 15}, CursorKey::End, {1900, 2, 28}},  // no leap
      {{2000, 2, 15}, CursorKey::End, {2000, 2, 29}},
      // At the ends of the calendar's years the cursor stays.
      {{1851, 1, 1}, CursorKey::Left, {1851, 1, 1}},
      {{2150, 12, 31}, CursorKey::Right, {2150, 12, 31}},
  };
  for (const auto& [from, key, to] : cases) {
    CAPTURE(from);
    CHECK(MoveDayCursor(from, key) == to);
  }
}

TEST_CASE("high contrast puts the system's colours on the grid, and the user's come back") {
  Settings settings;
  settings.OrdinaryColor = 1;
  settings.HolidayColor = 2;
  settings.TodayColor = 3;
  settings.BackColor = 4;
  settings.CircColor = 5;
  settings.Transparent = 1;
  // Window, window text, highlight, hyperlink.
  const SystemGridColours system{10, 11, 12, 13};
  CHECK(Colours(ChooseGridColours(settings, false, system)) == "1 2 3 4 5 desktop");
  CHECK(Colours(ChooseGridColours(settings, true, system)) == "11 13 12 10 13 ");
  // A scheme whose link colour is its text colour: days off stay apart from working days.
  CHECK(Colours(ChooseGridColours(settings, true, {10, 11, 12, 11})) == "11 12 12 10 12 ");
}

}  // namespace tembori
