// Registry state, the running application, client-area pictures and the dialog driver of the
// window tests.
#include "tests/wine/support/WindowTestSupport.h"

#include <doctest.h>

#include <algorithm>

#include "settings/Settings.h"
#include "settings/win32/RegistryKey.h"

namespace tembori::test {
namespace {

// X events (mapping, exposure) reach the queue a moment after the call that causes them.
constexpr DWORD kQuietMilliseconds = 60;
constexpr DWORD kLongestPumpMilliseconds = 3000;
constexpr UINT kDriverPeriodMilliseconds = 100;

void PutValue(const char* key, const char* name, DWORD type, const void* data, DWORD size) {
  RegistryKey created;
  REQUIRE(CreateRegistryKey(HKEY_CURRENT_USER, key, KEY_SET_VALUE, created, nullptr) ==
          ERROR_SUCCESS);
  REQUIRE(RegSetValueExA(created.Get(), name, 0, type, static_cast<const BYTE*>(data), size) ==
          ERROR_SUCCESS);
}

// The dialog to answer: its button and what to do with it first. The timer ends with it,
// also when a failed test leaves early.
struct PendingAnswer;
PendingAnswer* pendingAnswer = nullptr;
struct PendingAnswer {
  int buttonId;
  const std::function<void(HWND)>& inspect;
  UINT_PTR timer = 0;
  bool answered = false;
  ~PendingAnswer() {
    KillTimer(nullptr, timer);
    pendingAnswer = nullptr;
  }
};

BOOL CALLBACK RememberShownDialog(HWND window, LPARAM found) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK AnswerShownDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &RememberShownDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr || pendingAnswer == nullptr || pendingAnswer->answered) return;
  pendingAnswer->answered = true;
  pendingAnswer->inspect(dialog);
  SendMessageA(GetDlgItem(dialog, pendingAnswer->buttonId), BM_CLICK, 0, 0);
}

}  // namespace

void DeleteProgramKeys() {
  const LONG result = RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tembori");
  REQUIRE((result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND));
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tembori");
}

void PutNumbers(const char* key, const std::vector<RegistryNumber>& values) {
  for (const RegistryNumber& value : values) {
    PutValue(key, value.name, REG_DWORD, &value.value, sizeof value.value);
  }
}

void PutConfigText(const char* name, const std::string& text) {
  PutValue(kConfigKey, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

std::optional<DWORD> ReadNumber(const char* key, const char* name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
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

RunningCalendar::RunningCalendar() {
  REQUIRE(app_.InitInstance());
  handle_ = Window().Handle();
  SetForegroundWindow(handle_);
  PumpMessages();
}

RunningCalendar::~RunningCalendar() {
  if (handle_ != nullptr && IsWindow(handle_)) DestroyWindow(handle_);
  PumpMessages();
}

CalendarWindow& RunningCalendar::Window() {
  CalendarWindow* const window = app_.MainCalendarWindow();
  REQUIRE(window != nullptr);
  return *window;
}

RECT ChildRect(HWND parent, int controlId) {
  RECT rect{};
  const HWND child = GetDlgItem(parent, controlId);
  REQUIRE(child != nullptr);
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string WindowText(HWND window) {
  char text[256] = {};
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, std::max(length, 0));
}

ClientPicture::ClientPicture(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  width_ = client.right;
  height_ = client.bottom;
  REQUIRE((width_ > 0 && height_ > 0));

  const HDC windowDc = GetDC(window);
  const HDC memoryDc = CreateCompatibleDC(windowDc);
  const HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width_, height_);
  const HGDIOBJ previous = SelectObject(memoryDc, bitmap);
  const BOOL copied = BitBlt(memoryDc, 0, 0, width_, height_, windowDc, 0, 0, SRCCOPY);
  SelectObject(memoryDc, previous);
  // Rows from the top down.
  BITMAPINFO format{};
  format.bmiHeader = {sizeof format.bmiHeader, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  pixels_.resize(static_cast<size_t>(width_) * height_);
  const int rows = GetDIBits(memoryDc, bitmap, 0, height_, pixels_.data(), &format, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memoryDc);
  ReleaseDC(window, windowDc);
  REQUIRE((copied && rows == height_));
}

COLORREF ClientPicture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const DWORD pixel = pixels_[static_cast<size_t>(y) * width_ + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int ClientPicture::Count(const RECT& area, COLORREF colour) const {
  const std::vector<COLORREF> part = Part(area);
  return static_cast<int>(std::count(part.begin(), part.end(), colour));
}

std::vector<COLORREF> ClientPicture::Part(const RECT& area) const {
  std::vector<COLORREF> part;
  for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, height_); ++y) {
    for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, width_); ++x) {
      part.push_back(At(x, y));
    }
  }
  return part;
}

bool AnswerDialog(const std::function<void()>& open, int buttonId,
                  const std::function<void(HWND)>& inspect) {
  REQUIRE(pendingAnswer == nullptr);
  PendingAnswer pending{buttonId, inspect};
  pendingAnswer = &pending;
  pending.timer = SetTimer(nullptr, 0, kDriverPeriodMilliseconds, &AnswerShownDialog);
  REQUIRE(pending.timer != 0);
  open();
  return pending.answered;
}

}  // namespace tembori::test
