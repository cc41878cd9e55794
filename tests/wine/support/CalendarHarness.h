// What the Windows tests of the calendar window share: the program's registry keys, a
// running calendar with a fixed today and a stand-in tray, message pumps, and the client
// area read back pixel by pixel.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/CalendarApp.h"
#include "app/CalendarWindow.h"
#include "app/TrayIcon.h"
#include "calendar/FixedClock.h"
#include "framework/GdiHandles.h"

// Found by argument-dependent lookup in the global namespace, RECT's own.
bool operator==(const RECT& a, const RECT& b);
std::ostream& operator<<(std::ostream& out, const RECT& r);

namespace tembori::testing {

// Handles every message that is waiting or arrives within a short quiet spell (X events such
// as mapping and exposure reach the queue a moment after the call that causes them); a
// WM_QUIT left by a destroyed main window is dropped.
void PumpMessages();
// Handles messages, timers included, for the given time.
void PumpMessagesFor(DWORD milliseconds);

// No stored state at all: the first run.
void DeleteProgramKeys();

// Values under HKEY_CURRENT_USER\`key`, which is created when missing.
void PutValue(const char* key, const char* name, DWORD type, const void* data, std::size_t size);
using RegistryNumbers = std::vector<std::pair<const char*, DWORD>>;
void PutNumbers(const char* key, const RegistryNumbers& values);
// A month's registry memos and map, as another copy of the program leaves them.
void PutMemos(const char* month, DWORD map,
              const std::vector<std::pair<const char*, const char*>>& memos);

// The calls that reach the notification area, with the records as they were then.
class RecordingTray : public TrayArea {
 public:
  void Notify(DWORD action, const NOTIFYICONDATAA& record) override {
    calls.push_back({action, record});
  }
  struct Call {
    DWORD action;
    NOTIFYICONDATAA record;
  };
  std::vector<Call> calls;
};

// Wednesday 12 November 2003: the 3rd is a national holiday, the 23rd one on a Sunday with
// the 24th as its substitute, and the 1st a Saturday.
inline constexpr SystemTime kTestToday = {2003, 11, 3, 12, 12, 0, 0, 0};

// The application started as the program starts (settings from the registry, the window
// created, shown and painted), in front of every other window, on `today`. The window is
// destroyed at the end if still there.
class RunningCalendar {
 public:
  explicit RunningCalendar(const SystemTime& today = kTestToday);
  ~RunningCalendar();
  RunningCalendar(const RunningCalendar&) = delete;
  RunningCalendar& operator=(const RunningCalendar&) = delete;

  CalendarApp& App() { return app_; }
  Settings& UserSettings() { return app_.UserSettings(); }
  CalendarWindow& Window() { return *app_.MainCalendarWindow(); }
  HWND Handle() const { return handle_; }
  RecordingTray& Tray() { return tray_; }
  // Today moves on command.
  FixedClock& Clock() { return clock_; }

  // Runs the program's own message loop (pre-translation and all) over what is waiting.
  void RunProgramLoop();
  // A key pressed in `target` (the window when none is given), Ctrl held down or not as far
  // as this thread's keyboard state goes (which the accelerators read), then that loop.
  void PressKey(UINT key, bool control = false, HWND target = nullptr);
  // The window in front with the keyboard, the pointer away so that no pop-up interferes.
  void TakeKeyboard();

 private:
  FixedClock clock_;
  RecordingTray tray_;
  CalendarApp app_;
  HWND handle_ = nullptr;
};

// The remembered window rectangle; an edge that cannot be read stays -1.
RECT StoredPosition();

// The GDI objects alive in this process (GetGuiResources answers 0 under Wine).
int LiveGdiObjects();

// A child control's window rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, int controlId);
// A window's rectangle on the screen.
RECT WindowRect(HWND window);
// A rectangle of `window`'s client area on the screen.
RECT OnScreen(HWND window, RECT client);
// The middle of a rectangle as a mouse message carries its point.
LPARAM AtCentre(const RECT& rect);

// Runs `open`, which returns once the modal loop that it starts has ended, with `step` tried
// at each tick of a timer inside that loop until it returns true.
void DuringModalLoop(const std::function<void()>& open, const std::function<bool()>& step);

// The pop-up menu that `open` opens, read and closed by a timer inside the menu's loop; a menu
// that a posted message opens shortly after the call is seen as well.
struct SeenMenu {
  bool opened = false;
  RECT rect{};
  std::vector<std::string> items;
};
SeenMenu MenuOpenedBy(const std::function<void()>& open);
// The metrics of a font as a memory device context gives them.
TEXTMETRICA MetricsOf(HFONT font);

// The text of the balloon tip the thread shows at a field; empty when it shows none. Closing
// them makes the next one the only one.
std::string ShownFieldTip();
void CloseFieldTips();

// Columns firstColumn to lastColumn of a grid row: row 0 holds the weekday names, rows 1 to
// 6 the weeks.
RECT Cells(CalendarWindow& window, int row, int firstColumn, int lastColumn);
// Weeks starting on Sunday.
RECT DayCell(CalendarWindow& window, int day);

// Pixels kept in a memory bitmap.
class Picture {
 public:
  // Blank, all in `ground`.
  Picture(int width, int height, COLORREF ground);
  // The client area as it is on the screen, children included.
  explicit Picture(HWND window);
  // The client area as the window paints itself (erasing included, children not) over a
  // ground of `underneath`, which stays wherever the painting leaves a pixel untouched.
  Picture(HWND window, COLORREF underneath);
  // A part of the screen, in screen coordinates.
  explicit Picture(const RECT& screenArea);

  HDC Dc() const { return dc_.get(); }
  COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }  // CLR_INVALID outside
  std::vector<COLORREF> Part(const RECT& area) const;
  int Count(const RECT& area, COLORREF colour) const;

 private:
  void Copy(HDC source, int x, int y, int width, int height);

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

// Whether the heading row shows exactly `text` in the calendar font, over the button face,
// drawn as the window draws its heading.
bool HeadingReads(RunningCalendar& calendar, const char* text);
constexpr COLORREF kDarkYellow = RGB(128, 128, 0);  // the padlock

// No stored state but those colours, Sundays as the only weekly days off and `settings` over
// them.
void StoreSettings(const RegistryNumbers& settings);

// Starts the calendar with StoreSettings(settings) and shows `inspect` the window and its
// picture on the screen.
void Inspect(const RegistryNumbers& settings,
             const std::function<void(CalendarWindow&, const Picture&)>& inspect);

// The left side of today's box runs one pixel inside the cell over its full height.
RECT BoxSide(const RECT& cell);

}  // namespace tembori::testing
