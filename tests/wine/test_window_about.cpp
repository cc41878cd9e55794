// The About box of the calendar window: opened by its command, modal over the window, with
// the program's version, and closed by OK.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/ResourceIds.h"
#include "tests/wine/support/WindowTestSupport.h"

using namespace tembori::test;

namespace {

// "ﾊﾞｰｼﾞｮﾝ情報(Tembori)": half-width katakana are one byte each in code page 932.
constexpr char kAboutCaption[] = "\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1(Tembori)";

BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
  reinterpret_cast<std::vector<std::string>*>(texts)->push_back(WindowText(child));
  return TRUE;
}

std::vector<std::string> ChildTexts(HWND dialog) {
  std::vector<std::string> texts;
  EnumChildWindows(dialog, &CollectText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

}  // namespace

TEST_CASE("the About command shows the version modally until OK is pressed") {
  DeleteProgramKeys();
  RunningCalendar calendar;
  REQUIRE(calendar.Started());
  const HWND window = calendar.Handle();

  HWND dialog = nullptr;
  std::string caption;
  std::vector<std::string> texts;
  bool ownerDisabled = false;
  {
    const DialogDriver driver(IDOK, [&](HWND shown) {
      dialog = shown;
      caption = WindowText(shown);
      texts = ChildTexts(shown);
      ownerDisabled = !IsWindowEnabled(window);
      CHECK(GetWindow(shown, GW_OWNER) == window);
    });
    SendMessageA(window, WM_COMMAND, ID_APP_ABOUT, 0);
    CHECK(driver.Answered());
  }
  CHECK(caption == kAboutCaption);
  CHECK(std::count(texts.begin(), texts.end(), "Tembori Version 2.63") == 1);
  CHECK(std::count(texts.begin(), texts.end(), "OK") == 1);
  CHECK(ownerDisabled);
  // Back from the modal call: the box is gone and the calendar takes input again.
  CHECK(!IsWindow(dialog));
  CHECK(IsWindowEnabled(window));
  CHECK(IsWindow(window));
}
