// Creating, taking over and talking to standard controls.
#include "framework/ChildControl.h"

#include <commctrl.h>

#include <string>
#include <vector>

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

int UpDownControl::Position() const {
  return static_cast<int>(SendMessageA(Handle(), UDM_GETPOS32, 0, 0));
}

std::size_t ComboBoxControl::AddStrings(const std::vector<std::string>& texts) const {
  std::size_t bytes = 0;
  for (const std::string& text : texts) bytes += text.size() + 1;
  SendMessageA(Handle(), CB_INITSTORAGE, texts.size(), static_cast<LPARAM>(bytes));
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  std::size_t added = 0;
  while (added < texts.size() &&
         SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[added].c_str())) >=
             0) {
    ++added;
  }
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  // A list not shown yet (its page is being made) is drawn when it is shown.
  if (IsWindowVisible(Handle())) {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  return added;
}

int ComboBoxControl::Count() const {
  const LRESULT count = SendMessageA(Handle(), CB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<int>(count) : 0;
}

int ComboBoxControl::Selection() const {
  return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void ComboBoxControl::Select(int index) const {
  SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ComboBoxControl::ResetContent() const {
  SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
}

void ComboBoxControl::LimitText(int maxBytes) const {
  SendMessageA(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(maxBytes), 0);
}

void StaticControl::SetText(const std::string& text) const {
  SetWindowTextA(Handle(), text.c_str());
}

void StaticControl::SetFont(HFONT font) const {
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace tembori
