// Creating, taking over and talking to standard controls.
#include "framework/ChildControl.h"

#include <commctrl.h>

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

int ComboBoxControl::AddString(const std::string& text) const {
  const LRESULT index =
      SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return index >= 0 ? static_cast<int>(index) : -1;
}

void ComboBoxControl::SetItemData(int index, LPARAM data) const {
  SendMessageA(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

LPARAM ComboBoxControl::ItemData(int index) const {
  return SendMessageA(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

int ComboBoxControl::Count() const {
  const LRESULT count = SendMessageA(Handle(), CB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<int>(count) : 0;
}

std::string ComboBoxControl::ItemText(int index) const {
  const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::vector<char> text(static_cast<std::size_t>(length) + 1);
  const LRESULT copied = SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
  return std::string(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
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
