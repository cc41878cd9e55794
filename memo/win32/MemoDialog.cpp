// The memo dialog and the memo edit.
#include "memo/win32/MemoDialog.h"

#include <utility>

#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {

MemoDialog::MemoDialog(MemoStore& store, int day, std::string memo, HWND owner, std::string dayLine)
    : Dialog(IDD_MEMO, owner),
      store_(store),
      day_(day),
      memo_(std::move(memo)),
      date_(MemoDateLabel(store.ShownMonth(), day)),
      dayLine_(std::move(dayLine)) {}

const RouteTable& MemoDialog::Routes() const {
  static const Route routes[] = {
      RouteCommand<IDC_MEMO_DELETE, &MemoDialog::OnDelete>(),
      RouteNotification<EN_CHANGE, IDC_MEMO_TEXT, &MemoDialog::OnMemoChanged>(),
  };
  static const RouteTable table(routes, &Dialog::Routes());
  return table;
}

bool MemoDialog::OnInitDialog() {
  const bool result = Dialog::OnInitDialog();
  SendDlgItemMessageA(Handle(), IDC_MEMO_TEXT, EM_LIMITTEXT, kMaxMemoBytes, 0);
  if (memo_.empty()) EnableWindow(GetDlgItem(Handle(), IDC_MEMO_DELETE), FALSE);
  return result;
}

void MemoDialog::OnOK() {
  if (!UpdateData(true)) return;
  while (store_.CommitEdit(day_, memo_) == MemoSaveResult::TextNotSaved) {
    if (ShowMessageOver(Handle(), IDS_MEMO_NOT_SAVED, MB_RETRYCANCEL | MB_ICONEXCLAMATION) !=
        IDRETRY) {
      return;
    }
  }
  EndDialog(IDOK);
}

void MemoDialog::ExchangeData(DataExchange& exchange) {
  exchange.Text(IDC_MEMO_TEXT, memo_);
  exchange.Text(IDC_MEMO_DATE, date_);
  exchange.Text(IDC_MEMO_DAY, dayLine_);
  memo_.resize(BoundMemoText(memo_).size());
}

void MemoDialog::OnDelete() {
  SetDlgItemTextA(Handle(), IDC_MEMO_TEXT, "");
}

// The edit control's limit counts characters, not bytes, where its text is kept in Unicode:
// double-byte characters could pass 64 bytes. The line is cut back to whole characters.
void MemoDialog::OnMemoChanged() {
  const HWND edit = GetDlgItem(Handle(), IDC_MEMO_TEXT);
  if (GetWindowTextLengthA(edit) <= static_cast<int>(kMaxMemoBytes)) return;
  std::string text;
  DataExchange exchange(*this, true);
  exchange.Text(IDC_MEMO_TEXT, text);
  const std::string bounded(BoundMemoText(text));
  if (bounded.size() == text.size()) return;
  SetWindowTextA(edit, bounded.c_str());
  SendMessageA(edit, EM_SETSEL, bounded.size(), bounded.size());
  MessageBeep(MB_OK);
}

bool EditMemo(MemoStore& store, int day, HWND owner, const std::string& dayLine) {
  std::string text;
  if (!store.BeginEdit(day, text)) return false;
  MemoDialog dialog(store, day, std::move(text), owner, dayLine);
  if (dialog.RunModal() == IDOK) return true;
  store.EndEdit();
  return false;
}

}  // namespace tembori
