// Drawing the calendar's buttons and the keys of the year field.
#include "app/CalendarControls.h"

#include "app/CalendarPainting.h"
#include "framework/Application.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {

void CalendarButton::DrawItem(const DRAWITEMSTRUCT& item) {
  DrawCalendarButton(item, state_, dpi_);
}

const RouteTable& CalendarButton::Routes() const {
  static const Route routes[] = {
      RouteMessage<BM_GETSTATE, &CalendarButton::OnGetState>(),
      RouteMessage<WM_LBUTTONDBLCLK, &CalendarButton::OnDoubleClick>(),
  };
  static const RouteTable table(routes, &ButtonControl::Routes());
  return table;
}

LRESULT CalendarButton::OnGetState(const Message& message) {
  const LRESULT state = DefaultProcessing(message);
  const bool modeOn = GetDlgCtrlID(Handle()) == ID_MODE_BUTTON && state_ == 0;
  return modeOn ? state | BST_PUSHED : state;
}

// An owner-drawn button reports a quick second click as a double click, which nothing
// answers: on the month buttons it is another click, as on any push button, so that two quick
// clicks step two months. The padlock keeps taking it as one.
LRESULT CalendarButton::OnDoubleClick(const Message& message) {
  if (GetDlgCtrlID(Handle()) == ID_MODE_BUTTON) return DefaultProcessing(message);
  return DefaultProcessing(Message{WM_LBUTTONDOWN, message.wParam, message.lParam});
}

const RouteTable& YearEdit::Routes() const {
  static const Route routes[] = {
      RouteMessage<WM_CHAR, &YearEdit::OnChar>(),
      RouteMessage<WM_GETOBJECT, &YearEdit::OnGetObject>(),
  };
  static const RouteTable table(routes, &EditControl::Routes());
  return table;
}

std::optional<LRESULT> YearEdit::OnChar(UINT character) {
  if (character != '\r') return std::nullopt;
  const HWND mainWindow = Application::MainWindowHandle();
  if (mainWindow != nullptr) {
    leavingByEnter_ = true;
    SetFocus(mainWindow);
    leavingByEnter_ = false;
  }
  return 0;
}

// The label takes no room and shows nothing.
LRESULT YearEdit::OnGetObject(const Message& message) {
  if (!labelled_) {
    labelled_ = true;
    // New children go last: the label is moved to just before the field.
    const HWND before = GetWindow(Handle(), GW_HWNDPREV);
    const HWND label = CreateWindowExA(0, "STATIC", LoadResourceString(IDS_ACC_YEAR).c_str(),
                                       WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, GetParent(Handle()),
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(label, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return DefaultProcessing(message);
}

}  // namespace tembori
