// The settings sheet: four pages over one draft copy of the settings, its own Apply handling,
// and the Properties command that opens it and applies it after OK.
#pragma once

#include <optional>

#include "framework/PropertySheetWindow.h"
#include "propsheet/CTemboriPropColor.h"
#include "propsheet/CTemboriPropFont.h"
#include "propsheet/CTemboriPropGen1.h"
#include "propsheet/CTemboriPropGen2.h"
#include "propsheet/SheetEnvironment.h"
#include "settings/Settings.h"

namespace tembori {

class CTemboriPropSheet : public PropertySheetWindow {
 public:
  // The draft starts as the settings are now; the sheet opens on the first tab.
  explicit CTemboriPropSheet(SheetEnvironment& environment);

  // What the pages hold: the settings as they will be applied.
  const Settings& Draft() const { return draft_; }

  // The draft into the settings, saved and shown by the calendar.
  void ApplySettings();

 protected:
  const RouteTable& Routes() const override;

 private:
  void OnApplyNow();
  std::optional<LRESULT> OnHelp(const Message& message);

  SheetEnvironment& environment_;
  // Every page exchanges its controls with this copy; only OK and Apply copy it back.
  Settings draft_;
  CTemboriPropGen1 general1_;
  CTemboriPropGen2 general2_;
  CTemboriPropFont font_;
  CTemboriPropColor color_;
};

// The Properties command: the sheet, modal over the calendar window; OK applies it, any
// other end leaves the settings as they are (apart from what Apply has applied).
void OpenPropertiesSheet(SheetEnvironment& environment);

}  // namespace tembori
