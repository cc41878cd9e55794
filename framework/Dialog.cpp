// Modal dialogs and their data exchange.
#include "framework/Dialog.h"

#include <algorithm>
#include <new>
#include <vector>

#include "framework/Application.h"

namespace tembori {
namespace {

// Messages whose result the dialog procedure returns itself instead of DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT id) {
  switch (id) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}

// Centres the dialog over its owner, or over the work area when it has none or the owner is
// minimised, and keeps it inside the work area of the owner's monitor, its top-left corner
// first when it is larger.
void CentreOverOwner(HWND dialog) {
  const HWND owner = GetWindow(dialog, GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(
          MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST),
          &monitor)) {
    return;
  }
  const RECT& work = monitor.rcWork;
  RECT around = work;
  if (owner != nullptr && !IsIconic(owner)) GetWindowRect(owner, &around);
  RECT box{};
  GetWindowRect(dialog, &box);
  const LONG width = box.right - box.left;
  const LONG height = box.bottom - box.top;
  LONG left = around.left + (around.right - around.left - width) / 2;
  LONG top = around.top + (around.bottom - around.top - height) / 2;
  left = std::max(work.left, std::min(left, work.right - width));
  top = std::max(work.top, std::min(top, work.bottom - height));
  SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void DataExchange::Text(int controlId, std::string& value) {
  if (failed_) return;
  const HWND control = GetDlgItem(dialog_, controlId);
  if (!saving_) {
    SetWindowTextA(control, value.c_str());
    return;
  }
  const int length = GetWindowTextLengthA(control);
  std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
  const int copied = GetWindowTextA(control, buffer.data(), static_cast<int>(buffer.size()));
  value.assign(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void DataExchange::Number(int controlId, int& value) {
  if (failed_) return;
  if (!saving_) {
    SetDlgItemInt(dialog_, controlId, static_cast<UINT>(value), TRUE);
    return;
  }
  BOOL converted = FALSE;
  const int number = static_cast<int>(GetDlgItemInt(dialog_, controlId, &converted, TRUE));
  if (!converted) {
    failed_ = true;
    SetFocus(GetDlgItem(dialog_, controlId));
    return;
  }
  value = number;
}

void DataExchange::Check(int controlId, int& value) {
  if (failed_) return;
  if (saving_) {
    value = static_cast<int>(IsDlgButtonChecked(dialog_, controlId));
  } else {
    CheckDlgButton(dialog_, controlId, static_cast<UINT>(value));
  }
}

void DataExchange::Radio(int firstControlId, int& index) {
  if (failed_) return;
  const HWND first = GetDlgItem(dialog_, firstControlId);
  if (saving_) index = -1;
  int position = 0;
  for (HWND button = first; button != nullptr; button = GetWindow(button, GW_HWNDNEXT)) {
    if (button != first && (GetWindowLongA(button, GWL_STYLE) & WS_GROUP) != 0) break;
    if (saving_) {
      if (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) index = position;
    } else {
      SendMessageA(button, BM_SETCHECK, position == index ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++position;
  }
}

INT_PTR Dialog::RunModal() {
  const HWND owner = owner_ != nullptr ? owner_ : Application::MainWindowHandle();
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                         &ModalProcedure, reinterpret_cast<LPARAM>(this));
}

bool Dialog::UpdateData(bool saving) {
  DataExchange exchange(Handle(), saving);
  ExchangeData(exchange);
  return exchange.Succeeded();
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() {
  EndDialog(IDCANCEL);
}

void Dialog::ExchangeData(DataExchange&) {}

void Dialog::EndDialog(INT_PTR result) const {
  ::EndDialog(Handle(), result);
}

const RouteTable& Dialog::Routes() const {
  static const Route routes[] = {
      RouteCommand<IDOK, &Dialog::OnOK>(),
      RouteCommand<IDCANCEL, &Dialog::OnCancel>(),
  };
  static const RouteTable table(routes, nullptr);
  return table;
}

LRESULT Dialog::DefaultProcessing(const Message&) {
  return 0;
}

INT_PTR CALLBACK Dialog::ModalProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  Dialog* const bindAtInit = id == WM_INITDIALOG ? reinterpret_cast<Dialog*>(lParam) : nullptr;
  return HandleDialogMessage(bindAtInit, window, id, wParam, lParam);
}

INT_PTR Dialog::HandleDialogMessage(Dialog* bindAtInit, HWND window, UINT id, WPARAM wParam,
                                    LPARAM lParam) {
  auto* dialog = static_cast<Dialog*>(FromHandle(window));
  if (dialog == nullptr && bindAtInit != nullptr) {
    dialog = bindAtInit;
    dialog->Bind(window);
  }
  if (dialog == nullptr) return FALSE;
  bool handled = false;
  LRESULT result = 0;
  try {
    if (id == WM_INITDIALOG) {
      CentreOverOwner(window);
      return dialog->OnInitDialog() ? TRUE : FALSE;
    }
    handled = dialog->Deliver(Message{id, wParam, lParam}, result);
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory(window, id);
    handled = false;
  }
  switch (id) {
    case WM_NCDESTROY:
      FinishDestruction(*dialog);
      return FALSE;
    case WM_DESTROY:
      return FALSE;  // the dialog manager's own clean-up always runs
    default:
      break;
  }
  if (!handled) return FALSE;
  if (ReturnsResultDirectly(id)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace tembori
