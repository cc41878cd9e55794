// The platform's colour dialog in its short form, opened on a given colour. All colour
// dialogs of the process share one set of sixteen custom colours: white at start, kept for
// as long as the process runs, never stored.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

namespace tembori {

class ColorDialog {
 public:
  using CustomColors = std::array<COLORREF, 16>;

  // The colour chosen with OK, or none when the dialog was cancelled or could not be shown
  // (its library, loaded now the first time, is missing when the SystemLibrary handler is
  // told so).
  static std::optional<COLORREF> Choose(HWND owner, COLORREF initial);

  // The shared custom colours, as the last dialog left them.
  static const CustomColors& Custom() { return customColors_; }

 private:
  static CustomColors customColors_;
};

}  // namespace tembori
