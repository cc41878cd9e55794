// The confirmation of an import: how many memos it adds, replaces and leaves alone, and
// whether it overwrites the days that have a memo, with OK and Cancel.
#pragma once

#include "framework/Dialog.h"
#include "ical/win32/ICalTransfer.h"

namespace tembori {

class ImportDialog : public Dialog {
 public:
  // Shows the counts of the transfer's plan for the choice of overwriting; they follow the tick.
  explicit ImportDialog(const ICalTransfer& transfer, HWND owner = nullptr);

  bool Overwrite() const { return overwrite_ != 0; }

 protected:
  bool OnInitDialog() override;
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  void OnOverwriteClicked();
  void ShowCounts() const;

  const ICalTransfer& transfer_;
  int overwrite_ = 0;
};

}  // namespace tembori
