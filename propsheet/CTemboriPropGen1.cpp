// The first general page. The delay is a field of the page like every other: it is saved
// when the page is left and at OK and Apply, and a change of it enables Apply.
#include "propsheet/CTemboriPropGen1.h"

#include "res/ResourceIds.h"

namespace tembori {
namespace {

// In units of 100 ms.
constexpr int kShortestDelay = 1;
constexpr int kLongestDelay = 30;

}  // namespace

CTemboriPropGen1::CTemboriPropGen1() : PropertyPage(IDD_PROPGEN1) {}

bool CTemboriPropGen1::OnInitDialog() {
  // The spin control is ready before the controls are loaded, since it holds the delay.
  delaySpin_.Attach(GetDlgItem(Handle(), IDC_MEMO_DELAY_SPIN));
  delaySpin_.SetRange(kShortestDelay, kLongestDelay);
  return PropertyPage::OnInitDialog();
}

void CTemboriPropGen1::ExchangeData(DataExchange& exchange) {
  exchange.Radio(IDC_JAPANESE, fields_.Language);
  exchange.Radio(IDC_TODAY_IN_BOX, fields_.TodaysFace);
  exchange.Check(IDC_DISP_TODAY, fields_.DispToday);
  for (std::size_t day = 0; day < fields_.WeekdayOff.size(); ++day) {
    exchange.Check(IDC_SUNDAY_OFF + static_cast<int>(day), fields_.WeekdayOff[day]);
  }
  // Text in the box that is no delay within the range leaves the last valid position.
  if (exchange.Saving()) {
    fields_.MemoTime = delaySpin_.Position();
  } else {
    delaySpin_.SetPosition(LOWORD(fields_.MemoTime));
  }
}

const RouteTable& CTemboriPropGen1::Routes() const {
  using Page = CTemboriPropGen1;
  static const Route routes[] = {
      RouteCommand<IDC_JAPANESE, &Page::OnChanged>(),
      RouteCommand<IDC_ENGLISH, &Page::OnChanged>(),
      RouteCommand<IDC_TODAY_IN_BOX, &Page::OnChanged>(),
      RouteCommand<IDC_TODAY_IN_COLOR, &Page::OnChanged>(),
      RouteCommand<IDC_DISP_TODAY, &Page::OnChanged>(),
      RouteCommand<IDC_SUNDAY_OFF, &Page::OnChanged>(),
      RouteCommand<IDC_SUNDAY_OFF + 1, &Page::OnChanged>(),
      RouteCommand<IDC_SUNDAY_OFF + 2, &Page::OnChanged>(),
      RouteCommand<IDC_SUNDAY_OFF + 3, &Page::OnChanged>(),
      RouteCommand<IDC_SUNDAY_OFF + 4, &Page::OnChanged>(),
      RouteCommand<IDC_SUNDAY_OFF + 5, &Page::OnChanged>(),
      RouteCommand<IDC_SUNDAY_OFF + 6, &Page::OnChanged>(),
      // Typing in the box and the spin control's arrows alike.
      RouteNotification<EN_CHANGE, IDC_MEMO_DELAY, &Page::OnChanged>(),
  };
  static const RouteTable table(routes, &PropertyPage::Routes());
  return table;
}

}  // namespace tembori
