// A page of a property sheet: a dialog template that the platform's sheet creates when the
// page's tab is first shown and keeps until the sheet closes. The page object is bound to its
// window from the page record at WM_INITDIALOG and routes its messages through its table.
// Leaving the page saves its controls into its members; showing it again loads them. A click
// or an edit in any control that the page's data exchange touches marks the page changed.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <prsht.h>

#include <vector>

#include "framework/Dialog.h"

namespace tembori {

class PropertySheetWindow;

class PropertyPage : public Dialog {
 public:
  // The tab shows the template's caption.
  explicit PropertyPage(int templateId) : Dialog(templateId), templateId_(templateId) {}

  // Marks the page changed (the sheet's Apply button is enabled while any page is) or
  // unchanged; nothing happens before the page's window exists. What the program itself puts
  // into the controls while it loads them is no change.
  void SetModified(bool modified) const;

 protected:
  friend class PropertySheetWindow;

  // The page is shown: its controls are loaded from the members, except the first time,
  // when OnInitDialog has just done so.
  virtual void OnSetActive();
  // The page is left or the sheet confirmed: saves the controls; false keeps the page shown.
  virtual bool OnKillActive();
  // OK was pressed; every page that has a window gets this, after the active page has been
  // saved. Nothing by default.
  void OnOK() override {}
  // Cancel was pressed. Nothing by default.
  void OnCancel() override {}

  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
  bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  std::vector<int>* ExchangedControls() override { return &exchanged_; }
  // The page's own table follows no dialog table: OK and Cancel belong to the sheet.
  const RouteTable& Routes() const override;

  // Paints a framed square of `color` left of the label `labelId`, level with its text: the
  // colour shows however close it is to the page's, and the label is drawn as any other.
  void DrawSwatchBeside(HDC dc, int labelId, COLORREF color) const;

 private:
  // The record the sheet creates the page from.
  PROPSHEETPAGEA Record();
  static INT_PTR CALLBACK PageProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam);

  const int templateId_;
  PropertySheetWindow* sheet_ = nullptr;
  std::vector<int> exchanged_;  // the controls data exchange has touched
  bool shownBefore_ = false;
  bool loading_ = false;  // during OnInitDialog and while the controls are loaded again
};

}  // namespace tembori
