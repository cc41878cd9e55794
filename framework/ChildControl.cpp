// Creating, taking over and talking to standard controls.
#include "framework/ChildControl.h"

#include <commctrl.h>

namespace tembori {

bool ChildControl::Create(DWORD exStyle, const char* className, DWORD style, const RECT& rect,
                          HWND parent, int controlId) {
  const HWND control = CreateWindowExA(exStyle, className, "", style, rect.left, rect.top,
                                       rect.right - rect.left, rect.bottom - rect.top, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                       GetModuleHandleA(nullptr), nullptr);
  Attach(control);
  return control != nullptr;
}

bool ButtonControl::OnReflectedMessage(const Message& message, LRESULT& result) {
  if (message.id != WM_DRAWITEM) return false;
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam));
  result = TRUE;
  return true;
}

void EditControl::LimitText(int maxBytes) const {
  SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxBytes), 0);
}

void UpDownControl::SetBuddy(HWND buddy) const {
  SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
}

void UpDownControl::SetRange(int lower, int upper) const {
  SendMessageA(Handle(), UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
}

void UpDownControl::SetPosition(int position) const {
  SendMessageA(Handle(), UDM_SETPOS, 0, MAKELPARAM(position, 0));
}

}  // namespace tembori
