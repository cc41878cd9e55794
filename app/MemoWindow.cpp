// The memo pop-up window.
#include "app/MemoWindow.h"

#include "app/FontMeasure.h"

namespace tembori {
namespace {

constexpr char kClassName[] = "TemboriMemoWindow";
constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
static_assert(kStyle == 0x80800000, "the pop-up's style");
constexpr COLORREF kBackColor = RGB(255, 255, 192);

// The monitor that holds the cell, so that a calendar on a second screen keeps its pop-up.
RECT MonitorOf(const RECT& cell) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromRect(&cell, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return monitor.rcMonitor;
  }
  RECT screen{};
  GetWindowRect(GetDesktopWindow(), &screen);
  return screen;
}

}  // namespace

bool MemoWindow::CreateMemoWindow(HWND owner) {
  visible_ = false;
  backBrush_.reset(CreateSolidBrush(kBackColor));
  if (backBrush_ == nullptr) return false;
  // The background is painted from this object's brush, not the class's, so that the class
  // outlives any one pop-up.
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Window::WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);  // fails harmlessly when an earlier pop-up registered it
  return Create(0, kClassName, "MemoWindow", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                CW_USEDEFAULT, owner, nullptr);
}

const RouteTable& MemoWindow::Routes() const {
  static const Route routes[] = {
      RouteMessage<WM_PAINT, &MemoWindow::OnPaint>(),
      RouteMessage<WM_ERASEBKGND, &MemoWindow::OnEraseBkgnd>(),
      RouteMessage<WM_MOUSEACTIVATE, &MemoWindow::OnMouseActivate>(),
  };
  static const RouteTable table(routes, &Window::Routes());
  return table;
}

void MemoWindow::SetMemoFont(HFONT font, int dpi) {
  LOGFONTA logFont{};
  if (GetObjectA(font, sizeof logFont, &logFont) == 0) return;
  font_.reset(CreateFontIndirectA(&logFont));
  if (font_ == nullptr) return;
  // Measured on the screen: the window may not exist yet.
  metrics_ = ComputeMemoPopupMetrics(LayoutMetrics(MeasureFont(font_.get(), nullptr)), dpi);
}

bool MemoWindow::ShowMemo(const std::string& text, const RECT& cellOnScreen) {
  if (font_ == nullptr) return false;
  text_ = text;
  // Screen readers read the pop-up by its window's name.
  SetWindowTextA(Handle(), text_.c_str());
  textWidth_ = MemoTextWidth(text_.size(), metrics_);
  const RECT monitor = MonitorOf(cellOnScreen);
  const Rect placed =
      PlaceMemoPopup({cellOnScreen.right, cellOnScreen.bottom}, textWidth_, metrics_.lineHeight,
                     {monitor.left, monitor.top, monitor.right, monitor.bottom});
  MoveWindow(Handle(), placed.left, placed.top, Width(placed), Height(placed), TRUE);
  // A pop-up shown again at the same size would keep its old text.
  InvalidateRect(Handle(), nullptr, TRUE);
  visible_ = true;
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  return true;
}

void MemoWindow::HideMemo() {
  visible_ = false;
  if (Handle() != nullptr) ShowWindow(Handle(), SW_HIDE);
}

void MemoWindow::OnPaint() {
  const PaintDc paint(Handle());
  if (!visible_ || font_ == nullptr) return;
  const HDC dc = paint.Get();
  const ObjectSelection selected(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  TextOutA(dc, textWidth_ / 2, metrics_.textTop, text_.data(), static_cast<int>(text_.size()));
}

BOOL MemoWindow::OnEraseBkgnd(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, backBrush_.get());
  return TRUE;
}

}  // namespace tembori
