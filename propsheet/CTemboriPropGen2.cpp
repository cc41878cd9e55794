// The second general page.
#include "propsheet/CTemboriPropGen2.h"

#include "framework/ColorDialog.h"
#include "res/ResourceIds.h"

namespace tembori {

CTemboriPropGen2::CTemboriPropGen2(bool isNT3) : PropertyPage(IDD_PROPGEN2), isNT3_(isNT3) {}

bool CTemboriPropGen2::OnInitDialog() {
  PropertyPage::OnInitDialog();
  // NT 3.x has no notification area; the setting then comes back as it was.
  EnableWindow(GetDlgItem(Handle(), IDC_TRAY), !isNT3_);
  EnableWindow(GetDlgItem(Handle(), IDC_CIRC_COLOR), fields_.Circ != 0);
  return true;
}

void CTemboriPropGen2::ExchangeData(DataExchange& exchange) {
  exchange.Check(IDC_SQUEEZE, fields_.Squeeze);
  exchange.Check(IDC_NO_FRAME, fields_.NoFrame);
  exchange.Check(IDC_MEMO_FILE, fields_.MemoFile);
  exchange.Check(IDC_TOP_MOST, fields_.TopMost);
  exchange.Check(IDC_TRAY, fields_.Tray);
  exchange.Check(IDC_CIRC, fields_.Circ);
  exchange.Radio(IDC_SUNDAY_FIRST, fields_.SunFirst);
  exchange.Check(IDC_HOLIDAY_LAW, fields_.HolidayLaw);
  exchange.Check(IDC_ERA_YEAR, fields_.EraYear);
  exchange.Check(IDC_ROKUYO, fields_.Rokuyo);
}

void CTemboriPropGen2::OnCircClicked() {
  const bool ticked = IsDlgButtonChecked(Handle(), IDC_CIRC) == BST_CHECKED;
  EnableWindow(GetDlgItem(Handle(), IDC_CIRC_COLOR), ticked);
  SetModified(true);
}

void CTemboriPropGen2::OnChooseCircColor() {
  const std::optional<COLORREF> chosen = ColorDialog::Choose(Handle(), fields_.CircColor);
  if (!chosen) return;
  SetModified(true);
  fields_.CircColor = *chosen;
  InvalidateRect(Handle(), nullptr, FALSE);
}

std::optional<LRESULT> CTemboriPropGen2::OnCtlColorStatic(const Message& message) {
  if (reinterpret_cast<HWND>(message.lParam) != GetDlgItem(Handle(), IDC_CIRC_LABEL)) {
    return std::nullopt;
  }
  return ColorStaticText(message, fields_.CircColor);
}

const RouteTable& CTemboriPropGen2::Routes() const {
  using Page = CTemboriPropGen2;
  static const Route routes[] = {
      RouteCommand<IDC_SQUEEZE, &Page::OnChanged>(),
      RouteCommand<IDC_NO_FRAME, &Page::OnChanged>(),
      RouteCommand<IDC_MEMO_FILE, &Page::OnChanged>(),
      RouteCommand<IDC_TOP_MOST, &Page::OnChanged>(),
      RouteCommand<IDC_TRAY, &Page::OnChanged>(),
      RouteCommand<IDC_SUNDAY_FIRST, &Page::OnChanged>(),
      RouteCommand<IDC_MONDAY_FIRST, &Page::OnChanged>(),
      RouteCommand<IDC_HOLIDAY_LAW, &Page::OnChanged>(),
      RouteCommand<IDC_ERA_YEAR, &Page::OnChanged>(),
      RouteCommand<IDC_ROKUYO, &Page::OnChanged>(),
      RouteCommand<IDC_CIRC, &Page::OnCircClicked>(),
      RouteCommand<IDC_CIRC_COLOR, &Page::OnChooseCircColor>(),
      RouteMessage<WM_CTLCOLORSTATIC, &Page::OnCtlColorStatic>(),
  };
  static const RouteTable table(routes, &PropertyPage::Routes());
  return table;
}

}  // namespace tembori
