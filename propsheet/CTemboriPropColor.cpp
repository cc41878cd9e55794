// The colour page. The colours change only through their buttons; data exchange covers the
// transparency alone.
#include "propsheet/CTemboriPropColor.h"

#include "framework/ColorDialog.h"
#include "res/ResourceIds.h"

namespace tembori {

CTemboriPropColor::CTemboriPropColor(Settings& draft, bool isNT3)
    : PropertyPage(IDD_PROPCOLOR), draft_(draft), isNT3_(isNT3) {}

bool CTemboriPropColor::OnInitDialog() {
  PropertyPage::OnInitDialog();
  // NT 3.x cannot draw the desktop behind the calendar; the setting comes back as it was.
  EnableItem(IDC_TRANSPARENT, !isNT3_);
  EnableItem(IDC_BACK_COLOR, draft_.Transparent == 0);
  return true;
}

void CTemboriPropColor::ExchangeData(DataExchange& exchange) {
  exchange.Check(IDC_TRANSPARENT, draft_.Transparent);
}

void CTemboriPropColor::ChooseInto(ColorRef& color) {
  const std::optional<COLORREF> chosen = ColorDialog::Choose(Handle(), color);
  if (!chosen) return;
  SetModified(true);
  color = *chosen;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void CTemboriPropColor::OnTransparentClicked() {
  EnableItem(IDC_BACK_COLOR, !IsItemChecked(IDC_TRANSPARENT));
}

std::optional<LRESULT> CTemboriPropColor::OnCtlColorStatic(const Message& message) {
  const int label = GetDlgCtrlID(reinterpret_cast<HWND>(message.lParam));
  switch (label) {
    case IDC_ORDINARY_LABEL:
      return ColorStaticText(message, draft_.OrdinaryColor);
    case IDC_HOLIDAY_LABEL:
      return ColorStaticText(message, draft_.HolidayColor);
    case IDC_TODAY_LABEL:
      return ColorStaticText(message, draft_.TodayColor);
    case IDC_BACK_LABEL:
      return ColorStaticText(message, draft_.BackColor);
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
