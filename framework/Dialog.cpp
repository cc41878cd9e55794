// Modal dialogs and their data exchange.
#include "framework/Dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <vector>

#include "framework/Application.h"
#include "framework/MemoryExhaustion.h"
#include "framework/ResourceText.h"

namespace tembori {
namespace {

// The whole text as a decimal number, spaces around it allowed; none when it is not one.
std::optional<int> DecimalNumber(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const std::size_t last = text.find_last_not_of(' ');
  int number = 0;
  const char* const end = text.data() + last + 1;
  const auto [stop, error] = std::from_chars(text.data() + first, end, number);
  if (error != std::errc() || stop != end) return std::nullopt;
  return number;
}

// Sets a radio button of a group that data exchange sets button by button. Checking an
// automatic radio button makes some platforms uncheck the rest of its group themselves,
// searching the dialog's window list through the window manager step by step: the button
// to be checked is a plain radio button for that moment.
void SetRadioCheck(HWND button, bool checked) {
  const auto style = static_cast<WPARAM>(GetWindowLongA(button, GWL_STYLE) & 0xFFFF);
  const bool walksGroup = checked && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
  if (walksGroup) {
    SendMessageA(button, BM_SETSTYLE, (style & ~WPARAM{BS_TYPEMASK}) | BS_RADIOBUTTON, FALSE);
  }
  SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (walksGroup) SendMessageA(button, BM_SETSTYLE, style, FALSE);
}

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

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
  const int copied = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

// The edit control that shows a field's text: the field itself, or a combo box's edit field.
HWND EditOf(HWND field) {
  char name[16] = {};
  GetClassNameA(field, name, sizeof name);
  if (lstrcmpiA(name, "ComboBox") != 0) return field;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return GetComboBoxInfo(field, &info) && info.hwndItem != nullptr ? info.hwndItem : field;
}

// A balloon under the field for an edit control that shows none itself (an older system, or
// Wine): a tracking tooltip owned by the field's window, so that it goes with that window,
// and gone after a while or when the next one is shown.
constexpr UINT kFieldTipMilliseconds = 8000;

// The tracking tip shown, if any.
HWND shownTip = nullptr;

void CALLBACK EndFieldTip(HWND tip, UINT, UINT_PTR timer, DWORD) {
  KillTimer(tip, timer);
  DestroyWindow(tip);
  if (tip == shownTip) shownTip = nullptr;
}

void ShowTrackingTip(HWND edit, const std::string& text) {
  HideFieldTip();
  shownTip =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                      WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | TTS_BALLOON, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(edit, GA_ROOT),
                      nullptr, GetModuleHandleA(nullptr), nullptr);
  if (shownTip == nullptr) return;
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = edit;
  tool.uId = 1;
  // The tooltip copies the text and never writes to it.
  tool.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(shownTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  RECT field{};
  GetWindowRect(edit, &field);
  SendMessageA(shownTip, TTM_TRACKPOSITION, 0,
               MAKELPARAM((field.left + field.right) / 2, field.bottom));
  SendMessageA(shownTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  SetTimer(shownTip, 1, kFieldTipMilliseconds, &EndFieldTip);
}

}  // namespace

void ShowFieldTip(HWND field, const std::string& text) {
  const HWND edit = EditOf(field);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  // A fixed buffer rather than a wide string class, which would add to the program's size
  // more than any tip needs: the tips are one line.
  wchar_t wideText[256] = {};
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wideText,
                      static_cast<int>(sizeof wideText / sizeof wideText[0]) - 1);
  EDITBALLOONTIP tip{};
  tip.cbStruct = sizeof tip;
  tip.pszTitle = L"";
  tip.pszText = wideText;
  tip.ttiIcon = TTI_NONE;
  if (SendMessageA(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)) == FALSE) {
    ShowTrackingTip(edit, text);
  }
}

void HideFieldTip() {
  if (IsWindow(shownTip)) DestroyWindow(shownTip);
  shownTip = nullptr;
}

void DataExchange::Note(int controlId) {
  if (exchanged_ == nullptr) return;
  for (const int known : *exchanged_) {
    if (known == controlId) return;
  }
  exchanged_->push_back(controlId);
}

void DataExchange::Own(int controlId) {
  Note(controlId);
}

void DataExchange::Fail(int controlId) {
  failed_ = true;
  SetFocus(dialog_.Item(controlId));
}

void DataExchange::Text(int controlId, std::string& value) {
  Note(controlId);
  if (failed_) return;
  const HWND control = dialog_.Item(controlId);
  if (saving_) {
    value = WindowText(control);
  } else {
    SetWindowTextA(control, value.c_str());
  }
}

void DataExchange::Number(int controlId, int& value, int lowest, int highest, UINT complaintId) {
  Note(controlId);
  if (failed_) return;
  const HWND control = dialog_.Item(controlId);
  if (!saving_) {
    SetWindowTextA(control, std::to_string(value).c_str());
    return;
  }
  const std::optional<int> number = DecimalNumber(WindowText(control));
  if (!number || *number < lowest || *number > highest) {
    Fail(controlId);
    ShowFieldTip(control, LoadResourceString(complaintId));
    return;
  }
  HideFieldTip();
  value = *number;
}

void DataExchange::Number(int controlId, int& value) {
  Note(controlId);
  if (failed_) return;
  const HWND dialog = dialog_.Handle();
  if (!saving_) {
    SetDlgItemInt(dialog, controlId, static_cast<UINT>(value), TRUE);
    return;
  }
  BOOL converted = FALSE;
  const int number = static_cast<int>(GetDlgItemInt(dialog, controlId, &converted, TRUE));
  if (!converted) {
    Fail(controlId);
    return;
  }
  value = number;
}

void DataExchange::Check(int controlId, int& value) {
  Note(controlId);
  if (failed_) return;
  const HWND button = dialog_.Item(controlId);
  if (saving_) {
    value = static_cast<int>(SendMessageA(button, BM_GETCHECK, 0, 0));
  } else {
    SendMessageA(button, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DataExchange::Radio(int firstControlId, int& index) {
  if (failed_) return;
  const HWND first = dialog_.Item(firstControlId);
  if (saving_) index = -1;
  int position = 0;
  for (HWND button = first; button != nullptr; button = GetWindow(button, GW_HWNDNEXT)) {
    if (button != first && (GetWindowLongA(button, GWL_STYLE) & WS_GROUP) != 0) break;
    Note(GetDlgCtrlID(button));
    if (saving_) {
      if (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) index = position;
    } else {
      SetRadioCheck(button, position == index);
    }
    ++position;
  }
}

HWND Dialog::Item(int controlId) const {
  for (const auto& [id, known] : items_) {
    if (id == controlId) return known;
  }
  const HWND control = GetDlgItem(Handle(), controlId);
  if (control != nullptr) items_.emplace_back(controlId, control);
  return control;
}

INT_PTR Dialog::RunModal() {
  const HWND owner = owner_ != nullptr ? owner_ : Application::MainWindowHandle();
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                         &ModalProcedure, reinterpret_cast<LPARAM>(this));
}

bool Dialog::UpdateData(bool saving) {
  DataExchange exchange(*this, saving, ExchangedControls());
  ExchangeData(exchange);
  return exchange.Succeeded();
}

void Dialog::EnableItem(int controlId, bool enabled) const {
  EnableWindow(Item(controlId), enabled ? TRUE : FALSE);
}

void Dialog::CheckItem(int controlId, bool checked) const {
  SendMessageA(Item(controlId), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Dialog::IsItemChecked(int controlId) const {
  return SendMessageA(Item(controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Dialog::ItemText(int controlId) const {
  return WindowText(Item(controlId));
}

void Dialog::SetItemText(int controlId, const std::string& text) const {
  SetWindowTextA(Item(controlId), text.c_str());
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
  if (id == WM_INITDIALOG) {
    return UnlessMemoryRunsOut(
        [&]() -> INT_PTR {
          dialog->items_.clear();
          // A child dialog (a page of a property sheet) is placed by its parent.
          if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0) CentreOverOwner(window);
          return dialog->OnInitDialog() ? TRUE : FALSE;
        },
        [&]() -> INT_PTR {
          ReportOutOfMemory(window, id);
          return FALSE;
        });
  }
  LRESULT result = 0;
  const bool handled = UnlessMemoryRunsOut(
      [&] {
        return dialog->Deliver(Message{id, wParam, lParam}, result);
      },
      [&] {
        ReportOutOfMemory(window, id);
        return false;
      });
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
