// The calendar window: class registration, the routing table, creation, fonts, layout, the
// frame toggle, the remembered position and the end of the window.
#include "app/CalendarWindow.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cstddef>
#include <optional>

#include "app/CalendarAccessible.h"
#include "app/FontMeasure.h"
#include "app/MonitorAreas.h"
#include "app/ProgramDir.h"
#include "app/WindowPosition.h"
#include "framework/DisplayDpi.h"
#include "framework/FontFace.h"
#include "framework/GdiHandles.h"
#include "framework/MemoryExhaustion.h"
#include "framework/ResourceText.h"
#include "ical/win32/ICalTransfer.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

// Caption, system menu and minimise box, but neither sizable nor maximisable: the window's
// size comes from its font. Hidden until the application shows it.
constexpr DWORD kWindowStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
static_assert(kWindowStyle == 0x2CA0000, "the calendar window's style");

constexpr DWORD kButtonStyle = WS_CHILD | WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kYearFieldStyle = WS_CHILD | WS_TABSTOP;
constexpr DWORD kYearSpinStyle = WS_CHILD | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
constexpr int kYearFieldMaxBytes = 4;

// The system font record of the versions before the padded border width was added.
constexpr UINT kNonClientMetricsSize = 340;
static_assert(offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth) == kNonClientMetricsSize,
              "the shorter non-client metrics record");
static_assert(sizeof(LOGFONTA) == 60, "the font record of every Windows");
static_assert(sizeof(WINDOWPLACEMENT) == 44, "the placement record of every Windows");

bool IsSystemLeadByte(unsigned char byte) {
  return IsDBCSLeadByte(byte) != FALSE;
}

LOGFONTA LogFontOf(HFONT fontHandle) {
  LOGFONTA font{};
  GetObjectA(fontHandle, sizeof font, &font);
  return font;
}

RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
              top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The normal rectangle of GetWindowPlacement is given relative to the work area for a window
// with a taskbar button; the remembered position is in screen coordinates, else a taskbar at
// the top or left would move the window further at every start.
RECT ScreenRectFromPlacement(HWND window, const WINDOWPLACEMENT& placement) {
  RECT rect = placement.rcNormalPosition;
  if ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) return rect;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
  }
  return rect;
}

}  // namespace

std::string FindProgramDir() {
  // A path cut to the buffer fills it and would name another directory: the buffer grows
  // until the whole path fits.
  constexpr std::size_t kLongestPath = 32768;
  std::string path;
  for (std::size_t size = MAX_PATH; size < 2 * kLongestPath; size *= 2) {
    path.resize(size);
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(size));
    if (length < size) {
      return ProgramDirFromPath(std::string_view(path.data(), length), &IsSystemLeadByte);
    }
  }
  return {};
}

CalendarWindow::CalendarWindow(const Settings& settings, const PlatformAbilities& platform,
                               const Clock& clock, KeyValueStore& store, TrayArea& tray)
    : settings_(settings),
      platform_(platform),
      store_(store),
      tray_(tray),
      calendar_(clock, store, settings),
      memos_(calendar_, settings, store, memoFiles_, memoLock_),
      frameless_(settings.NoFrame != 0),
      appName_(LoadResourceString(IDS_APP_NAME)) {
  if (platform.registeredWheelMessage && wheelRollMessage_ == 0) {
    wheelRollMessage_ = RegisterWindowMessageA("MSWHEEL_ROLLMSG");
  }
  RegisterWindowClass();
  // The fonts and the size are measured on the screen before the window exists, so that it
  // is created with its styles, where and as large as it will be shown.
  dpi_ = SystemDpi();
  CreateSystemFont();
  CreateCalendarFont(settings.TypeFace, settings.PointSize, settings.CharSet,
                     settings.PitchAndFamily);
  const DWORD style = frameless_ ? kWindowStyle & ~WS_CAPTION : kWindowStyle;
  // With a tray icon the window has no taskbar button.
  const DWORD exStyle = (settings.Tray != 0 ? WS_EX_TOOLWINDOW : WS_EX_APPWINDOW) |
                        (settings.TopMost != 0 ? WS_EX_TOPMOST : 0);
  const SIZE size = WantedWindowSize(style, exStyle);
  const Rect place = RestorePosition(size.cx, size.cy);
  // Created whether or not the class was registered now: a class left by an earlier window
  // of this process serves as well.
  Create(exStyle, appName_.c_str(), appName_.c_str(), style, place.left, place.top, size.cx,
         size.cy, nullptr, nullptr);
}

void CalendarWindow::RegisterWindowClass() const {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &Window::WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = nullptr;  // the background is erased by the window itself
  windowClass.lpszClassName = appName_.c_str();
  RegisterClassA(&windowClass);
}

UINT CalendarWindow::TaskbarCreatedMessage() {
  static const UINT id = RegisterWindowMessageA("TaskbarCreated");
  return id;
}

// About (57664), Properties (32771) and the help file (57667, 57671) go on to the
// application's table.
const RouteTable& CalendarWindow::Routes() const {
  static const Route routes[] = {
      RouteMessage<WM_CONTEXTMENU, &CalendarWindow::OnContextMenu>(),
      RouteMessage<kTrayMessage, &CalendarWindow::OnTrayNotify>(),
      RouteMessage<WM_NCCREATE, &CalendarWindow::OnNcCreate>(),
      RouteMessage<WM_CREATE, &CalendarWindow::OnCreate>(),
      RouteMessage<WM_PAINT, &CalendarWindow::OnPaint>(),
      RouteCommand<ID_APP_EXIT, &CalendarWindow::OnAppExit>(),
      RouteCommand<ID_NEXT_MONTH, &CalendarWindow::OnNextMonth>(),
      RouteCommand<ID_PREV_MONTH, &CalendarWindow::OnPrevMonth>(),
      RouteCommand<ID_MODE_BUTTON, &CalendarWindow::OnModeButton>(),
      RouteCommand<ID_NEXT_YEAR, &CalendarWindow::OnNextYear>(),
      RouteCommand<ID_PREV_YEAR, &CalendarWindow::OnPrevYear>(),
      RouteMessage<WM_MOUSEMOVE, &CalendarWindow::OnMouseMove>(),
      RouteMessage<WM_DESTROY, &CalendarWindow::OnDestroy>(),
      RouteMessage<WM_LBUTTONDBLCLK, &CalendarWindow::OnLButtonDblClk>(),
      RouteMessage<WM_RBUTTONUP, &CalendarWindow::OnRButtonUp>(),
      RouteMessage<WM_CLOSE, &CalendarWindow::OnClose>(),
      RouteMessage<WM_ERASEBKGND, &CalendarWindow::OnEraseBkgnd>(),
      RouteMessage<WM_QUERYENDSESSION, &CalendarWindow::OnQueryEndSession>(),
      RouteMessage<WM_LBUTTONDOWN, &CalendarWindow::OnLButtonDown>(),
      RouteMessage<WM_LBUTTONUP, &CalendarWindow::OnLButtonUp>(),
      RouteCommand<ID_FRAME_TOGGLE, &CalendarWindow::OnFrameToggle>(),
      RouteCommand<ID_THIS_MONTH, &CalendarWindow::OnThisMonth>(),
      RouteCommand<ID_HELP, &CalendarWindow::OnHelpKey>(),
      RouteMessage<WM_MOVE, &CalendarWindow::OnMove>(),
      RouteMessage<WM_MBUTTONUP, &CalendarWindow::OnMButtonUp>(),
      RouteMessage<WM_MOUSEWHEEL, &CalendarWindow::OnMouseWheel>(),
      RouteMessage<WM_INITMENU, &CalendarWindow::OnInitMenu>(),
      RouteRegistered<&CalendarWindow::WheelRollMessage, &CalendarWindow::OnWheelRoll>(),
      RouteNotification<EN_KILLFOCUS, IDC_YEAR_FIELD, &CalendarWindow::OnYearFieldKillFocus>(),
      RouteNotify<UDN_DELTAPOS, IDC_YEAR_SPIN, &CalendarWindow::OnYearSpinDeltaPos>(),
      RouteMessage<WM_CAPTURECHANGED, &CalendarWindow::OnCaptureChanged>(),
      RouteRegistered<&CalendarWindow::TaskbarCreatedMessage, &CalendarWindow::OnTaskbarCreated>(),
      RouteRegistered<&MemosChangedMessage, &CalendarWindow::OnMemosChanged>(),
      RouteMessage<WM_PRINTCLIENT, &CalendarWindow::OnPrintClient>(),
      RouteMessage<WM_TIMER, &CalendarWindow::OnTimer>(),
      RouteMessage<WM_DPICHANGED, &CalendarWindow::OnDpiChanged>(),
      RouteMessage<WM_KILLFOCUS, &CalendarWindow::OnFocusChange>(),
      RouteMessage<WM_GETOBJECT, &CalendarWindow::OnGetObject>(),
      RouteMessage<WM_SYSCOLORCHANGE, &CalendarWindow::OnSystemColoursChanged>(),
      RouteMessage<WM_SETTINGCHANGE, &CalendarWindow::OnSystemColoursChanged>(),
      RouteMessage<WM_SETFOCUS, &CalendarWindow::OnFocusChange>(),
      RouteCommand<ID_DAY_MEMO, &CalendarWindow::OnDayMemo>(),
      RouteCommand<ID_DAY_MARK, &CalendarWindow::OnDayMark>(),
  };
  static const RouteTable table(routes, &Window::Routes());
  return table;
}

// The system gives every window without WS_POPUP a caption: a frameless window loses it
// here, before its frame is measured.
LRESULT CalendarWindow::OnNcCreate(const Message& message) {
  if (frameless_) {
    SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~WS_CAPTION);
  }
  return DefaultProcessing(message);
}

LRESULT CalendarWindow::OnCreate(const Message& message) {
  if (DefaultProcessing(message) == -1) return -1;
  const bool dirFound = UnlessMemoryRunsOut(
      [&] {
        programDir_ = FindProgramDir();
        return true;
      },
      [] { return false; });
  if (!dirFound) return -1;
  accelerators_ = LoadAcceleratorsA(GetModuleHandleA(nullptr), "IDR_TEMBORIACCEL");
  // The remembered place may be on a monitor of another scale than the screen's: fonts and
  // size are made again for it, at the same place.
  if (const int dpi = WindowDpi(Handle()); dpi != dpi_) {
    UseDpi(dpi);
    const SIZE wanted = WantedWindowSize(static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)),
                                         static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, wanted.cx, wanted.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
  }
  LoadHolidayFile();
  calendar_.RecomputeYear();
  CreateControls();
  UpdateTitleAndTray();
  memos_.SetProgramDir(programDir_);
  memos_.LoadMonthMap();
  created_ = true;
  return 0;
}

// The system suggests a rectangle: its size scales the old one, while the layout measures
// the fonts made for the new DPI, which may differ by a pixel per cell. The window takes the
// suggested place with the size of its own layout.
LRESULT CalendarWindow::OnDpiChanged(const Message& message) {
  // During creation the layout itself finds the monitor the window lands on.
  const int dpi = HIWORD(message.wParam);
  if (!created_ || dpi == 0) return 0;
  UseDpi(dpi);
  const auto* const suggested = reinterpret_cast<const RECT*>(message.lParam);
  if (suggested != nullptr) {
    SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  LayoutWindow(FrameChange::None);
  PlaceMonthButtons();
  InvalidateRect(Handle(), nullptr, TRUE);
  return 0;
}

void CalendarWindow::UseDpi(int dpi) {
  // The shift of the last frame toggle is undone when the position is saved: in new pixels.
  frameShift_ = {MulDiv(frameShift_.dx, dpi, dpi_), MulDiv(frameShift_.dy, dpi, dpi_)};
  dpi_ = dpi;
  for (CalendarButton* button : {&prevMonthButton_, &nextMonthButton_, &modeButton_}) {
    button->SetDpi(dpi);
  }
  CreateSystemFont();
  CreateCalendarFont(settings_.TypeFace, settings_.PointSize, settings_.CharSet,
                     settings_.PitchAndFamily);
}

void CalendarWindow::CreateSystemFont() {
  LOGFONTA font{};
  if (platform_.nonClientMetrics) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = kNonClientMetricsSize;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0);
    font = metrics.lfSmCaptionFont;
  } else {
    SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
  }
  font = FontForDpi(font, dpi_);
  FontHandle made(CreateFontIndirectA(&font));
  // The year field lets go of the old font before it is deleted; the pop-up makes its own
  // copy.
  if (yearField_.Handle() != nullptr) {
    SendMessageA(yearField_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
  }
  memoPopup_.SetMemoFont(made.get(), dpi_);
  systemFont_ = std::move(made);
}

void CalendarWindow::CreateCalendarFont(const std::string& typeFace, const std::string& pointSize,
                                        std::uint8_t charSet, std::uint8_t pitchAndFamily) {
  calendarFont_.reset();
  LOGFONTA font{};
  const std::optional<int> points = PointSizeFromText(pointSize);
  if (!typeFace.empty() && points && (charSet == ANSI_CHARSET || charSet == SHIFTJIS_CHARSET)) {
    font.lfHeight = -MulDiv(*points, dpi_, 72);
    font.lfCharSet = charSet;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = pitchAndFamily;
    SetFaceName(font, typeFace);
  } else {
    font = LogFontOf(systemFont_.get());
  }
  calendarFont_.reset(CreateFontIndirectA(&font));

  // The marks take three quarters of the number's height, never less than 10 pixels at 96 DPI,
  // below which the kanji of the 六曜 cannot be read. They are Japanese also under a face
  // of the ANSI character set, which would draw their bytes as Latin letters.
  font = LogFontOf(calendarFont_.get());
  const int numberHeight = MeasureFont(calendarFont_.get(), Handle()).tmHeight;
  font.lfHeight = -std::max(numberHeight * 3 / 4, ScaleToDpi(10, dpi_));
  font.lfWidth = 0;
  font.lfCharSet = SHIFTJIS_CHARSET;
  markFont_.reset(CreateFontIndirectA(&font));
}

CellSize CalendarWindow::MarkSize() const {
  if (settings_.Rokuyo == 0 || !markFont_) return {};
  // Every 六曜 is two full-width characters; 大安 stands for them all.
  const std::string text = LoadResourceString(IDS_ROKUYO_TAIAN);
  const WindowDc dc = GetWindowDc(Handle());
  const ObjectSelection selection(dc.get(), markFont_.get());
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

std::string CalendarWindow::FontFaceName() const {
  return FaceNameOf(LogFontOf(calendarFont_.get()));
}

std::string CalendarWindow::FontPointSize() const {
  const TEXTMETRICA metrics = MeasureFont(calendarFont_.get(), Handle());
  const int points = MulDiv(metrics.tmHeight - metrics.tmInternalLeading, 72, dpi_);
  return std::to_string(points);
}

std::uint8_t CalendarWindow::FontCharSet() const {
  return LogFontOf(calendarFont_.get()).lfCharSet;
}

void CalendarWindow::LayoutWindow(FrameChange frameChange) {
  const HWND window = Handle();

  RECT oldWindow{};
  GetWindowRect(window, &oldWindow);

  const LONG style = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE, frameless_ ? style & ~WS_CAPTION : style | WS_CAPTION);
  // With a tray icon the window has no taskbar button.
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  SetWindowLongA(window, GWL_EXSTYLE,
                 settings_.Tray != 0 ? (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW
                                     : (exStyle & ~WS_EX_TOOLWINDOW) | WS_EX_APPWINDOW);
  // Also makes the style changes take effect.
  SetWindowPos(window, settings_.TopMost != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED);

  const SIZE wanted = WantedWindowSize(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
  const Rect placed = PlaceResizedWindow(FromWinRect(oldWindow), wanted.cx, wanted.cy, frameChange,
                                         platform_.captionHeight, dpi_, frameShift_);
  MoveWindow(window, placed.left, placed.top, Width(placed), Height(placed), TRUE);

  const CalendarLayout layout = UseLayout();
  PlaceControl(modeButton_, layout.modeButtonRect);
  PlaceControl(yearField_, layout.yearFieldRect);
  PlaceControl(yearSpin_, layout.yearSpinRect);
}

CalendarLayout CalendarWindow::UseLayout() {
  const CalendarLayout layout =
      ComputeCalendarLayout(cell_, frameless_, platform_.clientBorder, dpi_);
  gridRect_ = ToWinRect(layout.gridRect);
  boxRect_ = ToWinRect(layout.boxRect);
  leftStripRect_ = ToWinRect(layout.leftStripRect);
  rightStripRect_ = ToWinRect(layout.rightStripRect);
  bottomStripRect_ = ToWinRect(layout.bottomStripRect);
  return layout;
}

MonthButtonLayout CalendarWindow::UseMonthButtonLayout() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const MonthButtonLayout buttons = ComputeMonthButtons(cell_, client.right);
  titleRect_ = ToWinRect(buttons.titleRect);
  return buttons;
}

void CalendarWindow::CreateControls() {
  const HWND window = Handle();
  const CalendarLayout layout = UseLayout();
  const DWORD visible = frameless_ ? 0 : WS_VISIBLE;
  CreateButton(modeButton_, layout.modeButtonRect, ID_MODE_BUTTON);
  yearField_.Create(WS_EX_CLIENTEDGE, "EDIT", kYearFieldStyle | visible,
                    ToWinRect(layout.yearFieldRect), window, IDC_YEAR_FIELD);
  yearField_.LimitText(kYearFieldMaxBytes);
  SendMessageA(yearField_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(systemFont_.get()), FALSE);
  INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&commonControls);
  yearSpin_.Create(0, UPDOWN_CLASSA, kYearSpinStyle | visible, ToWinRect(layout.yearSpinRect),
                   window, IDC_YEAR_SPIN);
  yearSpin_.SetBuddy(yearField_.Handle());
  yearSpin_.SetRange(MinYear, MaxYear);
  yearSpin_.SetPosition(calendar_.Shown().wYear);

  const MonthButtonLayout buttons = UseMonthButtonLayout();
  CreateButton(prevMonthButton_, buttons.prevButton, ID_PREV_MONTH);
  CreateButton(nextMonthButton_, buttons.nextButton, ID_NEXT_MONTH);
}

SIZE CalendarWindow::WantedWindowSize(DWORD style, DWORD exStyle) {
  cell_ = ComputeCellSize(LayoutMetrics(MeasureFont(calendarFont_.get(), Handle())),
                          settings_.Squeeze != 0, dpi_);
  if (settings_.Rokuyo != 0) cell_ = WithMarkLine(cell_, MarkSize(), dpi_);

  if (frameless_) {
    const Rect wanted = FramelessWindowRect(cell_);
    return {Width(wanted), Height(wanted)};
  }
  RECT wanted = ToWinRect(FramedClientRect(cell_, platform_.clientBorder, dpi_));
  AdjustWindowRectForDpi(wanted, style, exStyle & ~static_cast<DWORD>(WS_EX_CLIENTEDGE), dpi_);
  return {wanted.right - wanted.left, wanted.bottom - wanted.top};
}

void CalendarWindow::ToggleFrame() {
  frameless_ = !frameless_;
  LayoutWindow(frameless_ ? FrameChange::Removed : FrameChange::Restored);
  PlaceMonthButtons();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CalendarWindow::ShowCalendar(bool shown) {
  ShowWindow(Handle(), shown ? SW_SHOW : SW_HIDE);
}

void CalendarWindow::InvalidateCalendar() {
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CalendarWindow::PlaceMonthButtons() {
  const MonthButtonLayout buttons = UseMonthButtonLayout();
  PlaceControl(prevMonthButton_, buttons.prevButton);
  PlaceControl(nextMonthButton_, buttons.nextButton);
}

// The child controls are visible only with the frame.
void CalendarWindow::CreateButton(CalendarButton& button, const Rect& rect, int controlId) {
  // Owner-drawn, the buttons show no text: it is their name for screen readers.
  const UINT name = controlId == ID_PREV_MONTH   ? IDS_ACC_PREV_MONTH
                    : controlId == ID_NEXT_MONTH ? IDS_ACC_NEXT_MONTH
                                                 : IDS_ACC_MODE;
  button.SetDpi(dpi_);
  button.Create(0, "BUTTON", kButtonStyle | (frameless_ ? 0 : WS_VISIBLE), ToWinRect(rect),
                Handle(), controlId);
  SetWindowTextA(button.Handle(), LoadResourceString(name).c_str());
}

void CalendarWindow::PlaceControl(const Window& control, const Rect& rect) const {
  MoveWindow(control.Handle(), rect.left, rect.top, Width(rect), Height(rect), TRUE);
  ShowWindow(control.Handle(), frameless_ ? SW_HIDE : SW_SHOW);
}

LRESULT CalendarWindow::OnDestroy(const Message& message) {
  const LRESULT result = DefaultProcessing(message);
  // The pop-up, an owned window, has gone with this one.
  hoverTimer_.Stop(Handle());
  KillTimer(Handle(), kCursorTimerId);
  // Readers that still hold the accessible object find it disconnected.
  if (accessible_ != nullptr) {
    accessible_->Disconnect();
    accessible_->Release();
    accessible_ = nullptr;
  }
  return result;
}

LRESULT CalendarWindow::OnClose(const Message& message) {
  SavePosition();
  // Destroys the window, and with it this object: nothing may follow.
  return DefaultProcessing(message);
}

BOOL CalendarWindow::OnQueryEndSession() {
  SavePosition();
  const HWND imeWindow = ImmGetDefaultIMEWnd(Handle());
  if (imeWindow != nullptr) PostMessageA(imeWindow, WM_CLOSE, 0, 0);
  return TRUE;
}

// The background may show the desktop behind the window.
void CalendarWindow::OnMove() {
  InvalidateRect(Handle(), nullptr, TRUE);
}

Rect CalendarWindow::RestorePosition(int width, int height) const {
  return RestoreWindowPosition(store_, FromWinRect(VirtualScreen()), QueryMonitorAreas(), width,
                               height)
      .value_or(Rect{});
}

// Saves where the window will be at the next start: its restored rectangle even when it is
// minimised, and without the shift of a frame toggle that the next start will not repeat.
// Failures are silent.
void CalendarWindow::SavePosition() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(Handle(), &placement)) return;
  Rect window = FromWinRect(ScreenRectFromPlacement(Handle(), placement));
  const bool startsFrameless = settings_.NoFrame != 0;
  if (frameless_ != startsFrameless) window = UndoFrameShift(window, frameShift_);
  SaveWindowPosition(store_, window);
}

}  // namespace tembori
