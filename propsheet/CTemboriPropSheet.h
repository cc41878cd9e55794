// The settings sheet: four pages over copies of the settings, its own Apply handling, and
// the Properties command that opens it and applies it after OK.
#pragma once

#include <optional>

#include "framework/PropertySheetWindow.h"
#include "propsheet/CTemboriPropColor.h"
#include "propsheet/CTemboriPropFont.h"
#include "propsheet/CTemboriPropGen1.h"
#include "propsheet/CTemboriPropGen2.h"
#include "propsheet/SheetEnvironment.h"
#include "propsheet/rules/SheetFields.h"

namespace tembori {

class CTemboriPropSheet : public PropertySheetWindow {
 public:
  // The pages show the settings as they are now; the sheet opens on the first tab.
  explicit CTemboriPropSheet(SheetEnvironment& environment);

  // What the pages hold.
  SheetFields Fields() const;

  // The pages' fields into the settings, saved and shown by the calendar.
  void ApplySettings();

 protected:
  const RouteTable& Routes() const override;

 private:
  void OnApplyNow();
  std::optional<LRESULT> OnHelp(const Message& message);

  SheetEnvironment& environment_;
  CTemboriPropGen1 general1_;
  CTemboriPropGen2 general2_;
  CTemboriPropFont font_;
  CTemboriPropColor color_;
};

// The Properties command: the sheet, modal over the calendar window; OK applies it, any
// other end leaves the settings as they are (apart from what Apply has applied).
void OpenPropertiesSheet(SheetEnvironment& environment);

}  // namespace tembori
