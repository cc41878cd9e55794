// The calendar window as it starts: its class, title and style, a size measured from the
// real calendar font, the font that start-up copies back into the settings, and the places
// and visibility of its five child controls, framed and frameless.
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

// The face that the calendar falls back to: a copy of the system's small caption font.
std::string CaptionFace() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfSmCaptionFont.lfFaceName;
}

}  // namespace

TEST_CASE("the window's size comes from its calendar font, which start-up puts in the settings") {
  enum class Pitch { Variable, Fixed, Either };
  const struct {
    FontRequest font;
    DWORD squeeze;
    Pitch pitch;
  } cases[] = {
      {{kProportionalGothic, "12", 128}, 0, Pitch::Variable},
      {{kProportionalGothic, "12", 128}, 1, Pitch::Variable},
      {{kGothic, "12", 128}, 0, Pitch::Fixed},
      {{kGothic, "16", 128}, 1, Pitch::Fixed},
      {{"", "", 128}, 0, Pitch::Either},
      {{kGothic, "12", 1}, 0, Pitch::Either},  // a character set the calendar does not take
  };
  for (const auto& c : cases) {
    const std::string face = c.font.typeFace;
    CAPTURE(face);
    CAPTURE(c.font.charSet);
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

    const HFONT font = calendar.Window().CalendarFont();
    const TEXTMETRICA metrics = MetricsOf(window, font);
    // The platform sets this bit for variable-pitch fonts.
    const bool variablePitch = (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0;
    if (c.pitch != Pitch::Either) REQUIRE(variablePitch == (c.pitch == Pitch::Variable));
    const int padding = c.squeeze ? 0 : 1;
    const int w = variablePitch ? (metrics.tmAveCharWidth + padding) * 4
                                : (metrics.tmAveCharWidth + 2 * padding) * 3;
    const int h = metrics.tmHeight + metrics.tmExternalLeading + 2 * padding;
    CHECK(calendar.Window().Cell().width == w);
    CHECK(calendar.Window().Cell().height == h);
    const SIZE client = ClientSize(window);
    CHECK(client.cx == 7 * w + 4);
    CHECK(client.cy == 8 * h + 28);
    CHECK(SameRect(calendar.Window().GridRect(), {2, h + 2, 7 * w + 2, 8 * h + 2}));

    // The settings hold the font on the screen, not the request.
    LOGFONTA logFont{};
    REQUIRE(GetObjectA(font, sizeof logFont, &logFont) == sizeof logFont);
    const Settings& settings = calendar.App().UserSettings();
    CHECK(settings.TypeFace == (c.pitch == Pitch::Either ? CaptionFace() : face));
    CHECK(settings.TypeFace == logFont.lfFaceName);
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    CHECK(settings.PointSize ==
          std::to_string(MulDiv(metrics.tmHeight - metrics.tmInternalLeading, 72, dpi)));
    CHECK(settings.CharSet == logFont.lfCharSet);
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
