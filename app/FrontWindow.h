// Bringing the calendar to the front from anywhere: the tray icon, or a second start of the
// program.
#pragma once

#include <windows.h>

namespace tembori {

// Shows the window if it is hidden and restores it if it is minimised, and makes it the
// foreground window; while a dialog of it is open (the window is then disabled), the dialog
// it waits for comes to the front instead. Works on a window of another process as well.
void BringToFront(HWND window);

}  // namespace tembori
