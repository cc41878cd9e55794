// The first general page: the calendar's language, today's mark, the date in the title bar,
// the memo pop-up's delay and the weekly days off.
#pragma once

#include "framework/ChildControl.h"
#include "framework/PropertyPage.h"
#include "propsheet/rules/SheetFields.h"

namespace tembori {

class CTemboriPropGen1 : public PropertyPage {
 public:
  CTemboriPropGen1();

  General1Fields& Fields() { return fields_; }
  const General1Fields& Fields() const { return fields_; }

 protected:
  bool OnInitDialog() override;
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  void OnChanged() { SetModified(true); }

  General1Fields fields_;
  UpDownControl delaySpin_;
};

}  // namespace tembori
