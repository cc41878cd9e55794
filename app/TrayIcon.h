// The calendar's icon in the taskbar notification area: the record the shell knows it by,
// owned while the icon exists and removed from the shell when the owner dies.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstddef>
#include <memory>
#include <string_view>

#include "framework/SystemLibrary.h"

namespace tembori {

// The shell's first record layout, which every version of the shell accepts
// (NOTIFYICONDATAA_V1_SIZE, 88 bytes in a 32-bit program). Its 64-byte tooltip ends the
// record: the later, longer tooltip is not read.
inline constexpr std::size_t kTrayTipBytes = 64;
inline constexpr DWORD kTrayRecordSize =
    static_cast<DWORD>(offsetof(NOTIFYICONDATAA, szTip) + kTrayTipBytes);
static_assert(sizeof(void*) != 4 || kTrayRecordSize == 88, "the shell's first icon record");

// Where the icon goes: the shell's notification area, or a stand-in that watches the calls.
class TrayArea {
 public:
  virtual ~TrayArea() = default;
  // Shell_NotifyIconA; its result is not looked at (no taskbar may be running).
  virtual void Notify(DWORD action, const NOTIFYICONDATAA& record) = 0;
};

// The shell is loaded with the first icon: most starts show none.
class ShellTrayArea : public TrayArea {
 public:
  void Notify(DWORD action, const NOTIFYICONDATAA& record) override;

 private:
  SystemLibrary shell_{"shell32.dll"};
};

class TrayIcon {
 public:
  // No icon.
  TrayIcon() = default;
  // A record for an icon of `window` that reports mouse actions with callbackMessage; it
  // reaches the shell with the first Notify (NIM_ADD). Throws std::bad_alloc.
  TrayIcon(TrayArea& area, HWND window, UINT id, UINT callbackMessage, HICON icon);
  TrayIcon(TrayIcon&& other) noexcept = default;
  TrayIcon& operator=(TrayIcon&& other) noexcept;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() { Remove(); }

  bool Exists() const { return record_ != nullptr; }
  UINT Id() const { return record_ != nullptr ? record_->uID : 0; }

  // The tooltip: as much of the text as the first record's 64 bytes hold, always terminated.
  void SetTip(std::string_view text);
  // NIM_ADD or NIM_MODIFY with the record.
  void Notify(DWORD action) const;
  // Takes the icon off the shell (NIM_DELETE) and frees the record.
  void Remove();

 private:
  TrayArea* area_ = nullptr;
  std::unique_ptr<NOTIFYICONDATAA> record_;
};

}  // namespace tembori
