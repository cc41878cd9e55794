// The hover timer with the real pointer, timer and pop-up, in a window whose cells are 40 by
// 20 pixels, each showing its number: the pop-up comes after a rest, goes at the next tick
// after a move, never comes in holiday-setting mode, and the timer stops when the pointer
// leaves the window.
#include <doctest.h>
#include <windows.h>

#include <string>

#include "framework/GdiHandles.h"
#include "memo/win32/HoverTimer.h"
#include "memo/win32/MemoWindow.h"

using namespace tembori;

namespace {

constexpr int kCellWidth = 40, kCellHeight = 20;
constexpr POINT kWindowAt{200, 150};

// What the calendar window does with the timer, minus the calendar.
struct HoverWindow {
  HoverWindow() {
    static const WNDCLASSA kind{0,  &Procedure, 0,  0,  GetModuleHandleA(nullptr),
                                {}, {},         {}, {}, "TemboriHoverProbe"};
    static const ATOM windowClass = RegisterClassA(&kind);
    current = this;
    handle =
        CreateWindowExA(0, MAKEINTATOM(windowClass), "hover", WS_POPUP | WS_VISIBLE, kWindowAt.x,
                        kWindowAt.y, 320, 200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(handle);
    REQUIRE(popup.CreateMemoWindow(handle));
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font.reset(CreateFontIndirectA(&metrics.lfSmCaptionFont));
    popup.SetMemoFont(font.get(), 96);
  }
  ~HoverWindow() {
    DestroyWindow(handle);
    current = nullptr;
  }

  // The pointer put at a client point, with the move the window receives for it.
  void PointAt(int x, int y) {
    SetCursorPos(kWindowAt.x + x, kWindowAt.y + y);
    SendMessageA(handle, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  }
  // Handles messages for the given time.
  static void Wait(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
    HoverWindow* const self = current;
    if (self == nullptr || self->handle != window) {
      return DefWindowProcA(window, id, wParam, lParam);
    }
    if (id == WM_MOUSEMOVE) {
      const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      self->timer.OnMouseMove(window, point, self->memoTime);
      return 0;
    }
    if (id == WM_TIMER) {
      POINT pointer{};
      const HoverTick tick =
          self->timer.OnTimer(window, self->holidaySettingMode, self->popup.IsShown(), pointer);
      if (tick.hidePopup) {
        self->popup.HideMemo();
        ++self->hides;
      }
      if (tick.showDayUnderPointer) {
        const int column = pointer.x / kCellWidth, row = pointer.y / kCellHeight;
        RECT cell{column * kCellWidth, row * kCellHeight, (column + 1) * kCellWidth,
                  (row + 1) * kCellHeight};
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&cell), 2);
        self->popup.ShowMemo("cell " + std::to_string(row * 8 + column + 1), cell);
      }
      if (tick.checkDate) ++self->dateChecks;
      return 0;
    }
    return DefWindowProcA(window, id, wParam, lParam);
  }

  static inline HoverWindow* current = nullptr;
  HWND handle = nullptr;
  MemoWindow popup;
  FontHandle font;
  HoverTimer timer;
  std::int32_t memoTime = 1;  // 100 ms
  bool holidaySettingMode = false;
  int dateChecks = 0;
  int hides = 0;
};

// Handles messages until `done` holds, or two seconds have passed on a busy machine whose
// timer messages come late.
template <typename Condition>
void WaitUntil(Condition done) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < 2000) HoverWindow::Wait(10);
}

// Until the timer has ticked `ticks` more times.
void WaitForTicks(const HoverWindow& window, int ticks) {
  const int until = window.dateChecks + ticks;
  WaitUntil([&] { return window.dateChecks >= until; });
}

}  // namespace

TEST_CASE("a resting pointer brings the pop-up, a pixel's move takes it away") {
  HoverWindow window;
  CHECK_FALSE(window.timer.Running());
  window.PointAt(50, 30);  // cell 10
  CHECK(window.timer.Running());
  WaitUntil([&] { return window.popup.IsShown(); });
  CHECK(window.popup.IsShown());
  CHECK(IsWindowVisible(window.popup.Handle()));
  CHECK(window.popup.Text() == "cell 10");
  RECT shown{};
  GetWindowRect(window.popup.Handle(), &shown);
  CHECK(shown.left == kWindowAt.x + 80);
  CHECK(shown.top == kWindowAt.y + 40);

  // One pixel: hidden at the next tick, which also looks at the date; back after a rest.
  const int checks = window.dateChecks;
  window.PointAt(51, 30);
  WaitForTicks(window, 1);
  CHECK(window.dateChecks > checks);
  CHECK(window.hides == 1);
  WaitUntil([&] { return window.popup.IsShown(); });
  CHECK(window.popup.IsShown());

  // In holiday-setting mode: nothing shows, though the date is still looked at.
  window.holidaySettingMode = true;
  window.PointAt(130, 70);
  WaitForTicks(window, 1);
  CHECK_FALSE(window.popup.IsShown());
  const int modeChecks = window.dateChecks;
  WaitForTicks(window, 4);
  CHECK_FALSE(window.popup.IsShown());
  window.PointAt(131, 70);
  WaitForTicks(window, 2);
  CHECK(window.dateChecks > modeChecks);
  CHECK_FALSE(window.popup.IsShown());
}

TEST_CASE("leaving the window hides the pop-up and stops the timer until the pointer is back") {
  HoverWindow window;
  window.PointAt(10, 10);
  WaitUntil([&] { return window.popup.IsShown(); });
  REQUIRE(window.popup.IsShown());
  SetCursorPos(kWindowAt.x + 600, kWindowAt.y + 10);
  WaitUntil([&] { return !window.timer.Running(); });
  CHECK_FALSE(window.popup.IsShown());
  CHECK(window.hides == 1);
  CHECK_FALSE(window.timer.Running());

  // A stored period of 0 and one too large for 32 bits both give a running timer.
  window.memoTime = 0;
  window.PointAt(10, 10);
  CHECK(window.timer.Running());
  WaitUntil([&] { return window.popup.IsShown(); });
  CHECK(window.popup.IsShown());
  CHECK(window.timer.Restart(window.handle, 42949673));
  CHECK(window.timer.Running());
  window.timer.Stop(window.handle);
  CHECK_FALSE(window.timer.Running());
}
