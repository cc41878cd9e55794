// The holiday export's years; a range outside the calendar's years or backwards keeps the
// dialog open with a message.
#include "ical/win32/HolidayRangeDialog.h"

#include <algorithm>

#include "calendar/MonthCalendar.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {

HolidayRangeDialog::HolidayRangeDialog(int shownYear, HWND owner)
    : Dialog(IDD_ICAL_HOLIDAYS, owner) {
  range_.firstYear = std::clamp<int>(shownYear, MinYear, MaxYear);
  range_.lastYear = std::min<int>(range_.firstYear + 2, MaxYear);
}

bool HolidayRangeDialog::OnInitDialog() {
  firstSpin_.Attach(GetDlgItem(Handle(), IDC_ICAL_FIRST_SPIN));
  lastSpin_.Attach(GetDlgItem(Handle(), IDC_ICAL_LAST_SPIN));
  firstSpin_.SetRange(MinYear, MaxYear);
  lastSpin_.SetRange(MinYear, MaxYear);
  return Dialog::OnInitDialog();
}

void HolidayRangeDialog::OnOK() {
  if (!UpdateData(true)) return;
  if (range_.firstYear < MinYear || range_.lastYear > MaxYear ||
      range_.firstYear > range_.lastYear) {
    ShowMessage(IDS_ICAL_BAD_YEARS, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(Handle(), IDC_ICAL_FIRST_YEAR));
    return;
  }
  EndDialog(IDOK);
}

void HolidayRangeDialog::ExchangeData(DataExchange& exchange) {
  exchange.Number(IDC_ICAL_FIRST_YEAR, range_.firstYear);
  exchange.Number(IDC_ICAL_LAST_YEAR, range_.lastYear);
  exchange.Check(IDC_ICAL_DAYS_OFF, otherDaysOff_);
  range_.otherDaysOff = otherDaysOff_ == BST_CHECKED;
}

}  // namespace tembori
