// What the Wine tests of the calendar window share: the program's registry keys cleared and
// filled, the application started as the program starts on a fixed day, its messages pumped,
// and the client area read back pixel by pixel.
#pragma once

#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <ostream>
#include <utility>
#include <vector>

#include "app/CalendarApp.h"
#include "app/CalendarWindow.h"
#include "calendar/FixedClock.h"
#include "framework/GdiHandles.h"
#include "settings/Settings.h"

// Found by argument-dependent lookup in the global namespace, RECT's own.
inline bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

namespace tembori::testing {

// Handles every message that is waiting or arrives within a short quiet spell (X events such
// as mapping and exposure reach the queue a moment after the call that causes them); a
// WM_QUIT left by a destroyed main window is dropped.
inline void PumpMessages() {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  } while (MsgWaitForMultipleObjects(0, nullptr, FALSE, 60, QS_ALLINPUT) != WAIT_TIMEOUT &&
           GetTickCount() - start < 3000);
}

// No stored state at all: the first run.
inline void DeleteProgramKeys() {
  const LONG result = RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tembori");
  REQUIRE((result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND));
}

// Values under HKEY_CURRENT_USER\`key`, which is created when missing.
inline void PutValue(const char* key, const char* name, DWORD type, const void* data,
                     std::size_t size) {
  REQUIRE(RegSetKeyValueA(HKEY_CURRENT_USER, key, name, type, data, static_cast<DWORD>(size)) ==
          ERROR_SUCCESS);
}
using RegistryNumbers = std::vector<std::pair<const char*, DWORD>>;
inline void PutNumbers(const char* key, const RegistryNumbers& values) {
  for (const auto& [name, value] : values) PutValue(key, name, REG_DWORD, &value, sizeof value);
}

// The application started as the program starts (settings from the registry, the window
// created, shown and painted), in front of every other window, on Wednesday 12 November
// 2003: the 3rd is a national holiday, the 23rd one on a Sunday with the 24th as its
// substitute, and the 1st a Saturday. The window is destroyed at the end if still there.
class RunningCalendar {
 public:
  RunningCalendar() {
    REQUIRE(app_.InitInstance());
    REQUIRE(app_.MainCalendarWindow() != nullptr);
    handle_ = Window().Handle();
    SetForegroundWindow(handle_);
    PumpMessages();
  }
  ~RunningCalendar() {
    if (IsWindow(handle_)) DestroyWindow(handle_);
    PumpMessages();
  }
  RunningCalendar(const RunningCalendar&) = delete;
  RunningCalendar& operator=(const RunningCalendar&) = delete;

  const Settings& UserSettings() const { return app_.UserSettings(); }
  CalendarWindow& Window() { return *app_.MainCalendarWindow(); }
  HWND Handle() const { return handle_; }

 private:
  FixedClock clock_{{2003, 11, 3, 12, 12, 0, 0, 0}};
  CalendarApp app_{clock_};
  HWND handle_ = nullptr;
};

// A child control's window rectangle in its parent's client coordinates.
inline RECT ChildRect(HWND parent, int controlId) {
  RECT rect{};
  const HWND child = GetDlgItem(parent, controlId);
  REQUIRE(child != nullptr);
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// A picture kept in a memory bitmap, read back pixel by pixel.
class ClientPicture {
 public:
  // Blank, all in `ground`.
  ClientPicture(int width, int height, COLORREF ground) {
    const WindowDc screen = GetWindowDc(nullptr);
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
    SelectObject(dc_.get(), bitmap_.get());
    const RECT all{0, 0, width, height};
    const BrushHandle brush(CreateSolidBrush(ground));
    FillRect(dc_.get(), &all, brush.get());
  }
  // A window's client area as it is on the screen, children included.
  explicit ClientPicture(HWND window)
      : ClientPicture(ClientSize(window).right, ClientSize(window).bottom, RGB(0, 0, 0)) {
    const RECT client = ClientSize(window);
    const WindowDc windowDc = GetWindowDc(window);
    REQUIRE(BitBlt(dc_.get(), 0, 0, client.right, client.bottom, windowDc.get(), 0, 0, SRCCOPY));
  }
  // A window's client area as the window paints itself (erasing included, children not) over
  // a ground of `underneath`, which stays wherever the painting leaves a pixel untouched.
  ClientPicture(HWND window, COLORREF underneath)
      : ClientPicture(ClientSize(window).right, ClientSize(window).bottom, underneath) {
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
  }

  HDC Dc() const { return dc_.get(); }
  COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }  // CLR_INVALID outside
  std::vector<COLORREF> Part(const RECT& area) const {
    std::vector<COLORREF> part;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) part.push_back(At(x, y));
    }
    return part;
  }
  int Count(const RECT& area, COLORREF colour) const {
    const std::vector<COLORREF> part = Part(area);
    return static_cast<int>(std::count(part.begin(), part.end(), colour));
  }

 private:
  static RECT ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
  }

  BitmapHandle bitmap_;  // before the device context, so that it is freed after it
  const CreatedDc dc_ = CreateMemoryDc(nullptr);
};

// Distinct colours, none of which the system uses for its own parts.
constexpr COLORREF kHoliday = RGB(0, 0, 255);
constexpr COLORREF kOrdinary = RGB(0, 128, 0);
constexpr COLORREF kToday = RGB(255, 0, 255);
constexpr COLORREF kCircle = RGB(255, 128, 0);
constexpr COLORREF kBack = RGB(255, 255, 204);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDarkYellow = RGB(128, 128, 0);  // the padlock
inline const RegistryNumbers kColours = {
    {"HolidayColor", kHoliday}, {"OrdinaryColor", kOrdinary}, {"TodayColor", kToday},
    {"CircColor", kCircle},     {"BackColor", kBack},         {"RegularHoliday", 0x10204081}};

// No stored state but those colours, Sundays as the only weekly days off and `settings` over
// them.
inline void StoreSettings(const RegistryNumbers& settings) {
  DeleteProgramKeys();
  PutNumbers(kConfigKey, kColours);
  PutNumbers(kConfigKey, settings);
}

// Starts the calendar with StoreSettings(settings) and shows `inspect` the window and its
// picture on the screen.
inline void Inspect(const RegistryNumbers& settings,
                    const std::function<void(CalendarWindow&, const ClientPicture&)>& inspect) {
  StoreSettings(settings);
  RunningCalendar calendar;
  inspect(calendar.Window(), ClientPicture(calendar.Handle()));
}

// Columns firstColumn to lastColumn of a grid row: row 0 holds the weekday names, rows 1 to
// 6 the weeks.
inline RECT Cells(CalendarWindow& window, int row, int firstColumn, int lastColumn) {
  const CellSize cell = window.Cell();
  const RECT& grid = window.GridRect();
  return {grid.left + firstColumn * cell.width, grid.top + row * cell.height,
          grid.left + (lastColumn + 1) * cell.width, grid.top + (row + 1) * cell.height};
}
// Weeks starting on Sunday.
inline RECT DayCell(CalendarWindow& window, int day) {
  const int index = window.Calendar().FirstWeekday() + day - 1;
  return Cells(window, 1 + index / 7, index % 7, index % 7);
}
// The left side of today's box runs one pixel inside the cell over its full height.
inline RECT BoxSide(const RECT& cell) {
  return {cell.left + 1, cell.top, cell.left + 2, cell.bottom};
}
inline RECT Shifted(const RECT& rect, int dx, int dy, int width, int height) {
  return {rect.left + dx, rect.top + dy, rect.left + dx + width, rect.top + dy + height};
}

}  // namespace tembori::testing
