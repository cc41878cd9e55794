// The colour page. The colours change only through their buttons; data exchange covers the
// transparency alone.
#include "propsheet/CTemboriPropColor.h"

#include "framework/ColorDialog.h"
#include "res/ResourceIds.h"

namespace tembori {

CTemboriPropColor::CTemboriPropColor(bool isNT3) : PropertyPage(IDD_PROPCOLOR), isNT3_(isNT3) {}

bool CTemboriPropColor::OnInitDialog() {
  PropertyPage::OnInitDialog();
  // NT 3.x cannot draw the desktop behind the calendar; the setting comes back as it was.
  EnableWindow(GetDlgItem(Handle(), IDC_TRANSPARENT), !isNT3_);
  EnableWindow(GetDlgItem(Handle(), IDC_BACK_COLOR), fields_.Transparent == 0);
  return true;
}

void CTemboriPropColor::ExchangeData(DataExchange& exchange) {
  exchange.Check(IDC_TRANSPARENT, fields_.Transparent);
}

void CTemboriPropColor::ChooseInto(ColorRef& field) {
  const std::optional<COLORREF> chosen = ColorDialog::Choose(Handle(), field);
  if (!chosen) return;
  SetModified(true);
  field = *chosen;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void CTemboriPropColor::OnTransparentClicked() {
  const bool ticked = IsDlgButtonChecked(Handle(), IDC_TRANSPARENT) == BST_CHECKED;
  EnableWindow(GetDlgItem(Handle(), IDC_BACK_COLOR), !ticked);
  SetModified(true);
}

std::optional<LRESULT> CTemboriPropColor::OnCtlColorStatic(const Message& message) {
  const int label = GetDlgCtrlID(reinterpret_cast<HWND>(message.lParam));
  switch (label) {
    case IDC_ORDINARY_LABEL:
      return ColorStaticText(message, fields_.OrdinaryColor);
    case IDC_HOLIDAY_LABEL:
      return ColorStaticText(message, fields_.HolidayColor);
    case IDC_TODAY_LABEL:
      return ColorStaticText(message, fields_.TodayColor);
    case IDC_BACK_LABEL:
      return ColorStaticText(message, fields_.BackColor);
    default:
      return std::nullopt;
  }
}

const RouteTable& CTemboriPropColor::Routes() const {
  using Page = CTemboriPropColor;
  static const Route routes[] = {
      RouteCommand<IDC_ORDINARY_COLOR, &Page::OnChooseOrdinary>(),
      RouteCommand<IDC_HOLIDAY_COLOR, &Page::OnChooseHoliday>(),
      RouteCommand<IDC_TODAY_COLOR, &Page::OnChooseToday>(),
      RouteCommand<IDC_BACK_COLOR, &Page::OnChooseBack>(),
      RouteCommand<IDC_TRANSPARENT, &Page::OnTransparentClicked>(),
      RouteMessage<WM_CTLCOLORSTATIC, &Page::OnCtlColorStatic>(),
  };
  static const RouteTable table(routes, &PropertyPage::Routes());
  return table;
}

}  // namespace tembori
