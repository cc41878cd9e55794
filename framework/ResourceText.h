// Texts of the string table and the message boxes that show them, with the caption that the
// application gives.
#pragma once

#include <windows.h>

#include <string>

namespace tembori {

// The string-table entry in the system code page, whatever its length; empty when missing.
std::string LoadResourceString(UINT stringId);

// A message box with an OK button (or the buttons of `type`) over the main window, captioned
// with the application's MessageCaption; returns the button chosen.
int ShowMessage(const std::string& text, UINT type = MB_OK);
int ShowMessage(UINT stringId, UINT type = MB_OK);
// The same over another window, such as a dialog that stays open.
int ShowMessageOver(HWND owner, UINT stringId, UINT type = MB_OK);

}  // namespace tembori
