// The memo pop-up window: owned, sized from its font, shown without taking the focus, kept on
// the screen, painted pale yellow with its text, gone with its owner; its fonts and brushes
// are not leaked.
#include <doctest.h>
#include <windows.h>

#include <string>

#include "CalendarHarness.h"
#include "app/MemoWindow.h"
#include "framework/GdiHandles.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

constexpr COLORREF kPaleYellow = RGB(255, 255, 192);

FontHandle MakeFont(const char* face) {
  return FontHandle(CreateFontA(-12, 0, 0, 0, 0, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, face));
}

}  // namespace

TEST_CASE("the pop-up: owned, sized from its font, inactive, kept on the screen, no leaks") {
  // A plain top-level window in front, as the calendar window would be.
  const HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                     300, 200, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(owner);
  MemoWindow popup;
  REQUIRE(popup.CreateMemoWindow(owner));
  const HWND handle = popup.Handle();
  CHECK(GetWindow(handle, GW_OWNER) == owner);

  // The pitch bit of the text metrics chooses the width per byte.
  const FontHandle proportional = MakeFont("ＭＳ Ｐゴシック");
  popup.SetMemoFont(proportional.get(), 96);
  CHECK(popup.Metrics().variablePitch);
  const FontHandle fixed = MakeFont("ＭＳ ゴシック");
  popup.SetMemoFont(fixed.get(), 96);
  const TEXTMETRICA metrics = MetricsOf(fixed.get());
  CHECK_FALSE(popup.Metrics().variablePitch);

  REQUIRE(popup.ShowMemo("0123456789", RECT{100, 100, 130, 118}));
  const RECT shown = WindowRect(handle);
  CHECK(shown.right - shown.left == 12 * metrics.tmAveCharWidth);
  CHECK(shown.bottom - shown.top == metrics.tmHeight + metrics.tmExternalLeading + 4);
  CHECK(GetForegroundWindow() == owner);  // shown without activation
  CHECK(SendMessageA(handle, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(owner),
                     MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)) == MA_NOACTIVATE);

  // Pale yellow behind black text; another text of the same length is painted anew.
  RECT client{};
  GetClientRect(handle, &client);
  UpdateWindow(handle);
  const Picture digits(handle);
  CHECK(digits.Count(client, kPaleYellow) > client.right * client.bottom / 2);
  CHECK(digits.Count(client, kBlack) > 0);
  REQUIRE(popup.ShowMemo("abcdefghij", RECT{100, 100, 130, 118}));
  UpdateWindow(handle);
  CHECK(Picture(handle).Part(client) != digits.Part(client));

  // At the right edge of the monitor holding the cell it moves left to end there.
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  REQUIRE(popup.ShowMemo("edge", RECT{screenWidth - 30, 100, screenWidth - 5, 118}));
  CHECK(WindowRect(handle).right == screenWidth);

  // Showing, painting and hiding it and changing its font leak no GDI objects.
  const int before = LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    popup.SetMemoFont(proportional.get(), 96);
    popup.ShowMemo("メモ " + std::to_string(i), RECT{100 + i, 100, 130 + i, 118});
    UpdateWindow(handle);
    popup.HideMemo();
  }
  CHECK(LiveGdiObjects() <= before);

  popup.HideMemo();
  CHECK_FALSE(IsWindowVisible(handle));
  DestroyWindow(owner);
  CHECK_FALSE(IsWindow(handle));
}
