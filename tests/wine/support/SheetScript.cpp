// Playing a script of steps inside the settings sheet's modal loop.
#include "SheetScript.h"

#include <doctest.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <prsht.h>

#include <deque>
#include <string>

#include "CalendarHarness.h"
#include "res/ResourceIds.h"

namespace tembori::testing {

HWND FindSheet() {
  return FindWindowA("#32770", "Temboriのﾌﾟﾛﾊﾟﾃｨ");
}

HWND FindDialogOwnedBy(HWND sheet) {
  const HWND popup = GetLastActivePopup(sheet);
  return popup != sheet && IsWindowVisible(popup) ? popup : nullptr;
}

void PlaySheetScript(std::vector<Step> steps, const std::function<void()>& openSheet) {
  std::deque<Step> script(steps.begin(), steps.end());
  int idleTicks = 0;
  DuringModalLoop(openSheet, [&] {
    const HWND sheet = FindSheet();
    if (sheet == nullptr) return false;
    if (!script.empty() && script.front()(sheet)) {
      script.pop_front();
      idleTicks = 0;
    } else if (++idleTicks > 200) {
      // A step that can never happen, or a sheet left open: give up rather than wait for ever.
      if (const HWND dialog = FindDialogOwnedBy(sheet))
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
    return false;
  });
  CHECK_MESSAGE(script.empty(), "a step of the script never happened");
  CHECK(!IsWindow(FindSheet()));
}

HWND Page(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}
HWND Control(HWND sheet, int id) {
  return GetDlgItem(Page(sheet), id);
}
void Click(HWND sheet, int id) {
  SendMessageA(Control(sheet, id), BM_CLICK, 0, 0);
}
void ShowTab(HWND sheet, int tab) {
  SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(tab), 0);
}
void Press(HWND sheet, int button) {
  SendMessageA(GetDlgItem(sheet, button), BM_CLICK, 0, 0);
}
bool ApplyEnabled(HWND sheet) {
  return IsWindowEnabled(GetDlgItem(sheet, ID_APPLY_NOW)) != FALSE;
}
std::string Text(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace tembori::testing
