// Modal dialogs from dialog templates, with data exchange between controls and members.
// Handlers in a dialog's routing table that want the dialog manager's default processing
// decline the message (std::optional without a value) instead of calling DefaultProcessing.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Window.h"

namespace tembori {

// One pass of data exchange: loading puts members into controls, saving reads the controls
// into members. A failed conversion puts the focus on its control and ends the pass.
class DataExchange {
 public:
  DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

  bool Succeeded() const { return !failed_; }
  // True when the controls are read into the members.
  bool Saving() const { return saving_; }

  // The control's whole text, however long.
  void Text(int controlId, std::string& value);
  // A signed decimal number; saving fails when the text is none.
  void Number(int controlId, int& value);
  // A check box: 0 unticked, 1 ticked, 2 indeterminate.
  void Check(int controlId, int& value);
  // A group of radio buttons from its first button up to the next control that starts a
  // group (WS_GROUP): the index of the ticked one, -1 when none is.
  void Radio(int firstControlId, int& index);

 private:
  HWND dialog_;
  bool saving_;
  bool failed_ = false;
};

class Dialog : public Window {
 public:
  // A dialog without an owner gets the application's main window as its owner.
  explicit Dialog(int templateId, HWND owner = nullptr) : templateId_(templateId), owner_(owner) {}

  // Runs the dialog with its owner disabled; the dialog's result, or -1 when it could not be
  // created.
  INT_PTR RunModal();

  // Exchanges data in the given direction; false when a control held no valid value.
  bool UpdateData(bool saving);

 protected:
  // Loads the controls from the members; true lets the dialog manager set the focus.
  virtual bool OnInitDialog();
  // Saves the controls into the members and ends the dialog with IDOK, or stays open when
  // a control held no valid value.
  virtual void OnOK();
  // Ends the dialog with IDCANCEL; the members keep their values.
  virtual void OnCancel();
  virtual void ExchangeData(DataExchange& exchange);

  void EndDialog(INT_PTR result) const;

  const RouteTable& Routes() const override;
  // The dialog manager's own processing follows a declined message; there is nothing to call.
  LRESULT DefaultProcessing(const Message& message) override;

  // The body of a dialog procedure; `bindAtInit` is the object that WM_INITDIALOG brings.
  static INT_PTR HandleDialogMessage(Dialog* bindAtInit, HWND window, UINT id, WPARAM wParam,
                                     LPARAM lParam);

 private:
  static INT_PTR CALLBACK ModalProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam);

  const int templateId_;
  const HWND owner_;
};

}  // namespace tembori
