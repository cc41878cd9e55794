// The confirmation of an import: how many memos it adds, replaces and leaves alone, and
// whether it overwrites the days that have a memo, with OK and Cancel.
#pragma once

#include <functional>
#include <string>

#include "framework/Dialog.h"

namespace tembori {

class ImportDialog : public Dialog {
 public:
  // `describe` gives the counts for a choice of overwriting; they follow the tick.
  explicit ImportDialog(std::function<std::string(bool overwrite)> describe, HWND owner = nullptr);

  bool Overwrite() const { return overwrite_ != 0; }

 protected:
  bool OnInitDialog() override;
  void ExchangeData(DataExchange& exchange) override;
  const RouteTable& Routes() const override;

 private:
  void OnOverwriteClicked();
  void ShowCounts() const;

  std::function<std::string(bool)> describe_;
  int overwrite_ = 0;
};

}  // namespace tembori
