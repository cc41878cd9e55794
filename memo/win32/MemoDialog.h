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
  // `date` labels the day (12/5), `dayLine` says more of it under the label; `memo` is the
  // line's first text. Without an owner the dialog belongs to the application's main window.
  MemoDialog(std::string date, std::string memo, HWND owner = nullptr, std::string dayLine = {});

  // After OK: the line as it was, bounded to what the stores take.
  const std::string& Memo() const { return memo_; }

 protected:
  bool OnInitDialog() override;
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  void OnDelete();
  void OnMemoChanged();

  std::string memo_;
  std::string date_;
  std::string dayLine_;
};

// Edits the memo of `day` of the shown month: the dialog opens with the stored text, and
// OK stores the line (an empty one deletes the memo). A text that could not be stored is
// reported in a message box. True when OK was pressed, so that the day's cell is drawn
// again; false when the store could not be opened or the dialog was cancelled.
bool EditMemo(MemoStore& store, int day, HWND owner, const std::string& dayLine = {});

}  // namespace tembori
