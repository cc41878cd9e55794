// The second general page: the window options, the holiday circles and their colour, and
// the first day of the week.
#pragma once

#include <optional>

#include "framework/PropertyPage.h"
#include "propsheet/rules/SheetFields.h"

namespace tembori {

class CTemboriPropGen2 : public PropertyPage {
 public:
  explicit CTemboriPropGen2(bool isNT3);

  General2Fields& Fields() { return fields_; }
  const General2Fields& Fields() const { return fields_; }

 protected:
  bool OnInitDialog() override;
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  void OnChanged() { SetModified(true); }
  void OnCircClicked();
  void OnChooseCircColor();
  // The circle colour's label is drawn in that colour.
  std::optional<LRESULT> OnCtlColorStatic(const Message& message);

  const bool isNT3_;
  General2Fields fields_;
};

}  // namespace tembori
