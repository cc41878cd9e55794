// The help key of a top-level window. F1 reaches the window as command ID_HELP; a window
// that knows better what the user is doing (one tracking the mouse, the one with the focus,
// an open pop-up) may take the request by answering the help-request message. Otherwise the
// window gets ID_DEFAULT_HELP, which opens the help file at its default topic.
#pragma once

#include <windows.h>

namespace tembori {

// The message that offers a help request to a window (wParam 0, lParam 0); a window that
// answers non-zero has dealt with it.
UINT HelpRequestMessage();

// Offers the request along three chains, each a window followed by its parents or owners:
// from the window holding the mouse capture, from the focus window, and from the last active
// pop-up of `window`'s top-level window. The first non-zero answer ends it; when there is
// none, sends WM_COMMAND ID_DEFAULT_HELP to `window`. True when a window answered.
bool HandleHelpKey(HWND window);

}  // namespace tembori
