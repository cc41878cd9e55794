// The memo pop-up window: made hidden and owned, sized from its font, shown below and right
// of a cell without taking the focus, kept on the screen, painted pale yellow with its text,
// hidden again, and gone with its owner; its fonts and brushes are not leaked.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/MemoPopupText.h"
#include "calendar/FixedClock.h"
#include "framework/GdiHandles.h"
#include "memo/win32/MemoWindow.h"
#include "memo/win32/PrivateProfileFile.h"
#include "settings/win32/RegistryStore.h"

using namespace tembori;

namespace {

constexpr COLORREF kPaleYellow = RGB(255, 255, 192);

// A plain top-level window in front, as the calendar window would be.
struct OwnerWindow {
  OwnerWindow() {
    static const WNDCLASSA kind{0,  &DefWindowProcA,   0, 0, GetModuleHandleA(nullptr), {}, {}, {},
                                {}, "TemboriMemoOwner"};
    static const ATOM windowClass = RegisterClassA(&kind);
    handle = CreateWindowExA(0, MAKEINTATOM(windowClass), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             50, 50, 300, 200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(handle);
  }
  ~OwnerWindow() {
    if (IsWindow(handle)) DestroyWindow(handle);
  }
  HWND handle;
};

FontHandle MakeFont(const char* face, int height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return FontHandle(CreateFontIndirectA(&font));
}

TEXTMETRICA MetricsOf(HFONT font) {
  const CreatedDc dc = CreateMemoryDc(nullptr);
  const ObjectSelection selected(dc.get(), font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  return metrics;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// The client area's pixels as painted.
std::vector<COLORREF> ClientPixels(HWND window) {
  UpdateWindow(window);
  RECT client{};
  GetClientRect(window, &client);
  const WindowDc dc = GetWindowDc(window);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
  }
  return pixels;
}

// GDI objects alive in this process: every index of the handle table that names one.
int LiveGdiObjects() {
  int count = 0;
  for (std::uintptr_t index = 1; index < 0x10000; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
  }
  return count;
}

}  // namespace

TEST_CASE("the pop-up is made hidden and owned, and not made without a valid owner") {
  MemoWindow orphan;
  CHECK_FALSE(orphan.CreateMemoWindow(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234))));
  CHECK(orphan.Handle() == nullptr);

  OwnerWindow owner;
  MemoWindow popup;
  REQUIRE(popup.CreateMemoWindow(owner.handle));
  const HWND handle = popup.Handle();
  CHECK(GetWindow(handle, GW_OWNER) == owner.handle);
  CHECK((GetWindowLongA(handle, GWL_STYLE) & ~WS_CLIPSIBLINGS) == (WS_POPUP | WS_BORDER));
  CHECK_FALSE(IsWindowVisible(handle));
  CHECK_FALSE(popup.IsShown());
  char title[32] = {};
  GetWindowTextA(handle, title, sizeof title);
  CHECK(std::string(title) == "MemoWindow");

  // Without a font nothing shows.
  CHECK_FALSE(popup.ShowMemo("memo", RECT{10, 10, 40, 30}));
  CHECK_FALSE(IsWindowVisible(handle));

  // Clicking it does not take the focus from the calendar.
  CHECK(SendMessageA(handle, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(owner.handle),
                     MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)) == MA_NOACTIVATE);

  DestroyWindow(owner.handle);
  CHECK_FALSE(IsWindow(handle));
  CHECK(popup.Handle() == nullptr);
}

TEST_CASE("the pop-up shows a text below and right of its cell, sized from its font") {
  OwnerWindow owner;
  MemoWindow popup;
  REQUIRE(popup.CreateMemoWindow(owner.handle));
  const HWND handle = popup.Handle();

  // The pitch bit of the text metrics chooses the width per byte.
  const FontHandle proportional = MakeFont("ＭＳ Ｐゴシック", -12);
  popup.SetMemoFont(proportional.get(), 96);
  CHECK(popup.Metrics().variablePitch);
  const FontHandle fixed = MakeFont("ＭＳ ゴシック", -12);
  popup.SetMemoFont(fixed.get(), 96);
  const TEXTMETRICA metrics = MetricsOf(fixed.get());
  CHECK_FALSE(popup.Metrics().variablePitch);
  CHECK(popup.Metrics().charWidth == metrics.tmAveCharWidth);
  CHECK(popup.Metrics().lineHeight == metrics.tmHeight + metrics.tmExternalLeading + 4);

  REQUIRE(popup.ShowMemo("0123456789", RECT{100, 100, 130, 118}));
  const RECT shown = WindowRect(handle);
  CHECK(shown.left == 130);
  CHECK(shown.top == 118);
  CHECK(shown.right - shown.left == 12 * metrics.tmAveCharWidth);
  CHECK(shown.bottom - shown.top == popup.Metrics().lineHeight);
  CHECK(IsWindowVisible(handle));
  CHECK(popup.IsShown());
  CHECK(GetForegroundWindow() == owner.handle);  // shown without activation
  CHECK(popup.Text() == "0123456789");

  // Pale yellow behind black text.
  const std::vector<COLORREF> digits = ClientPixels(handle);
  const auto count = [](const std::vector<COLORREF>& pixels, COLORREF colour) {
    return std::count(pixels.begin(), pixels.end(), colour);
  };
  CHECK(count(digits, kPaleYellow) > static_cast<long>(digits.size()) / 2);
  CHECK(count(digits, RGB(0, 0, 0)) > 0);
  // Another text of the same length is painted anew.
  REQUIRE(popup.ShowMemo("abcdefghij", RECT{100, 100, 130, 118}));
  CHECK(WindowRect(handle).right == shown.right);
  CHECK(ClientPixels(handle) != digits);

  // At the screen's right edge it moves left to end there; wider than the screen, it starts
  // at the left edge.
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  REQUIRE(popup.ShowMemo("edge", RECT{screenWidth - 30, 100, screenWidth - 5, 118}));
  CHECK(WindowRect(handle).right == screenWidth);
  REQUIRE(popup.ShowMemo(std::string(400, 'w'), RECT{screenWidth - 30, 100, screenWidth - 5, 118}));
  CHECK(WindowRect(handle).left == 0);

  popup.HideMemo();
  CHECK_FALSE(IsWindowVisible(handle));
  CHECK_FALSE(popup.IsShown());
}

TEST_CASE("showing, painting and hiding the pop-up and changing its font leak no GDI objects") {
  OwnerWindow owner;
  MemoWindow popup;
  REQUIRE(popup.CreateMemoWindow(owner.handle));
  const FontHandle font = MakeFont("ＭＳ Ｐゴシック", -12);
  popup.SetMemoFont(font.get(), 96);
  popup.ShowMemo("warm-up", RECT{100, 100, 130, 118});
  UpdateWindow(popup.Handle());
  popup.HideMemo();
  const int before = LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    popup.SetMemoFont(font.get(), 96);
    popup.ShowMemo("メモ " + std::to_string(i), RECT{100 + i, 100, 130 + i, 118});
    UpdateWindow(popup.Handle());
    popup.HideMemo();
  }
  CHECK(LiveGdiObjects() <= before);
}

TEST_CASE("the pop-up shows a day's memo, else its name, else nothing") {
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tembori\\Memo");
  FixedClock clock(MakeDate(2003, 11, 12));
  RegistryStore registry;
  PrivateProfileFile files;
  Settings settings;
  MonthCalendar calendar(clock, registry, settings);
  calendar.RecomputeYear();
  MemoStore store(calendar, settings, registry, files);
  CHECK(PopupTextForDay(store, calendar, 3) == "文化の日");
  CHECK(PopupTextForDay(store, calendar, 4) == std::nullopt);
  std::string old;
  REQUIRE(store.BeginEdit(3, old));
  REQUIRE(store.CommitEdit(3, "memo first") == MemoSaveResult::Saved);
  CHECK(PopupTextForDay(store, calendar, 3) == "memo first");
  calendar.SetYear(2004);  // the registry's memo shows in every year
  CHECK(PopupTextForDay(store, calendar, 3) == "memo first");
  calendar.GoToToday();
  calendar.NextMonth();
  calendar.NextMonth();  // January 2004
  CHECK(PopupTextForDay(store, calendar, 1) == "A Happy New Year!!");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tembori\\Memo");
}
