// The calendar in another colour scheme: the heading and the month arrows take the button
// text colour, the padlock shows on the dark face, and all is drawn again as soon as the
// scheme changes.
#include <doctest.h>
#include <windows.h>

#include "CalendarHarness.h"
#include "res/ResourceIds.h"

using namespace tembori::testing;

namespace {

constexpr COLORREF kDarkFace = RGB(32, 32, 48);
constexpr COLORREF kLightText = RGB(250, 240, 16);

// The button colours of a dark scheme while it lives; the old ones come back after.
class DarkButtons {
 public:
  DarkButtons() : face_(GetSysColor(COLOR_BTNFACE)), text_(GetSysColor(COLOR_BTNTEXT)) {
    Set(kDarkFace, kLightText);
  }
  ~DarkButtons() { Set(face_, text_); }
  DarkButtons(const DarkButtons&) = delete;
  DarkButtons& operator=(const DarkButtons&) = delete;

 private:
  static void Set(COLORREF face, COLORREF text) {
    const INT elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF colours[] = {face, text};
    SetSysColors(2, elements, colours);
  }
  const COLORREF face_, text_;
};

}  // namespace

TEST_CASE("a dark scheme shows the heading, the arrows and the padlock in the button text colour") {
  StoreSettings({});
  RunningCalendar calendar;
  const HWND handle = calendar.Handle();
  const auto lightPixels = [&](const RECT& area) {
    return Picture(handle).Count(area, kLightText);
  };
  const RECT heading = calendar.Window().TitleRect();
  CHECK(lightPixels(heading) == 0);

  const DarkButtons dark;
  // The scheme's change reaches the window, which draws itself again without being asked.
  PumpMessages();
  CHECK(lightPixels(heading) > 0);
  CHECK(Picture(handle).Count(heading, kDarkFace) > 0);
  for (const int button : {ID_PREV_MONTH, ID_NEXT_MONTH}) {
    CAPTURE(button);
    CHECK(lightPixels(ChildRect(handle, button)) > 0);
  }
  // The padlock keeps its dark yellow body, which no face but a dark yellow one hides.
  CHECK(Picture(handle).Count(ChildRect(handle, ID_MODE_BUTTON), kDarkYellow) > 100);
}
