// The settings sheet driven from a timer inside its modal loop, as a user drives it: a script
// of steps, each tried at every tick until it can be taken, and the sheet's controls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tembori::testing {

// A step of the user's script; false: not yet possible, try again at the next tick.
using Step = std::function<bool(HWND sheet)>;

// Runs `openSheet` (which returns when the sheet has closed) with the steps played inside
// its modal loop; every step must have been taken and the sheet must be gone. A step that
// never becomes possible cancels the sheet instead of waiting for ever.
void PlaySheetScript(std::vector<Step> steps, const std::function<void()>& openSheet);

HWND FindSheet();
// A modal dialog that the sheet (or one of its pages) has opened.
HWND FindDialogOwnedBy(HWND sheet);

// The page shown, and one of its controls.
HWND Page(HWND sheet);
HWND Control(HWND sheet, int id);
// A click on a button of the page shown.
void Click(HWND sheet, int id);
void ShowTab(HWND sheet, int tab);
// OK, Cancel and Apply.
void Press(HWND sheet, int button);
bool ApplyEnabled(HWND sheet);
std::string Text(HWND window);

}  // namespace tembori::testing
