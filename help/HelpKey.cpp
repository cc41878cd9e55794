// Offering the help key to the windows that may know the context.
#include "help/HelpKey.h"

#include "res/ResourceIds.h"

namespace tembori {
namespace {

// A child's parent, or a top-level window's owner.
HWND ParentOrOwner(HWND window) {
  if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0) return GetParent(window);
  return GetWindow(window, GW_OWNER);
}

bool OfferAlong(HWND first) {
  for (HWND window = first; window != nullptr; window = ParentOrOwner(window)) {
    if (SendMessageA(window, HelpRequestMessage(), 0, 0) != 0) return true;
  }
  return false;
}

}  // namespace

UINT HelpRequestMessage() {
  // A message of its own, so that no window's other messages are taken for it.
  static const UINT message = RegisterWindowMessageA("Tembori.HelpRequest");
  return message;
}

bool HandleHelpKey(HWND window) {
  const HWND topLevel = GetAncestor(window, GA_ROOT);
  if (OfferAlong(GetCapture()) || OfferAlong(GetFocus()) ||
      OfferAlong(GetLastActivePopup(topLevel != nullptr ? topLevel : window))) {
    return true;
  }
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_DEFAULT_HELP, 0), 0);
  return false;
}

}  // namespace tembori
