// The settings sheet and the Properties command.
#include "propsheet/CTemboriPropSheet.h"

#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {

CTemboriPropSheet::CTemboriPropSheet(SheetEnvironment& environment)
    : PropertySheetWindow(LoadResourceString(IDS_SHEET_CAPTION)),
      environment_(environment),
      draft_(environment.settings),
      general1_(draft_),
      general2_(draft_, environment.isNT3),
      font_(draft_, environment.isNT3),
      color_(draft_, environment.isNT3) {
  AddPage(general1_);
  AddPage(general2_);
  AddPage(font_);
  AddPage(color_);
}

void CTemboriPropSheet::ApplySettings() {
  tembori::ApplySettings(draft_, environment_.settings, environment_.store, environment_.reporter,
                         environment_.calendar);
}

void CTemboriPropSheet::OnApplyNow() {
  // Whichever tab is shown, the character set follows the chosen face once the font page
  // exists; pages left earlier saved their controls when they were left.
  // A field that holds no valid value keeps the sheet as it is, the field showing why.
  if (PropertyPage* const active = ActivePage(); active != nullptr && !active->UpdateData(true)) {
    return;
  }
  font_.TakeFaceAttributes();
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
