// The colour page. The colours change only through their buttons; data exchange covers the
// transparency alone. Each colour shows as a swatch left of its label, which is drawn as any
// other: a label in its own colour could not be read in the page's colour (white on grey).
#include "propsheet/CTemboriPropColor.h"

#include "framework/ColorDialog.h"
#include "framework/GdiHandles.h"
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

void CTemboriPropColor::OnPaint() {
  const PaintDc paint(Handle());
  DrawSwatchBeside(paint.Get(), IDC_ORDINARY_LABEL, draft_.OrdinaryColor);
  DrawSwatchBeside(paint.Get(), IDC_HOLIDAY_LABEL, draft_.HolidayColor);
  DrawSwatchBeside(paint.Get(), IDC_TODAY_LABEL, draft_.TodayColor);
  DrawSwatchBeside(paint.Get(), IDC_BACK_LABEL, draft_.BackColor);
}

const RouteTable& CTemboriPropColor::Routes() const {
  using Page = CTemboriPropColor;
  static const Route routes[] = {
      RouteCommand<IDC_ORDINARY_COLOR, &Page::OnChooseOrdinary>(),
      RouteCommand<IDC_HOLIDAY_COLOR, &Page::OnChooseHoliday>(),
      RouteCommand<IDC_TODAY_COLOR, &Page::OnChooseToday>(),
      RouteCommand<IDC_BACK_COLOR, &Page::OnChooseBack>(),
      RouteCommand<IDC_TRANSPARENT, &Page::OnTransparentClicked>(),
      RouteMessage<WM_PAINT, &Page::OnPaint>(),
  };
  static const RouteTable table(routes, &PropertyPage::Routes());
  return table;
}

}  // namespace tembori
