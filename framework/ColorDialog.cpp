// The colour dialog over the process-wide custom colours.
#include "framework/ColorDialog.h"

#include <commdlg.h>

#include "framework/SystemLibrary.h"

namespace tembori {
namespace {

ColorDialog::CustomColors AllWhite() {
  ColorDialog::CustomColors colors;
  colors.fill(RGB(255, 255, 255));
  return colors;
}

}  // namespace

ColorDialog::CustomColors ColorDialog::customColors_ = AllWhite();

std::optional<COLORREF> ColorDialog::Choose(HWND owner, COLORREF initial) {
  CHOOSECOLORA choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = owner;
  choice.rgbResult = initial;
  choice.lpCustColors = customColors_.data();
  choice.Flags = CC_RGBINIT;
  static SystemLibrary commonDialogs("comdlg32.dll");
  const auto chooseColor = commonDialogs.Function<decltype(&ChooseColorA)>("ChooseColorA");
  if (chooseColor == nullptr || !chooseColor(&choice)) return std::nullopt;
  return choice.rgbResult;
}

}  // namespace tembori
