// The import confirmation.
#include "ical/win32/ImportDialog.h"

#include <utility>

#include "res/ResourceIds.h"

namespace tembori {

ImportDialog::ImportDialog(std::function<std::string(bool)> describe, HWND owner)
    : Dialog(IDD_ICAL_IMPORT, owner), describe_(std::move(describe)) {}

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
  SetDlgItemTextA(Handle(), IDC_ICAL_COUNTS, describe_(overwrite_ != 0).c_str());
}

}  // namespace tembori
