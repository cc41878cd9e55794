// The settings sheet and the Properties command.
#include "propsheet/CTemboriPropSheet.h"

#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {

CTemboriPropSheet::CTemboriPropSheet(SheetEnvironment& environment)
    : PropertySheetWindow(LoadResourceString(IDS_SHEET_CAPTION)),
      environment_(environment),
      general2_(environment.isNT3),
      font_(environment.isNT3),
      color_(environment.isNT3) {
  AddPage(general1_);
  AddPage(general2_);
  AddPage(font_);
  AddPage(color_);
  const SheetFields fields = FieldsFromSettings(environment.settings);
  general1_.Fields() = fields.general1;
  general2_.Fields() = fields.general2;
  font_.Fields() = fields.font;
  color_.Fields() = fields.color;
}

SheetFields CTemboriPropSheet::Fields() const {
  return SheetFields{general1_.Fields(), general2_.Fields(), font_.Fields(), color_.Fields()};
}

void CTemboriPropSheet::ApplySettings() {
  tembori::ApplySettings(Fields(), environment_.settings, environment_.store, environment_.reporter,
                         environment_.calendar);
}

void CTemboriPropSheet::OnApplyNow() {
  // Whichever tab is shown, the character set follows the chosen face once the font page
  // exists; pages left earlier saved their controls when they were left.
  font_.TakeFaceAttributes();
  if (PropertyPage* const active = ActivePage()) active->UpdateData(true);
  ApplySettings();
  for (PropertyPage* const page :
       {static_cast<PropertyPage*>(&general1_), static_cast<PropertyPage*>(&general2_),
        static_cast<PropertyPage*>(&font_), static_cast<PropertyPage*>(&color_)}) {
    page->SetModified(false);
  }
}

std::optional<LRESULT> CTemboriPropSheet::OnHelp(const Message& message) {
  if (!environment_.contextHelp || message.lParam == 0) return std::nullopt;
  environment_.contextHelp(*reinterpret_cast<const HELPINFO*>(message.lParam));
  return TRUE;
}

const RouteTable& CTemboriPropSheet::Routes() const {
  static const Route routes[] = {
      RouteCommand<ID_APPLY_NOW, &CTemboriPropSheet::OnApplyNow>(),
      RouteMessage<WM_HELP, &CTemboriPropSheet::OnHelp>(),
  };
  static const RouteTable table(routes, &PropertySheetWindow::Routes());
  return table;
}

void OpenPropertiesSheet(SheetEnvironment& environment) {
  CTemboriPropSheet sheet(environment);
  if (sheet.RunModal() == IDOK) sheet.ApplySettings();
}

}  // namespace tembori
