// Drawing the calendar's buttons and the keys of the year field.
#include "app/CalendarControls.h"

#include "app/CalendarPainting.h"
#include "app/NamedAccessible.h"
#include "framework/Application.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {

void CalendarButton::DrawItem(const DRAWITEMSTRUCT& item) {
  DrawCalendarButton(item, state_, dpi_);
}

const RouteTable& CalendarButton::Routes() const {
  static const Route routes[] = {
      RouteMessage<WM_GETOBJECT, &CalendarButton::OnGetObject>(),
      RouteMessage<BM_GETCHECK, &CalendarButton::OnGetCheck>(),
  };
  static const RouteTable table(routes, &ButtonControl::Routes());
  return table;
}

LRESULT CalendarButton::OnGetCheck() {
  return GetDlgCtrlID(Handle()) == ID_MODE_BUTTON && state_ == 0 ? BST_CHECKED : BST_UNCHECKED;
}

std::optional<LRESULT> CalendarButton::OnGetObject(const Message& message) {
  const int id = GetDlgCtrlID(Handle());
  const UINT name = id == ID_PREV_MONTH   ? IDS_ACC_PREV_MONTH
                    : id == ID_NEXT_MONTH ? IDS_ACC_NEXT_MONTH
                                          : IDS_ACC_MODE;
  const LRESULT answer = NamedAccessible::Answer(Handle(), message.wParam, message.lParam,
                                                 LoadResourceString(name), id == ID_MODE_BUTTON);
  if (answer == 0) return std::nullopt;
  return answer;
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
  if (mainWindow != nullptr) SetFocus(mainWindow);
  return 0;
}

std::optional<LRESULT> YearEdit::OnGetObject(const Message& message) {
  const LRESULT answer = NamedAccessible::Answer(Handle(), message.wParam, message.lParam,
                                                 LoadResourceString(IDS_ACC_YEAR), false);
  if (answer == 0) return std::nullopt;
  return answer;
}

}  // namespace tembori
