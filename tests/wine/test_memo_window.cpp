// The memo pop-up window: owned, sized from its font, shown below and right of a cell without
// taking the focus, kept on the screen, painted pale yellow with its text, gone with its
// owner; its fonts and brushes are not leaked.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "CalendarHarness.h"
#include "app/MemoWindow.h"
#include "framework/GdiHandles.h"

using namespace tembori;
using tembori::testing::LiveGdiObjects;
using tembori::testing::MetricsOf;
using tembori::testing::WindowRect;

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

}  // namespace

TEST_CASE("the pop-up: owned, shown below and right of its cell sized from its font, inactive") {
  MemoWindow orphan;
  CHECK_FALSE(orphan.CreateMemoWindow(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234))));

  OwnerWindow owner;
  MemoWindow popup;
  REQUIRE(popup.CreateMemoWindow(owner.handle));
  const HWND handle = popup.Handle();
  CHECK(GetWindow(handle, GW_OWNER) == owner.handle);
  CHECK_FALSE(popup.ShowMemo("memo", RECT{10, 10, 40, 30}));  // without a font, nothing
  CHECK_FALSE(IsWindowVisible(handle));

  // The pitch bit of the text metrics chooses the width per byte.
  const FontHandle proportional = MakeFont("ＭＳ Ｐゴシック", -12);
  popup.SetMemoFont(proportional.get(), 96);
  CHECK(popup.Metrics().variablePitch);
  const FontHandle fixed = MakeFont("ＭＳ ゴシック", -12);
  popup.SetMemoFont(fixed.get(), 96);
  const TEXTMETRICA metrics = MetricsOf(fixed.get());
  CHECK_FALSE(popup.Metrics().variablePitch);

  REQUIRE(popup.ShowMemo("0123456789", RECT{100, 100, 130, 118}));
  const RECT shown = WindowRect(handle);
  CHECK(shown.left == 130);
  CHECK(shown.top == 118);
  CHECK(shown.right - shown.left == 12 * metrics.tmAveCharWidth);
  CHECK(shown.bottom - shown.top == metrics.tmHeight + metrics.tmExternalLeading + 4);
  CHECK(IsWindowVisible(handle));
  CHECK(GetForegroundWindow() == owner.handle);  // shown without activation
  CHECK(SendMessageA(handle, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(owner.handle),
                     MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)) == MA_NOACTIVATE);

  // Pale yellow behind black text; another text of the same length is painted anew.
  const std::vector<COLORREF> digits = ClientPixels(handle);
  CHECK(std::count(digits.begin(), digits.end(), kPaleYellow) >
        static_cast<long>(digits.size()) / 2);
  CHECK(std::count(digits.begin(), digits.end(), RGB(0, 0, 0)) > 0);
  REQUIRE(popup.ShowMemo("abcdefghij", RECT{100, 100, 130, 118}));
  CHECK(ClientPixels(handle) != digits);

  // At the right edge of the monitor holding the cell it moves left to end there.
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  REQUIRE(popup.ShowMemo("edge", RECT{screenWidth - 30, 100, screenWidth - 5, 118}));
  CHECK(WindowRect(handle).right == screenWidth);

  popup.HideMemo();
  CHECK_FALSE(IsWindowVisible(handle));
  CHECK_FALSE(popup.IsShown());
  DestroyWindow(owner.handle);
  CHECK_FALSE(IsWindow(handle));
  CHECK(popup.Handle() == nullptr);
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
