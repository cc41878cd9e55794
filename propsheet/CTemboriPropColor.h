// The colour page: the colours of ordinary days, days off, today and the background, each
// shown by a framed swatch beside its label, and the transparent background.
#pragma once

#include <optional>

#include "framework/PropertyPage.h"
#include "settings/Settings.h"

namespace tembori {

class CTemboriPropColor : public PropertyPage {
 public:
  CTemboriPropColor(Settings& draft, bool isNT3);

 protected:
  bool OnInitDialog() override;
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  void ChooseInto(ColorRef& color);
  void OnChooseOrdinary() { ChooseInto(draft_.OrdinaryColor); }
  void OnChooseHoliday() { ChooseInto(draft_.HolidayColor); }
  void OnChooseToday() { ChooseInto(draft_.TodayColor); }
  void OnChooseBack() { ChooseInto(draft_.BackColor); }
  void OnTransparentClicked();
  void OnPaint();

  Settings& draft_;
  const bool isNT3_;
};

}  // namespace tembori
