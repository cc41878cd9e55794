// The second general page. The circle colour shows as a swatch left of its label, which is
// drawn as any other, as on the colour page.
#include "propsheet/CTemboriPropGen2.h"

#include <optional>

#include "framework/ColorDialog.h"
#include "framework/GdiHandles.h"
#include "res/ResourceIds.h"

namespace tembori {

CTemboriPropGen2::CTemboriPropGen2(Settings& draft, bool isNT3)
    : PropertyPage(IDD_PROPGEN2), draft_(draft), isNT3_(isNT3) {}

bool CTemboriPropGen2::OnInitDialog() {
  PropertyPage::OnInitDialog();
  // NT 3.x has no notification area; the setting then comes back as it was.
  EnableItem(IDC_TRAY, !isNT3_);
  EnableItem(IDC_CIRC_COLOR, draft_.Circ != 0);
  return true;
}

void CTemboriPropGen2::ExchangeData(DataExchange& exchange) {
  exchange.Check(IDC_SQUEEZE, draft_.Squeeze);
  exchange.Check(IDC_NO_FRAME, draft_.NoFrame);
  exchange.Check(IDC_MEMO_FILE, draft_.MemoFile);
  exchange.Check(IDC_TOP_MOST, draft_.TopMost);
  exchange.Check(IDC_TRAY, draft_.Tray);
  exchange.Check(IDC_CIRC, draft_.Circ);
  exchange.Radio(IDC_SUNDAY_FIRST, draft_.SunFirst);
  exchange.Check(IDC_HOLIDAY_LAW, draft_.HolidayLaw);
  exchange.Check(IDC_ERA_YEAR, draft_.EraYear);
  exchange.Check(IDC_ROKUYO, draft_.Rokuyo);
}

void CTemboriPropGen2::OnCircClicked() {
  EnableItem(IDC_CIRC_COLOR, IsItemChecked(IDC_CIRC));
}

void CTemboriPropGen2::OnChooseCircColor() {
  const std::optional<COLORREF> chosen = ColorDialog::Choose(Handle(), draft_.CircColor);
  if (!chosen) return;
  SetModified(true);
  draft_.CircColor = *chosen;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void CTemboriPropGen2::OnPaint() {
  const PaintDc paint(Handle());
  DrawSwatchBeside(paint.Get(), IDC_CIRC_LABEL, draft_.CircColor);
}

const RouteTable& CTemboriPropGen2::Routes() const {
  using Page = CTemboriPropGen2;
  static const Route routes[] = {
      RouteCommand<IDC_CIRC, &Page::OnCircClicked>(),
      RouteCommand<IDC_CIRC_COLOR, &Page::OnChooseCircColor>(),
      RouteMessage<WM_PAINT, &Page::OnPaint>(),
  };
  static const RouteTable table(routes, &PropertyPage::Routes());
  return table;
}

}  // namespace tembori
