// The running calendar and the helpers of the window tests.
#include "CalendarHarness.h"

#include <doctest.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "app/WindowPosition.h"
#include "memo/RegistryMemoBackend.h"
#include "settings/Settings.h"

bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}
std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

namespace tembori::testing {

void PumpMessages() {
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

void PumpMessagesFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_QUIT) DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void DeleteProgramKeys() {
  const LONG result = RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tembori");
  REQUIRE((result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND));
}

void PutValue(const char* key, const char* name, DWORD type, const void* data, std::size_t size) {
  REQUIRE(RegSetKeyValueA(HKEY_CURRENT_USER, key, name, type, data, static_cast<DWORD>(size)) ==
          ERROR_SUCCESS);
}

void PutNumbers(const char* key, const RegistryNumbers& values) {
  for (const auto& [name, value] : values) PutValue(key, name, REG_DWORD, &value, sizeof value);
}

void PutMemos(const char* month, DWORD map,
              const std::vector<std::pair<const char*, const char*>>& memos) {
  const std::string key = std::string(kMemoKey) + "\\" + month;
  for (const auto& [day, text] : memos) {
    PutValue(key.c_str(), day, REG_SZ, text, std::strlen(text) + 1);
  }
  PutValue(key.c_str(), "MapOfMemo", REG_DWORD, &map, sizeof map);
}

RunningCalendar::RunningCalendar(const SystemTime& today) : clock_(today), app_(clock_, tray_) {
  REQUIRE(app_.InitInstance());
  REQUIRE(app_.MainCalendarWindow() != nullptr);
  handle_ = Window().Handle();
  SetForegroundWindow(handle_);
  PumpMessages();
}

RunningCalendar::~RunningCalendar() {
  if (IsWindow(handle_)) DestroyWindow(handle_);
  PumpMessages();
}

void RunningCalendar::RunProgramLoop() {
  // Retrieved only once every posted message before it has been handled.
  PostQuitMessage(0);
  app_.RunMessageLoop();
  PumpMessages();
}

void RunningCalendar::PressKey(UINT key, bool control, HWND target) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = control ? 0x80 : 0;
  SetKeyboardState(keys);
  PostMessageA(target != nullptr ? target : handle_, WM_KEYDOWN, key, 1);
  PostMessageA(target != nullptr ? target : handle_, WM_KEYUP, key, 0xC0000001);
  RunProgramLoop();
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

void RunningCalendar::TakeKeyboard() {
  const RECT frame = WindowRect(handle_);
  SetCursorPos(frame.right + 60, frame.bottom + 60);
  SetForegroundWindow(handle_);
  SetFocus(handle_);
  RunProgramLoop();
}

RECT StoredPosition() {
  RECT stored{-1, -1, -1, -1};
  const char* const names[] = {"Left", "Top", "Right", "Bottom"};
  LONG* const edges[] = {&stored.left, &stored.top, &stored.right, &stored.bottom};
  for (int i = 0; i < 4; ++i) {
    DWORD size = sizeof *edges[i];
    RegGetValueA(HKEY_CURRENT_USER, kPositionKey, names[i], RRF_RT_REG_DWORD, nullptr, edges[i],
                 &size);
  }
  return stored;
}

int LiveGdiObjects() {
  // A handle's low word indexes the process's table; the handle without its high word (the
  // entry's generation) is accepted as well.
  int live = 0;
  for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
  }
  return live;
}

RECT ChildRect(HWND parent, int controlId) {
  RECT rect{};
  const HWND child = GetDlgItem(parent, controlId);
  REQUIRE(child != nullptr);
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT OnScreen(HWND window, RECT client) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

LPARAM AtCentre(const RECT& rect) {
  return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

namespace {

std::function<bool()> modalStep;
void CALLBACK TryModalStep(HWND, UINT, UINT_PTR, DWORD) {
  // Taken out while it runs, so that a loop of its own does not start it again.
  std::function<bool()> step = std::move(modalStep);
  modalStep = nullptr;
  if (step && !step()) modalStep = std::move(step);
}

}  // namespace

void DuringModalLoop(const std::function<void()>& open, const std::function<bool()>& step) {
  modalStep = step;
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, &TryModalStep);
  REQUIRE(timer != 0);
  open();
  KillTimer(nullptr, timer);
  modalStep = nullptr;
}

SeenMenu MenuOpenedBy(const std::function<void()>& open) {
  SeenMenu seen;
  const auto openAndWait = [&] {
    open();
    const DWORD start = GetTickCount();
    while (!seen.opened && GetTickCount() - start < 300) PumpMessagesFor(10);
  };
  DuringModalLoop(openAndWait, [&] {
    const HWND window = FindWindowA("#32768", nullptr);
    if (window == nullptr || !IsWindowVisible(window)) return false;
    seen.opened = true;
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
      char text[64] = {};
      GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
      seen.items.push_back(text);
    }
    seen.rect = WindowRect(window);
    EndMenu();
    return true;
  });
  return seen;
}

TEXTMETRICA MetricsOf(HFONT font) {
  const CreatedDc dc = CreateMemoryDc(nullptr);
  const ObjectSelection selected(dc.get(), font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  return metrics;
}

namespace {

// The balloon tips that this thread shows.
std::vector<HWND> FieldTips() {
  std::vector<HWND> tips;
  for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr));) {
    if (IsWindowVisible(tip) && (GetWindowLongA(tip, GWL_STYLE) & TTS_BALLOON) != 0 &&
        GetWindowThreadProcessId(tip, nullptr) == GetCurrentThreadId()) {
      tips.push_back(tip);
    }
  }
  return tips;
}

}  // namespace

std::string ShownFieldTip() {
  for (const HWND tip : FieldTips()) {
    char text[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    if (SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE) return text;
  }
  return {};
}

void CloseFieldTips() {
  for (const HWND tip : FieldTips()) DestroyWindow(tip);
}

RECT Cells(CalendarWindow& window, int row, int firstColumn, int lastColumn) {
  const CellSize cell = window.Cell();
  const RECT& grid = window.GridRect();
  return {grid.left + firstColumn * cell.width, grid.top + row * cell.height,
          grid.left + (lastColumn + 1) * cell.width, grid.top + (row + 1) * cell.height};
}

RECT DayCell(CalendarWindow& window, int day) {
  const int index = window.Calendar().FirstWeekday() + day - 1;
  return Cells(window, 1 + index / 7, index % 7, index % 7);
}

namespace {

RECT ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client;
}

}  // namespace

Picture::Picture(int width, int height, COLORREF ground) {
  const WindowDc screen = GetWindowDc(nullptr);
  bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
  SelectObject(dc_.get(), bitmap_.get());
  const RECT all{0, 0, width, height};
  const BrushHandle brush(CreateSolidBrush(ground));
  FillRect(dc_.get(), &all, brush.get());
}

Picture::Picture(HWND window) {
  const RECT client = ClientSize(window);
  const WindowDc windowDc = GetWindowDc(window);
  Copy(windowDc.get(), 0, 0, client.right, client.bottom);
}

Picture::Picture(HWND window, COLORREF underneath)
    : Picture(ClientSize(window).right, ClientSize(window).bottom, underneath) {
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
}

Picture::Picture(const RECT& screenArea) {
  const WindowDc screen = GetWindowDc(nullptr);
  Copy(screen.get(), screenArea.left, screenArea.top, screenArea.right - screenArea.left,
       screenArea.bottom - screenArea.top);
}

void Picture::Copy(HDC source, int x, int y, int width, int height) {
  bitmap_.reset(CreateCompatibleBitmap(source, width, height));
  SelectObject(dc_.get(), bitmap_.get());
  REQUIRE(BitBlt(dc_.get(), 0, 0, width, height, source, x, y, SRCCOPY));
}

std::vector<COLORREF> Picture::Part(const RECT& area) const {
  std::vector<COLORREF> part;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) part.push_back(At(x, y));
  }
  return part;
}

int Picture::Count(const RECT& area, COLORREF colour) const {
  const std::vector<COLORREF> part = Part(area);
  return static_cast<int>(std::count(part.begin(), part.end(), colour));
}

void StoreSettings(const RegistryNumbers& settings) {
  static const RegistryNumbers colours = {
      {"HolidayColor", kHoliday}, {"OrdinaryColor", kOrdinary}, {"TodayColor", kToday},
      {"CircColor", kCircle},     {"BackColor", kBack},         {"RegularHoliday", 0x10204081}};
  DeleteProgramKeys();
  PutNumbers(kConfigKey, colours);
  PutNumbers(kConfigKey, settings);
}

void Inspect(const RegistryNumbers& settings,
             const std::function<void(CalendarWindow&, const Picture&)>& inspect) {
  StoreSettings(settings);
  RunningCalendar calendar;
  inspect(calendar.Window(), Picture(calendar.Handle()));
}

RECT BoxSide(const RECT& cell) {
  return {cell.left + 1, cell.top, cell.left + 2, cell.bottom};
}

constexpr COLORREF kHeadingUnpainted = RGB(1, 2, 3);

bool HeadingReads(RunningCalendar& calendar, const char* text) {
  const HWND handle = calendar.Handle();
  const Picture picture(handle, kHeadingUnpainted);
  const Picture expected(handle, kHeadingUnpainted);
  const RECT title = calendar.Window().TitleRect();
  const BrushHandle face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  FillRect(expected.Dc(), &title, face.get());
  SelectObject(expected.Dc(), calendar.Window().CalendarFont());
  SetTextColor(expected.Dc(), kBlack);
  SetBkMode(expected.Dc(), TRANSPARENT);
  SetTextAlign(expected.Dc(), TA_CENTER | TA_TOP);
  RECT client{};
  GetClientRect(handle, &client);
  TextOutA(expected.Dc(), client.right / 2, 0, text, static_cast<int>(std::strlen(text)));
  return picture.Count(title, kBlack) > 0 && picture.Part(title) == expected.Part(title);
}

}  // namespace tembori::testing
