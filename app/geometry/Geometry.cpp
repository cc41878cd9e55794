// Layout, cell and placement arithmetic of the calendar window.
#include "app/geometry/Geometry.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace tembori {
namespace {

constexpr int kDaysPerWeek = 7;
constexpr int kBoxBorder = 2;  // the sunken border around the grid
// Lengths at 96 DPI.
constexpr int kBottomStripHeight = 24;  // padlock, year field and spin
constexpr int kArrowInset = 2;
constexpr int kPadlockScales[] = {100, 150, 200};

Rect Offset(const Rect& rect, int dx, int dy) {
  return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

int SaturateToInt(std::int64_t value) {
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

// One axis of ClampRestoredPosition: [low, high) is moved to start at screenLow when its
// middle lies beyond screenHigh. 64-bit so that any stored values are safe.
void ClampAxis(int& low, int& high, int screenLow, int screenHigh) {
  const std::int64_t extent = std::int64_t{high} - low;
  if (low + extent / 2 > screenHigh) {
    low = screenLow;
    high = SaturateToInt(screenLow + extent);
  }
}

// How far apart two ranges [low, high) are along one axis; 0 when they overlap.
std::int64_t Gap(std::int64_t low, std::int64_t high, std::int64_t otherLow,
                 std::int64_t otherHigh) {
  if (high <= otherLow) return otherLow - high;
  if (otherHigh <= low) return low - otherHigh;
  return 0;
}

int WrapAdd(int value, int amount) {
  // The stored values are 32-bit words: adding wraps instead of overflowing.
  const std::uint32_t sum = static_cast<std::uint32_t>(value) + static_cast<std::uint32_t>(amount);
  return sum > static_cast<std::uint32_t>(std::numeric_limits<int>::max())
             ? static_cast<int>(sum - 0x80000000u) + std::numeric_limits<int>::min()
             : static_cast<int>(sum);
}

}  // namespace

int ScaleToDpi(int pixels, int dpi) {
  // Half away from zero, as MulDiv rounds; 64-bit so that no product overflows.
  const std::int64_t product = std::int64_t{pixels} * dpi;
  const std::int64_t half = kDefaultDpi / 2;
  return SaturateToInt(product >= 0 ? (product + half) / kDefaultDpi
                                    : (product - half) / kDefaultDpi);
}

bool Contains(const Rect& rect, Point point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
         point.y < rect.bottom;
}

std::optional<int> PointSizeFromText(std::string_view text) {
  constexpr int kMinPoints = 1, kMaxPoints = 99;
  int points = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, points);
  if (error != std::errc() || stop != end) return std::nullopt;
  if (points < kMinPoints || points > kMaxPoints) return std::nullopt;
  return points;
}

CellSize ComputeCellSize(const FontMetrics& metrics, bool squeeze, int dpi) {
  // At 96 DPI (a + 1) × 4 and (a + 2) × 3: the padding of the whole cell is scaled at once,
  // so that rounding costs at most half a pixel.
  const auto padding = [squeeze, dpi](int pixels) { return squeeze ? 0 : ScaleToDpi(pixels, dpi); };
  const int width = metrics.variablePitch ? metrics.aveCharWidth * 4 + padding(4)
                                          : metrics.aveCharWidth * 3 + padding(6);
  const int height = metrics.height + metrics.externalLeading + padding(2);
  return {width, height};
}

int MarkLineHeight(CellSize mark, int dpi) {
  return mark.height + ScaleToDpi(3, dpi);
}

CellSize WithMarkLine(CellSize cell, CellSize mark, int dpi) {
  // A quarter of a mark's width of space between the marks of neighbouring cells.
  return {std::max(cell.width, mark.width + ScaleToDpi(8, dpi)),
          cell.height + MarkLineHeight(mark, dpi)};
}

Rect FramedClientRect(CellSize cell, int border, int dpi) {
  return {0, 0, kDaysPerWeek * cell.width + 2 * border + 2 * kBoxBorder,
          (kDaysPerWeek + 1) * cell.height + 2 * kBoxBorder + ScaleToDpi(kBottomStripHeight, dpi)};
}

Rect FramelessWindowRect(CellSize cell) {
  return {0, 0, kDaysPerWeek * cell.width, kDaysPerWeek * cell.height};
}

CalendarLayout ComputeCalendarLayout(CellSize cell, bool frameless, int border, int dpi) {
  const auto scaled = [dpi](int pixels) { return ScaleToDpi(pixels, dpi); };
  const int gridWidth = kDaysPerWeek * cell.width;
  const int gridHeight = kDaysPerWeek * cell.height;
  CalendarLayout layout;
  layout.boxRect = {border, cell.height, gridWidth + border + 2 * kBoxBorder,
                    cell.height + gridHeight + 2 * kBoxBorder};
  const Rect& box = layout.boxRect;
  layout.gridRect = frameless ? FramelessWindowRect(cell)
                              : Rect{box.left + kBoxBorder, box.top + kBoxBorder,
                                     box.right - kBoxBorder, box.bottom - kBoxBorder};
  layout.leftStripRect = {0, box.top, border, box.bottom};
  layout.rightStripRect = {box.right, box.top, box.right + border, box.bottom};
  layout.bottomStripRect = {0, box.bottom, layout.rightStripRect.right,
                            box.bottom + scaled(kBottomStripHeight)};
  // Each edge is scaled from its own distance to the box, so that neighbours stay flush.
  const int controlsTop = box.bottom + scaled(2);
  const int controlsBottom = box.bottom + scaled(22);
  layout.modeButtonRect = {box.left + scaled(4), controlsTop, box.left + scaled(24),
                           controlsBottom};
  layout.yearFieldRect = {box.right - scaled(68), controlsTop, box.right - scaled(20),
                          controlsBottom};
  layout.yearSpinRect = {box.right - scaled(20), controlsTop, box.right - scaled(4),
                         controlsBottom};
  return layout;
}

MonthButtonLayout ComputeMonthButtons(CellSize cell, int clientWidth) {
  return {{0, 0, cell.width, cell.height},
          {clientWidth - cell.width, 0, clientWidth, cell.height},
          {cell.width, 0, clientWidth - cell.width, cell.height}};
}

Rect PlaceResizedWindow(const Rect& oldWindow, int wantedWidth, int wantedHeight,
                        FrameChange change, int captionHeight, int dpi, FrameShift& shift) {
  const Rect placed = {oldWindow.left, oldWindow.top, oldWindow.left + wantedWidth,
                       oldWindow.top + wantedHeight};
  if (change == FrameChange::None) return placed;
  // The caption height is what the grid moves by vertically when the frame goes or comes.
  const int caption = ScaleToDpi(captionHeight, dpi);
  // Truncation toward zero makes the two directions exact opposites, so removing and then
  // restoring the frame puts the window back.
  const int dx = (placed.right - oldWindow.right) / 2;
  int dy = placed.bottom - oldWindow.bottom;
  dy += change == FrameChange::Removed ? caption : -caption;
  shift = {dx, dy};
  return Offset(placed, -dx, -dy);
}

Rect UndoFrameShift(Rect window, FrameShift shift) {
  return Offset(window, shift.dx, shift.dy);
}

Rect ClampRestoredPosition(Rect saved, const Rect& virtualScreen) {
  ClampAxis(saved.left, saved.right, virtualScreen.left, virtualScreen.right);
  ClampAxis(saved.top, saved.bottom, virtualScreen.top, virtualScreen.bottom);
  return saved;
}

Rect KeepOnSomeMonitor(const Rect& placed, int width, int height,
                       const std::vector<MonitorArea>& monitors) {
  // 64-bit: a stored corner near the limits of int plus the window's size must not overflow.
  const std::int64_t left = placed.left, top = placed.top;
  const std::int64_t right = left + width, bottom = top + height;
  const MonitorArea* nearest = nullptr;
  double nearestDistance = 0;
  for (const MonitorArea& area : monitors) {
    const Rect& m = area.monitor;
    // A window with a part on a monitor can be seen, and moved back by the user.
    if (left < m.right && right > m.left && top < m.bottom && bottom > m.top) return placed;
    const auto dx = static_cast<double>(Gap(left, right, m.left, m.right));
    const auto dy = static_cast<double>(Gap(top, bottom, m.top, m.bottom));
    const double distance = dx * dx + dy * dy;
    if (nearest == nullptr || distance < nearestDistance) {
      nearest = &area;
      nearestDistance = distance;
    }
  }
  if (nearest == nullptr) return placed;
  const Rect& work = nearest->work;
  return {work.left, work.top,
          SaturateToInt(work.left + (std::int64_t{placed.right} - placed.left)),
          SaturateToInt(work.top + (std::int64_t{placed.bottom} - placed.top))};
}

Rect NextInstancePosition(const Rect& placed) {
  constexpr int kStep = 16;
  return {WrapAdd(placed.left, kStep), WrapAdd(placed.top, kStep), WrapAdd(placed.right, kStep),
          WrapAdd(placed.bottom, kStep)};
}

int WeekdayOfColumn(int column, bool mondayFirst) {
  return mondayFirst ? (column + 1) % kDaysPerWeek : column;
}

int ColumnOfWeekday(int weekday, bool mondayFirst) {
  return mondayFirst ? (weekday + kDaysPerWeek - 1) % kDaysPerWeek : weekday;
}

int ColumnCentreX(int column, const Rect& gridRect, CellSize cell) {
  return gridRect.left + column * cell.width + cell.width / 2;
}

Rect DayCell(int day, int firstWeekday, bool mondayFirst, const Rect& gridRect, CellSize cell) {
  const int index = ColumnOfWeekday(firstWeekday, mondayFirst) + day - 1;
  const int column = index % kDaysPerWeek;
  const int row = 1 + index / kDaysPerWeek;
  return {gridRect.left + column * cell.width, gridRect.top + row * cell.height,
          gridRect.left + (column + 1) * cell.width, gridRect.top + (row + 1) * cell.height};
}

Rect CircleBox(const Rect& cell) {
  const int width = Width(cell);
  const int height = Height(cell);
  const int cut = std::abs(width - height) / 2;
  if (width >= height) return {cell.left + cut, cell.top, cell.right - cut, cell.bottom};
  return {cell.left, cell.top + cut, cell.right, cell.bottom - cut};
}

std::array<Point, 5> TodayFrame(const Rect& cell) {
  const int left = cell.left + 1;
  const int right = cell.right - 2;
  return {{{left, cell.top},
           {right, cell.top},
           {right, cell.bottom},
           {left, cell.bottom},
           {left, cell.top}}};
}

Rect FocusFrame(const Rect& cell) {
  return {cell.left + 3, cell.top + 2, cell.right - 4, cell.bottom - 2};
}

std::array<std::array<Point, 3>, 4> SunkenBoxPaths(const Rect& box) {
  const int l = box.left, t = box.top, r = box.right, b = box.bottom;
  return {{
      {{{l, b - 2}, {l, t}, {r, t}}},
      {{{l + 1, b - 3}, {l + 1, t + 1}, {r - 1, t + 1}}},
      {{{r - 2, t + 2}, {r - 2, b - 2}, {l, b - 2}}},
      {{{r - 1, t + 1}, {r - 1, b - 1}, {l - 1, b - 1}}},
  }};
}

std::array<Point, 3> NextMonthTriangle(int width, int height, int dpi) {
  const int base = 2 * width / 3;
  const int inset = ScaleToDpi(kArrowInset, dpi);
  return {{{base, inset}, {width - inset, height / 2}, {base, height - inset}}};
}

std::array<Point, 3> PrevMonthTriangle(int width, int height, int dpi) {
  const int base = width / 3;
  const int inset = ScaleToDpi(kArrowInset, dpi);
  return {{{inset, height / 2}, {base, inset}, {base, height - inset}}};
}

int PadlockScale(int dpi) {
  const std::int64_t percent = std::int64_t{dpi} * 100 / kDefaultDpi;
  int nearest = kPadlockScales[0];
  for (const int scale : kPadlockScales) {
    // Strictly nearer: of two equally near, the smaller one stays.
    if (std::llabs(percent - scale) < std::llabs(percent - nearest)) nearest = scale;
  }
  return nearest;
}

Rect CentredIn(const Rect& area, int width, int height) {
  const int left = area.left + (Width(area) - width) / 2;
  const int top = area.top + (Height(area) - height) / 2;
  return {left, top, left + width, top + height};
}

Point FramelessHeadingAnchor(CellSize cell, const Rect& gridRect) {
  // w * 6.8 in integers: exact, and truncated like the integer part of the product.
  return {cell.width * 68 / 10, gridRect.bottom - cell.height};
}

}  // namespace tembori
