// Running the platform's property sheet and binding its window to the sheet object.
#include "framework/PropertySheetWindow.h"

#include <commctrl.h>

#include "framework/Application.h"

namespace tembori {
namespace {

// The sheet whose window PropertySheetA is making: the callback, which brings no data of its
// own, binds it. The program runs its sheets on its one thread, so a plain static does, as
// for the windows (a thread-local would keep the emulated-TLS runtime in the program).
PropertySheetWindow* sheetBeingRun = nullptr;

}  // namespace

void PropertySheetWindow::AddPage(PropertyPage& page) {
  page.sheet_ = this;
  pages_.push_back(&page);
}

INT_PTR PropertySheetWindow::RunModal() {
  std::vector<PROPSHEETPAGEA> records;
  records.reserve(pages_.size());
  for (PropertyPage* const page : pages_) {
    page->shownBefore_ = false;
    records.push_back(page->Record());
  }
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
  header.hwndParent = owner_ != nullptr ? owner_ : Application::MainWindowHandle();
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(records.size());
  header.nStartPage = 0;
  header.ppsp = records.data();
  header.pfnCallback = &SheetCallback;

  confirmed_ = false;
  PropertySheetWindow* const outer = sheetBeingRun;
  sheetBeingRun = this;
  const INT_PTR result = PropertySheetA(&header);
  sheetBeingRun = outer;
  if (result < 0) return -1;
  return confirmed_ ? IDOK : IDCANCEL;
}

PropertyPage* PropertySheetWindow::ActivePage() const {
  if (Handle() == nullptr) return nullptr;
  const auto shown = reinterpret_cast<HWND>(SendMessageA(Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
  for (PropertyPage* const page : pages_) {
    if (page->Handle() != nullptr && page->Handle() == shown) return page;
  }
  return nullptr;
}

int CALLBACK PropertySheetWindow::SheetCallback(HWND window, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && sheetBeingRun != nullptr) {
    sheetBeingRun->Subclass(window);
  }
  return 0;
}

}  // namespace tembori
