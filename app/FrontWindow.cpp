// Restoring and activating the calendar or the dialog that it waits for.
#include "app/FrontWindow.h"

namespace tembori {

void BringToFront(HWND window) {
  if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  // A disabled window waits for its last active pop-up, which may itself wait for a message
  // box of its own.
  HWND front = window;
  while (!IsWindowEnabled(front)) {
    const HWND popup = GetLastActivePopup(front);
    if (popup == nullptr || popup == front) break;
    front = popup;
  }
  SetForegroundWindow(front);
}

}  // namespace tembori
