// The HTML Help component, loaded on the first help request and kept for the whole process.
// Only ContextHelp calls this; windows ask ContextHelp for help.
#pragma once

#include <windows.h>

namespace tembori {

// The commands the program gives the viewer.
constexpr UINT kHelpDisplayTopic = 0;      // open a file at a topic (its default when none)
constexpr UINT kHelpPopupForControl = 17;  // pop-up text of a control, data = topic table

constexpr DWORD kHelpControlPathSize = 260;  // MAX_PATH

// Where the system registered the HTML Help control: its file path from the default value of
// HKEY_CLASSES_ROOT\CLSID\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\InprocServer32, always
// ended by a zero byte, its environment variables expanded when stored as REG_EXPAND_SZ;
// false when there is no such value or it does not fit.
bool FindHtmlHelpControl(char (&path)[kHelpControlPathSize]);

// Calls the viewer's entry point (ordinal 14 of the control) with the arguments unchanged
// and returns its result. The control is looked for on the first call only: first where the
// registry says, then as "hhctrl.ocx" in the system directory. When it cannot be loaded
// or lacks the entry point, this and every later call of the process return null.
HWND CallHtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data);

}  // namespace tembori
