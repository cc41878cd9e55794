// The calendar window as it starts: its class, title and style, a size measured from the
// real calendar font, the places and visibility of its five child controls, framed and
// frameless, and the font that start-up copies back into the settings.
#include <doctest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "res/ResourceIds.h"
#include "tests/wine/support/WindowTestSupport.h"

using namespace tembori;
using namespace tembori::test;

namespace {

constexpr char kGothic[] = "ＭＳ ゴシック";                // fixed pitch
constexpr char kProportionalGothic[] = "ＭＳ Ｐゴシック";  // variable pitch

struct FontRequest {
  const char* typeFace;
  const char* pointSize;
  DWORD charSet;
};

void StartFrom(const FontRequest& font, std::initializer_list<ConfigNumber> more) {
  DeleteProgramKeys();
  PutConfigText("TypeFace", font.typeFace);
  PutConfigText("PointSize", font.pointSize);
  PutConfig({{"CharSet", font.charSet}});
  PutConfig(more);
}

TEXTMETRICA MetricsOf(HWND window, HFONT font) {
  const HDC dc = GetDC(window);
  const HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return metrics;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

}  // namespace

TEST_CASE("the window's size comes from its calendar font") {
  const struct {
    FontRequest font;
    DWORD squeeze;
    bool variablePitch;
  } cases[] = {
      {{kProportionalGothic, "12", 128}, 0, true},
      {{kProportionalGothic, "12", 128}, 1, true},
      {{kGothic, "12", 128}, 0, false},
      {{kGothic, "12", 128}, 1, false},
  };
  for (const auto& c : cases) {
    const std::string face = c.font.typeFace;
    CAPTURE(face);
    CAPTURE(c.squeeze);
    StartFrom(c.font, {{"Squeeze", c.squeeze}});
    RunningCalendar calendar;
    REQUIRE(calendar.Started());
    const HWND window = calendar.Handle();

    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    CHECK(std::string(className) == "Tembori");
    CHECK(WindowText(window) == "Tembori");
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    CHECK((style & 0x2CA0000) == 0x2CA0000);
    CHECK((style & WS_VISIBLE) != 0);
    CHECK((style & (WS_THICKFRAME | WS_MAXIMIZEBOX)) == 0);

    const TEXTMETRICA metrics = MetricsOf(window, calendar.Window().CalendarFont());
    // The platform sets this bit for variable-pitch fonts.
    REQUIRE(((metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0) == c.variablePitch);
    const int padding = c.squeeze ? 0 : 1;
    const int w = c.variablePitch ? (metrics.tmAveCharWidth + padding) * 4
                                  : (metrics.tmAveCharWidth + 2 * padding) * 3;
    const int h = metrics.tmHeight + metrics.tmExternalLeading + 2 * padding;
    CHECK(calendar.Window().Cell().width == w);
    CHECK(calendar.Window().Cell().height == h);
    const SIZE client = ClientSize(window);
    CHECK(client.cx == 7 * w + 4);
    CHECK(client.cy == 8 * h + 28);
    CHECK(SameRect(calendar.Window().GridRect(), {2, h + 2, 7 * w + 2, 8 * h + 2}));
  }
}

TEST_CASE(
    "the child controls sit in the heading row and the bottom strip, and only with the frame") {
  for (const DWORD noFrame : {0u, 1u}) {
    CAPTURE(noFrame);
    StartFrom({"", "", 128}, {{"NoFrame", noFrame}});
    RunningCalendar calendar;
    REQUIRE(calendar.Started());
    const HWND window = calendar.Handle();
    const int w = calendar.Window().Cell().width;
    const int h = calendar.Window().Cell().height;
    const SIZE client = ClientSize(window);
    const int controls[] = {ID_MODE_BUTTON, ID_NEXT_MONTH, ID_PREV_MONTH, IDC_YEAR_FIELD,
                            IDC_YEAR_SPIN};

    if (noFrame) {
      CHECK((GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == 0);
      CHECK(client.cx == 7 * w);
      CHECK(client.cy == 7 * h);
      CHECK(SameRect(calendar.Window().GridRect(), {0, 0, 7 * w, 7 * h}));
      for (const int id : controls) {
        CAPTURE(id);
        CHECK(!IsWindowVisible(GetDlgItem(window, id)));
      }
      continue;
    }
    const int right = 7 * w + 4, bottom = 8 * h + 4;  // of the sunken box
    const struct {
      int id;
      RECT rect;
    } expected[] = {
        {ID_PREV_MONTH, {0, 0, w, h}},
        {ID_NEXT_MONTH, {client.cx - w, 0, client.cx, h}},
        {ID_MODE_BUTTON, {4, bottom + 2, 24, bottom + 22}},
        {IDC_YEAR_FIELD, {right - 68, bottom + 2, right - 20, bottom + 22}},
        {IDC_YEAR_SPIN, {right - 20, bottom + 2, right - 4, bottom + 22}},
    };
    for (const auto& control : expected) {
      CAPTURE(control.id);
      CHECK(IsWindowVisible(GetDlgItem(window, control.id)));
      CHECK(SameRect(ChildRect(window, control.id), control.rect));
    }
    // The spin keeps the field within the years the calendar knows, starting at the shown one.
    const HWND spin = GetDlgItem(window, IDC_YEAR_SPIN);
    int lowest = 0, highest = 0;
    SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest),
                 reinterpret_cast<LPARAM>(&highest));
    CHECK(lowest == 1851);
    CHECK(highest == 2150);
    CHECK(WindowText(GetDlgItem(window, IDC_YEAR_FIELD)) == "2003");
  }
}

TEST_CASE("after start-up the settings describe the font on the screen") {
  const struct {
    FontRequest font;
    const char* expectedFace;  // null: whatever the system's caption font is
  } cases[] = {
      {{"", "", 128}, nullptr},
      {{kGothic, "16", 128}, kGothic},
      {{kGothic, "16", 1}, nullptr},  // a character set the calendar does not take
  };
  for (const auto& c : cases) {
    const std::string face = c.font.typeFace;
    CAPTURE(face);
    CAPTURE(c.font.charSet);
    StartFrom(c.font, {});
    RunningCalendar calendar;
    REQUIRE(calendar.Started());
    const HFONT font = calendar.Window().CalendarFont();
    LOGFONTA logFont{};
    REQUIRE(GetObjectA(font, sizeof logFont, &logFont) == sizeof logFont);
    const TEXTMETRICA metrics = MetricsOf(calendar.Handle(), font);
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    const Settings& settings = calendar.App().UserSettings();
    CHECK(settings.TypeFace == logFont.lfFaceName);
    CHECK(!settings.TypeFace.empty());
    if (c.expectedFace != nullptr) {
      CHECK(settings.TypeFace == c.expectedFace);
    } else {
      CHECK(settings.TypeFace != kGothic);
    }
    CHECK(settings.PointSize ==
          std::to_string(MulDiv(metrics.tmHeight - metrics.tmInternalLeading, 72, dpi)));
    CHECK(settings.CharSet == logFont.lfCharSet);
  }
}
