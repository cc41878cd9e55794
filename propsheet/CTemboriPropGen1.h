// The first general page: the calendar's language, today's mark, the date in the title bar,
// the memo pop-up's delay and the weekly days off.
#pragma once

#include "framework/ChildControl.h"
#include "framework/PropertyPage.h"
#include "settings/Settings.h"

namespace tembori {

class CTemboriPropGen1 : public PropertyPage {
 public:
  explicit CTemboriPropGen1(Settings& draft);

 protected:
  bool OnInitDialog() override;
  void ExchangeData(DataExchange& exchange) override;

 private:
  Settings& draft_;
  UpDownControl delaySpin_;
};

}  // namespace tembori
