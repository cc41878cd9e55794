// Modal dialogs from dialog templates, with data exchange between controls and members.
// Handlers in a dialog's routing table that want the dialog manager's default processing
// decline the message (std::optional without a value) instead of calling DefaultProcessing.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/Window.h"

namespace tembori {

// Tells the user at a field what is wrong with its input: a balloon tip on the edit control
// (or on the edit field of a combo box). The field keeps its text, selected for correction;
// the focus stays where it is.
void ShowFieldTip(HWND field, const std::string& text);
// Puts away the balloon of ShowFieldTip once the field's input has been taken.
void HideFieldTip();

// One pass of data exchange: loading puts members into controls, saving reads the controls
// into members. A failed conversion puts the focus on its control and ends the pass. Every
// control the pass touches is noted in `exchanged` (when given), in both directions.
class Dialog;

class DataExchange {
 public:
  DataExchange(const Dialog& dialog, bool saving, std::vector<int>* exchanged = nullptr)
      : dialog_(dialog), saving_(saving), exchanged_(exchanged) {}

  bool Succeeded() const { return !failed_; }
  // True when the controls are read into the members.
  bool Saving() const { return saving_; }

  // The control's whole text, however long.
  void Text(int controlId, std::string& value);
  // A signed decimal number; saving fails when the text is none.
  void Number(int controlId, int& value);
  // A number from `lowest` to `highest`: saving fails, with the string-table entry
  // `complaintId` shown at the field, when the text is no such number; the member then keeps
  // its value.
  void Number(int controlId, int& value, int lowest, int highest, UINT complaintId);
  // A check box: 0 unticked, 1 ticked, 2 indeterminate.
  void Check(int controlId, int& value);
  // A group of radio buttons from its first button up to the next control that starts a
  // group (WS_GROUP): the index of the ticked one, -1 when none is.
  void Radio(int firstControlId, int& index);
  // A control whose value the dialog moves itself: it is noted like the others.
  void Own(int controlId);

 private:
  void Note(int controlId);
  // Ends the pass as failed, with the focus on the control.
  void Fail(int controlId);

  const Dialog& dialog_;
  bool saving_;
  std::vector<int>* exchanged_;
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

  // The dialog's controls by identifier. Each is looked up once: the platform may search
  // the window list through its window manager for every lookup.
  HWND Item(int controlId) const;
  void EnableItem(int controlId, bool enabled) const;
  // A check box or radio button ticked or not, and whether it is ticked.
  void CheckItem(int controlId, bool checked) const;
  bool IsItemChecked(int controlId) const;
  std::string ItemText(int controlId) const;
  void SetItemText(int controlId, const std::string& text) const;

 protected:
  // Loads the controls from the members; true lets the dialog manager set the focus.
  virtual bool OnInitDialog();
  // Saves the controls into the members and ends the dialog with IDOK, or stays open when
  // a control held no valid value.
  virtual void OnOK();
  // Ends the dialog with IDCANCEL; the members keep their values.
  virtual void OnCancel();
  virtual void ExchangeData(DataExchange& exchange);
  // Where the controls that data exchange touches are noted; none by default.
  virtual std::vector<int>* ExchangedControls() { return nullptr; }

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
  // The controls looked up so far; made again for every window the dialog gets.
  mutable std::vector<std::pair<int, HWND>> items_;
};

}  // namespace tembori
