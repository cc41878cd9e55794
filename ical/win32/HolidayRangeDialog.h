// The years of a holiday export, from the shown year to two years later unless changed, and
// whether the other days off (marks and weekly days off) go with the holidays.
#pragma once

#include "framework/ChildControl.h"
#include "framework/Dialog.h"
#include "ical/HolidayCalendar.h"

namespace tembori {

class HolidayRangeDialog : public Dialog {
 public:
  explicit HolidayRangeDialog(int shownYear, HWND owner = nullptr);

  const HolidayExportRange& Range() const { return range_; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void ExchangeData(DataExchange& exchange) override;

 private:
  HolidayExportRange range_;
  int otherDaysOff_ = 0;
  UpDownControl firstSpin_;
  UpDownControl lastSpin_;
};

}  // namespace tembori
