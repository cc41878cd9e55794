// The second general page: the window options, the holiday circles and their colour, the
// first day of the week and the holiday rules.
#pragma once

#include "framework/PropertyPage.h"
#include "settings/Settings.h"

namespace tembori {

class CTemboriPropGen2 : public PropertyPage {
 public:
  CTemboriPropGen2(Settings& draft, bool isNT3);

 protected:
  bool OnInitDialog() override;
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  void OnCircClicked();
  void OnChooseCircColor();
  void OnPaint();

  Settings& draft_;
  const bool isNT3_;
};

}  // namespace tembori
