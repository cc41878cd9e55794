// Registry state, the running application, client-area pictures and the dialog driver of the
// window tests.
#include "tests/wine/support/WindowTestSupport.h"

#include <doctest.h>

#include "settings/Settings.h"
#include "settings/win32/RegistryKey.h"

namespace tembori::test {
namespace {

constexpr char kProgramKey[] = "Software\\Tembori";
constexpr const char* kEdgeNames[4] = {"Left", "Top", "Right", "Bottom"};
// X events (mapping, exposure) reach the queue a moment after the call that causes them.
constexpr DWORD kQuietMilliseconds = 60;
constexpr DWORD kLongestPumpMilliseconds = 3000;
constexpr UINT kDriverPeriodMilliseconds = 100;
constexpr int kDriverTicks = 50;

RegistryKey CreateKey(const char* path) {
  RegistryKey key;
  REQUIRE(CreateRegistryKey(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS, key, nullptr) ==
          ERROR_SUCCESS);
  return key;
}

void PutNumber(HKEY key, const char* name, DWORD value) {
  REQUIRE(RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof value) == ERROR_SUCCESS);
}

DialogDriver* activeDriver = nullptr;

BOOL CALLBACK RememberShownDialog(HWND window, LPARAM found) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

void DeleteProgramKeys() {
  const LONG result = RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey);
  REQUIRE((result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND));
  RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKey);
}

void PutConfig(std::initializer_list<ConfigNumber> values) {
  const RegistryKey key = CreateKey(kConfigKey);
  for (const ConfigNumber& value : values) PutNumber(key.Get(), value.name, value.value);
}

void PutConfigText(const char* name, const std::string& text) {
  const RegistryKey key = CreateKey(kConfigKey);
  REQUIRE(RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS);
}

void PutPosition(const RECT& window) {
  const RegistryKey key = CreateKey("Software\\Tembori\\Config\\Position");
  const LONG edges[4] = {window.left, window.top, window.right, window.bottom};
  for (int i = 0; i < 4; ++i) PutNumber(key.Get(), kEdgeNames[i], static_cast<DWORD>(edges[i]));
}

bool ReadPosition(RECT& window) {
  RegistryKey key;
  if (OpenRegistryKey(HKEY_CURRENT_USER, "Software\\Tembori\\Config\\Position", KEY_READ, key) !=
      ERROR_SUCCESS) {
    return false;
  }
  LONG edges[4] = {};
  for (int i = 0; i < 4; ++i) {
    DWORD type = 0, size = sizeof edges[i];
    if (RegQueryValueExA(key.Get(), kEdgeNames[i], nullptr, &type,
                         reinterpret_cast<BYTE*>(&edges[i]), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof edges[i]) {
      return false;
    }
  }
  window = {edges[0], edges[1], edges[2], edges[3]};
  return true;
}

SystemTime NovemberTwelfth2003() {
  return {2003, 11, 3, 12, 12, 0, 0, 0};
}

void PumpMessages() {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  } while (MsgWaitForMultipleObjects(0, nullptr, FALSE, kQuietMilliseconds, QS_ALLINPUT) !=
               WAIT_TIMEOUT &&
           GetTickCount() - start < kLongestPumpMilliseconds);
}

RunningCalendar::RunningCalendar(const SystemTime& today)
    : clock_(today), app_(std::make_unique<CalendarApp>(clock_)) {
  started_ = app_->InitInstance();
  if (started_) {
    handle_ = app_->MainCalendarWindow()->Handle();
    SetForegroundWindow(handle_);
  }
  PumpMessages();
}

RunningCalendar::~RunningCalendar() {
  if (handle_ != nullptr && IsWindow(handle_)) DestroyWindow(handle_);
  PumpMessages();
}

CalendarWindow& RunningCalendar::Window() {
  CalendarWindow* const window = app_->MainCalendarWindow();
  REQUIRE(window != nullptr);
  return *window;
}

void RunningCalendar::Repaint() {
  RedrawWindow(handle_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();
}

void RunningCalendar::Close() {
  SendMessageA(handle_, WM_CLOSE, 0, 0);
  PumpMessages();
}

RECT ChildRect(HWND parent, int controlId) {
  RECT rect{};
  const HWND child = GetDlgItem(parent, controlId);
  REQUIRE(child != nullptr);
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

ClientPicture::ClientPicture(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  width_ = client.right;
  height_ = client.bottom;
  REQUIRE((width_ > 0 && height_ > 0));

  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width_;
  format.bmiHeader.biHeight = -height_;  // top-down: row 0 first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC windowDc = GetDC(window);
  const HDC memoryDc = CreateCompatibleDC(windowDc);
  const HBITMAP bitmap = CreateDIBSection(windowDc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  REQUIRE(bitmap != nullptr);
  const HGDIOBJ previous = SelectObject(memoryDc, bitmap);
  const BOOL copied = BitBlt(memoryDc, 0, 0, width_, height_, windowDc, 0, 0, SRCCOPY);
  GdiFlush();
  pixels_.reserve(static_cast<size_t>(width_) * height_);
  const auto* const source = static_cast<const DWORD*>(bits);
  for (int i = 0; i < width_ * height_; ++i) {
    const DWORD pixel = source[i];  // 0x00RRGGBB
    pixels_.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
  }
  SelectObject(memoryDc, previous);
  DeleteObject(bitmap);
  DeleteDC(memoryDc);
  ReleaseDC(window, windowDc);
  REQUIRE(copied);
}

COLORREF ClientPicture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

template <typename Predicate>
int ClientPicture::CountWhere(const RECT& area, Predicate predicate) const {
  int count = 0;
  for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, height_); ++y) {
    for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, width_); ++x) {
      if (predicate(At(x, y))) ++count;
    }
  }
  return count;
}

int ClientPicture::Count(const RECT& area, COLORREF colour) const {
  return CountWhere(area, [colour](COLORREF pixel) { return pixel == colour; });
}

int ClientPicture::CountOther(const RECT& area, COLORREF background) const {
  return CountWhere(area, [background](COLORREF pixel) { return pixel != background; });
}

std::vector<COLORREF> ClientPicture::Part(const RECT& area) const {
  std::vector<COLORREF> part;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) part.push_back(At(x, y));
  }
  return part;
}

DialogDriver::DialogDriver(int buttonId, std::function<void(HWND)> inspect)
    : buttonId_(buttonId), inspect_(std::move(inspect)), ticksLeft_(kDriverTicks) {
  REQUIRE(activeDriver == nullptr);
  activeDriver = this;
  timer_ = SetTimer(nullptr, 0, kDriverPeriodMilliseconds, &DialogDriver::OnTick);
  REQUIRE(timer_ != 0);
}

DialogDriver::~DialogDriver() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  activeDriver = nullptr;
}

void CALLBACK DialogDriver::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  DialogDriver* const driver = activeDriver;
  if (driver == nullptr || driver->timer_ == 0) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &RememberShownDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr && --driver->ticksLeft_ > 0) return;
  KillTimer(nullptr, driver->timer_);
  driver->timer_ = 0;
  if (dialog == nullptr) return;
  driver->answered_ = true;
  if (driver->inspect_) driver->inspect_(dialog);
  SendMessageA(GetDlgItem(dialog, driver->buttonId_), BM_CLICK, 0, 0);
}

std::string WindowText(HWND window) {
  char text[256] = {};
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

}  // namespace tembori::test
