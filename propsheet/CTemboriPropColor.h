// The colour page: the colours of ordinary days, days off, today and the background, each
// shown by a framed swatch beside its label, and the transparent background.
#pragma once

#include <optional>

#include "framework/PropertyPage.h"
#include "propsheet/rules/SheetFields.h"

namespace tembori {

class CTemboriPropColor : public PropertyPage {
 public:
  explicit CTemboriPropColor(bool isNT3);

  ColorFields& Fields() { return fields_; }
  const ColorFields& Fields() const { return fields_; }

 protected:
  bool OnInitDialog() override;
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  void ChooseInto(ColorRef& field);
  void OnChooseOrdinary() { ChooseInto(fields_.OrdinaryColor); }
  void OnChooseHoliday() { ChooseInto(fields_.HolidayColor); }
  void OnChooseToday() { ChooseInto(fields_.TodayColor); }
  void OnChooseBack() { ChooseInto(fields_.BackColor); }
  void OnTransparentClicked();
  void OnPaint();

  const bool isNT3_;
  ColorFields fields_;
};

}  // namespace tembori
