// The memo dialog: one line of at most 64 bytes for a day, with OK, Cancel and a Delete
// button that empties the line (the memo is deleted when OK stores the empty line), and
// the edit of a day's memo from the store through the dialog and back.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "memo/MemoStore.h"

namespace tembori {

class MemoDialog : public Dialog {
 public:
  // The memo of `day` of the shown month of `store`, whose edit has begun: the dialog is
  // labelled with the date (12/5), `dayLine` says more of the day under the label; `memo` is
  // the line's first text; OK commits the line to the store. Without an owner the dialog
  // belongs to the application's main window.
  MemoDialog(MemoStore& store, int day, std::string memo, HWND owner = nullptr,
             std::string dayLine = {});

 protected:
  bool OnInitDialog() override;
  // A line that could not be stored keeps the dialog open under a message that offers to
  // try again; after Cancel there the line can be changed, saved again or dropped.
  void OnOK() override;
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  void OnDelete();
  void OnMemoChanged();

  MemoStore& store_;
  int day_;
  std::string memo_;
  std::string date_;
  std::string dayLine_;
};

// Edits the memo of `day` of the shown month: the dialog opens with the stored text, and
// OK stores the line (an empty one deletes the memo). True when the line was stored, so that
// the day's cell is drawn again; false when the store could not be opened or the dialog was
// cancelled.
bool EditMemo(MemoStore& store, int day, HWND owner, const std::string& dayLine = {});

}  // namespace tembori
