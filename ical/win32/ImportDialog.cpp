// The import confirmation.
#include "ical/win32/ImportDialog.h"

#include "res/ResourceIds.h"

namespace tembori {

ImportDialog::ImportDialog(const ICalTransfer& transfer, HWND owner)
    : Dialog(IDD_ICAL_IMPORT, owner), transfer_(transfer) {}

const RouteTable& ImportDialog::Routes() const {
  static const Route routes[] = {
      RouteNotification<BN_CLICKED, IDC_ICAL_OVERWRITE, &ImportDialog::OnOverwriteClicked>(),
  };
  static const RouteTable table(routes, &Dialog::Routes());
  return table;
}

bool ImportDialog::OnInitDialog() {
  const bool result = Dialog::OnInitDialog();
  ShowCounts();
  return result;
}

void ImportDialog::ExchangeData(DataExchange& exchange) {
  exchange.Check(IDC_ICAL_OVERWRITE, overwrite_);
}

void ImportDialog::OnOverwriteClicked() {
  overwrite_ = IsDlgButtonChecked(Handle(), IDC_ICAL_OVERWRITE) == BST_CHECKED ? 1 : 0;
  ShowCounts();
}

void ImportDialog::ShowCounts() const {
  SetDlgItemTextA(Handle(), IDC_ICAL_COUNTS, transfer_.PlanText(overwrite_ != 0).c_str());
}

}  // namespace tembori
