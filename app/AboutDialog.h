// The About box: the program's icon, name and version, and an OK button.
#pragma once

#include "framework/Dialog.h"
#include "res/ResourceIds.h"

namespace tembori {

class AboutDialog : public Dialog {
 public:
  AboutDialog() : Dialog(IDD_ABOUT) {}
};

}  // namespace tembori
