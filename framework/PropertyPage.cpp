// Pages of a property sheet: binding, the sheet's notifications and the modified state.
#include "framework/PropertyPage.h"

#include <commctrl.h>

#include "framework/PropertySheetWindow.h"

namespace tembori {

void PropertyPage::SetModified(bool modified) const {
  if (Handle() == nullptr || (modified && loading_)) return;
  SendMessageA(GetParent(Handle()), modified ? PSM_CHANGED : PSM_UNCHANGED,
               reinterpret_cast<WPARAM>(Handle()), 0);
}

void PropertyPage::OnSetActive() {
  if (shownBefore_) {
    loading_ = true;
    UpdateData(false);
    loading_ = false;
  }
  shownBefore_ = true;
}

bool PropertyPage::OnKillActive() {
  return UpdateData(true);
}

bool PropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const Message message{WM_COMMAND, wParam, lParam};
  switch (NotificationCode(message)) {
    case BN_CLICKED:
    case EN_CHANGE:
    case CBN_EDITCHANGE:
    case CBN_SELENDOK:
      // From a control (a menu or an accelerator brings no window).
      if (lParam == 0) break;
      for (const int known : exchanged_) {
        if (known == static_cast<int>(CommandId(message))) SetModified(true);
      }
      break;
    default:
      break;
  }
  return Dialog::OnCommand(wParam, lParam);
}

bool PropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
  if (header.hwndFrom != GetParent(Handle())) return Dialog::OnNotify(wParam, lParam, result);
  switch (header.code) {
    case PSN_SETACTIVE:
      OnSetActive();
      result = 0;
      return true;
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      return true;
    case PSN_APPLY:
      OnOK();
      // Sent for OK (lParam true) and, unless the sheet handles its Apply button itself,
      // for Apply.
      if (reinterpret_cast<const PSHNOTIFY*>(lParam)->lParam != 0 && sheet_ != nullptr) {
        sheet_->confirmed_ = true;
      }
      result = PSNRET_NOERROR;
      return true;
    case PSN_RESET:
      OnCancel();
      result = 0;
      return true;
    default:
      return Dialog::OnNotify(wParam, lParam, result);
  }
}

const RouteTable& PropertyPage::Routes() const {
  static const RouteTable table(&Window::Routes());
  return table;
}

// A square of 8 dialog units' height, 3 units left of the label, in the page's client
// coordinates.
void PropertyPage::DrawSwatchBeside(HDC dc, int labelId, COLORREF color) const {
  RECT label{};
  GetWindowRect(Item(labelId), &label);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&label), 2);
  RECT units{0, 0, 3, 8};
  MapDialogRect(Handle(), &units);
  const int side = units.bottom;
  const RECT swatch{label.left - units.right - side, label.top, label.left - units.right,
                    label.top + side};
  SetDCBrushColor(dc, color);
  FillRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  FrameRect(dc, &swatch, GetSysColorBrush(COLOR_BTNTEXT));
}

PROPSHEETPAGEA PropertyPage::Record() {
  PROPSHEETPAGEA record{};
  record.dwSize = sizeof record;
  record.dwFlags = PSP_DEFAULT;
  record.hInstance = GetModuleHandleA(nullptr);
  record.pszTemplate = MAKEINTRESOURCEA(templateId_);
  record.pfnDlgProc = &PageProcedure;
  record.lParam = reinterpret_cast<LPARAM>(this);
  return record;
}

INT_PTR CALLBACK PropertyPage::PageProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  // WM_INITDIALOG brings the sheet's copy of the page record, which carries the object.
  PropertyPage* const bindAtInit =
      id == WM_INITDIALOG
          ? reinterpret_cast<PropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam)
          : nullptr;
  if (bindAtInit != nullptr) bindAtInit->loading_ = true;
  const INT_PTR result = HandleDialogMessage(bindAtInit, window, id, wParam, lParam);
  if (bindAtInit != nullptr) bindAtInit->loading_ = false;
  return result;
}

}  // namespace tembori
