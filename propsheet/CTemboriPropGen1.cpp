// The first general page. The delay is a field of the page like every other: it is saved
// when the page is left and at OK and Apply, and a change of it enables Apply.
#include "propsheet/CTemboriPropGen1.h"

#include "res/ResourceIds.h"

namespace tembori {

CTemboriPropGen1::CTemboriPropGen1(Settings& draft) : PropertyPage(IDD_PROPGEN1), draft_(draft) {}

bool CTemboriPropGen1::OnInitDialog() {
  // The spin control is ready before the controls are loaded, since its range bounds the
  // delay its arrows set.
  delaySpin_.Attach(Item(IDC_MEMO_DELAY_SPIN));
  delaySpin_.SetRange(kShortestMemoTime, kLongestMemoTime);
  return PropertyPage::OnInitDialog();
}

void CTemboriPropGen1::ExchangeData(DataExchange& exchange) {
  exchange.Radio(IDC_JAPANESE, draft_.Language);
  exchange.Radio(IDC_TODAY_IN_BOX, draft_.TodaysFace);
  exchange.Check(IDC_DISP_TODAY, draft_.DispToday);
  for (std::size_t day = 0; day < draft_.WeekdayOff.size(); ++day) {
    exchange.Check(IDC_SUNDAY_OFF + static_cast<int>(day), draft_.WeekdayOff[day]);
  }
  // Typing in the box and the spin control's arrows alike change the delay.
  exchange.Number(IDC_MEMO_DELAY, draft_.MemoTime, kShortestMemoTime, kLongestMemoTime,
                  IDS_MEMO_TIME_INVALID);
}

}  // namespace tembori
