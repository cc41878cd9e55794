// The calendar on a display at 150 %: this program measures the window at the session's 96
// DPI, then runs itself again with the prefix's LogPixels at 144, where the tests of the
// "at 144 DPI" suite (skipped in the first run) look at the window: its size in proportion,
// the 150 % padlock, fonts of the right height, and a change of DPI to 192 with the place
// the system suggests.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CalendarHarness.h"
#include "ChildProcess.h"
#include "framework/DisplayDpi.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

constexpr int kTestDpi = 144;
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kDpiValue[] = "LogPixels";
// Set for the second run: the 96 DPI measurements.
constexpr char kMeasuredAt96[] = "TEMBORI_TEST_MEASURED_AT_96";

constexpr char kGothic[] = "ＭＳ ゴシック";
constexpr int kPoints = 12;

// The window's sizes and its font's height, as measured at 96 DPI and handed to the second run.
struct Measured {
  int cellWidth = 0, cellHeight = 0, clientWidth = 0, clientHeight = 0, fontHeight = 0;
};

void StoreGothicSettings() {
  StoreSettings({{"CharSet", SHIFTJIS_CHARSET}});
  PutValue(kConfigKey, "TypeFace", REG_SZ, kGothic, std::strlen(kGothic) + 1);
  const std::string points = std::to_string(kPoints);
  PutValue(kConfigKey, "PointSize", REG_SZ, points.c_str(), points.size() + 1);
}

Measured Measure(CalendarWindow& window) {
  RECT client{};
  GetClientRect(window.Handle(), &client);
  return {window.Cell().width, window.Cell().height, client.right, client.bottom,
          MetricsOf(window.CalendarFont()).tmHeight};
}

// LogPixels of the prefix set for as long as the object lives, and then as it was.
struct LogPixelsOverride {
  explicit LogPixelsOverride(DWORD dpi) {
    DWORD size = sizeof previous;
    had = RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, kDpiValue, RRF_RT_REG_DWORD, nullptr,
                       &previous, &size) == ERROR_SUCCESS;
    REQUIRE(Set(dpi) == ERROR_SUCCESS);
  }
  ~LogPixelsOverride() {
    if (had) {
      Set(previous);
    } else {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kDpiValue);
    }
  }
  static LONG Set(DWORD dpi) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, kDpiValue, REG_DWORD, &dpi, sizeof dpi);
  }
  DWORD previous = 0;
  bool had = false;
};

// This program again, with the tests of the suite "at 144 DPI", started while the prefix's
// LogPixels says 144 (a program takes the system's DPI once, at its first use); its exit status.
DWORD RunAtTestDpi(const Measured& at96) {
  char measured[128];
  std::snprintf(measured, sizeof measured, "%d %d %d %d %d", at96.cellWidth, at96.cellHeight,
                at96.clientWidth, at96.clientHeight, at96.fontHeight);
  SetEnvironmentVariableA(kMeasuredAt96, measured);
  const LogPixelsOverride override(kTestDpi);
  ChildProcess child(ThisProgram(), "--no-skip -ts=\"at 144 DPI\"");
  REQUIRE(child.Started());
  return child.Finish(90000);
}

Measured MeasuredAt96() {
  char text[128] = {};
  REQUIRE(GetEnvironmentVariableA(kMeasuredAt96, text, sizeof text) > 0);
  Measured at96;
  REQUIRE(std::sscanf(text, "%d %d %d %d %d", &at96.cellWidth, &at96.cellHeight, &at96.clientWidth,
                      &at96.clientHeight, &at96.fontHeight) == 5);
  return at96;
}

// The window measured now is the one at 96 DPI scaled to `dpi`, within a pixel per cell, in
// the calendar font made for `dpi`.
void CheckScaled(const Measured& now, const Measured& at96, int dpi) {
  const auto scaled = [dpi](int value, int reference, double slack) {
    return std::abs(value - reference * dpi / 96.0) <= slack;
  };
  CHECK(scaled(now.cellWidth, at96.cellWidth, 1));
  CHECK(scaled(now.cellHeight, at96.cellHeight, 1));
  CHECK(scaled(now.clientWidth, at96.clientWidth, 7 + 1));
  CHECK(scaled(now.clientHeight, at96.clientHeight, 8 + 1));
  CHECK(scaled(now.fontHeight, at96.fontHeight, 1));
}

// The image generator's bitmap file `name` in the build tree, seen through Wine's drive for
// the root directory.
HBITMAP DrawnBitmap(const std::string& name) {
  std::string path = std::string("Z:") + TEMBORI_IMAGE_DIR + "/" + name + ".bmp";
  std::replace(path.begin(), path.end(), '/', '\\');
  return static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

// Every pixel of the padlock (where its mask is 0) in `area` of the picture is the one that
// the image generator draws at that scale (the program enlarges the 100 % padlock itself).
void CheckPadlock(const Picture& picture, const RECT& area, const char* scale) {
  const BitmapHandle imageBitmap(DrawnBitmap(std::string("padlock-closed-") + scale));
  const BitmapHandle maskBitmap(DrawnBitmap(std::string("padlock-closed-mask-") + scale));
  REQUIRE(imageBitmap);
  REQUIRE(maskBitmap);
  BITMAP size{};
  GetObjectA(imageBitmap.get(), sizeof size, &size);
  CHECK(size.bmWidth == area.right - area.left);
  CHECK(size.bmHeight == area.bottom - area.top);
  const CreatedDc imageDc = CreateMemoryDc(nullptr), maskDc = CreateMemoryDc(nullptr);
  SelectObject(imageDc.get(), imageBitmap.get());
  SelectObject(maskDc.get(), maskBitmap.get());
  int padlockPixels = 0, differing = 0;
  for (int y = 0; y < size.bmHeight; ++y) {
    for (int x = 0; x < size.bmWidth; ++x) {
      if (GetPixel(maskDc.get(), x, y) != RGB(0, 0, 0)) continue;
      ++padlockPixels;
      if (picture.At(area.left + x, area.top + y) != GetPixel(imageDc.get(), x, y)) ++differing;
    }
  }
  CHECK(padlockPixels > size.bmWidth * size.bmHeight / 3);
  CHECK(differing == 0);
}

}  // namespace

TEST_CASE("on a display at 150 % the calendar is laid out and drawn for it") {
  StoreGothicSettings();
  Measured at96;
  {
    RunningCalendar calendar;
    REQUIRE(calendar.Window().Dpi() == 96);
    at96 = Measure(calendar.Window());
  }
  CHECK(RunAtTestDpi(at96) == 0);
}

TEST_SUITE("at 144 DPI" * doctest::skip()) {
  TEST_CASE("the window is made for 144 DPI, and again for 192 at the place the system suggests") {
    REQUIRE(SystemDpi() == kTestDpi);
    const Measured at96 = MeasuredAt96();
    StoreGothicSettings();
    RunningCalendar calendar;
    CalendarWindow& window = calendar.Window();
    const HWND handle = window.Handle();
    const int gdiObjects = LiveGdiObjects();
    // Each time one and a half or two times the size at 96 DPI, the padlock of its scale in a
    // button of its size.
    const auto checkMadeFor = [&](int dpi, const char* padlockScale) {
      CAPTURE(dpi);
      CHECK(window.Dpi() == dpi);
      CheckScaled(Measure(window), at96, dpi);
      CheckPadlock(Picture(handle), ChildRect(handle, ID_MODE_BUTTON), padlockScale);
    };
    checkMadeFor(kTestDpi, "150");
    // The settings keep the size in points, as at 96 DPI.
    CHECK(calendar.UserSettings().PointSize == std::to_string(kPoints));

    RECT suggested{120, 90, 120 + 2 * at96.clientWidth, 90 + 2 * at96.clientHeight};
    SendMessageA(handle, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    const RECT placed = WindowRect(handle);
    CHECK(placed.left == suggested.left);
    CHECK(placed.top == suggested.top);
    checkMadeFor(192, "200");
    // The year field's font is the system's made for 192 DPI as well; so is the memo
    // pop-up's, with two pixels above and below its text at 96 DPI, scaled.
    const auto yearFont =
        reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(handle, IDC_YEAR_FIELD), WM_GETFONT, 0, 0));
    NONCLIENTMETRICSA system{};
    system.cbSize = sizeof system;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0);
    LOGFONTA yearLogFont{};
    GetObjectA(yearFont, sizeof yearLogFont, &yearLogFont);
    CHECK(yearLogFont.lfHeight == MulDiv(system.lfSmCaptionFont.lfHeight, 192, kTestDpi));
    const TEXTMETRICA year = MetricsOf(yearFont);
    CHECK(window.MemoPopup().Metrics().lineHeight ==
          year.tmHeight + year.tmExternalLeading + MulDiv(4, 192, 96));

    // Back to 144: the old fonts are freed, none left behind.
    suggested = {100, 80, 100 + at96.clientWidth * 3 / 2, 80 + at96.clientHeight * 3 / 2};
    SendMessageA(handle, WM_DPICHANGED, MAKEWPARAM(kTestDpi, kTestDpi),
                 reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    CheckScaled(Measure(window), at96, kTestDpi);
    CHECK(LiveGdiObjects() <= gdiObjects);
  }
}
