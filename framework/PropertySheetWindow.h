// A modal property sheet on the platform's own: tabs, OK, Cancel and Apply. The platform
// creates the sheet's window; it is bound to this object as soon as it exists, so that its
// messages (the Apply button, help requests) go through the sheet's routing table first.
//
// OK saves the active page, gives every page that has a window its OnOK, and destroys the
// windows; only then does RunModal return IDOK.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/PropertyPage.h"
#include "framework/Window.h"

namespace tembori {

class PropertySheetWindow : public Window {
 public:
  // The sheet's window is owned by `owner`, or by the application's main window when that is
  // null; the owner is disabled while the sheet runs.
  explicit PropertySheetWindow(std::string caption, HWND owner = nullptr)
      : caption_(std::move(caption)), owner_(owner) {}

  // Pages are shown in the order added; the first one is shown first.
  void AddPage(PropertyPage& page);

  // IDOK when the sheet was confirmed with OK, IDCANCEL when it was closed otherwise, -1 when
  // it could not be shown.
  INT_PTR RunModal();

  // The page whose tab is shown, or null when the sheet has no window.
  PropertyPage* ActivePage() const;

 private:
  friend class PropertyPage;

  static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);

  const std::string caption_;
  const HWND owner_;
  std::vector<PropertyPage*> pages_;
  bool confirmed_ = false;
};

}  // namespace tembori
