// Adding, changing and removing the notification-area icon.
#include "app/TrayIcon.h"

#include <algorithm>
#include <cstring>

namespace tembori {

void ShellTrayArea::Notify(DWORD action, const NOTIFYICONDATAA& record) {
  // The shell reads the record only; the copy keeps its own const.
  NOTIFYICONDATAA copy = record;
  // Without the shell no icon was added: only an addition reports it missing, not every
  // change of the title or the removal.
  if (action != NIM_ADD && !shell_.Loaded()) return;
  const auto notify = shell_.Function<decltype(&Shell_NotifyIconA)>("Shell_NotifyIconA");
  if (notify != nullptr) notify(action, &copy);
}

TrayIcon::TrayIcon(TrayArea& area, HWND window, UINT id, UINT callbackMessage, HICON icon)
    : area_(&area), record_(std::make_unique<NOTIFYICONDATAA>()) {
  record_->cbSize = kTrayRecordSize;
  record_->hWnd = window;
  record_->uID = id;
  record_->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_->uCallbackMessage = callbackMessage;
  record_->hIcon = icon;
}

TrayIcon& TrayIcon::operator=(TrayIcon&& other) noexcept {
  if (this != &other) {
    Remove();
    area_ = other.area_;
    record_ = std::move(other.record_);
  }
  return *this;
}

void TrayIcon::SetTip(std::string_view text) {
  if (record_ == nullptr) return;
  char* const tip = record_->szTip;
  const std::size_t length = std::min(text.size(), kTrayTipBytes - 1);
  std::memcpy(tip, text.data(), length);
  tip[length] = '\0';
}

void TrayIcon::Notify(DWORD action) const {
  if (record_ != nullptr) area_->Notify(action, *record_);
}

void TrayIcon::Remove() {
  if (record_ == nullptr) return;
  area_->Notify(NIM_DELETE, *record_);
  record_.reset();
}

}  // namespace tembori
