// The calendar window's title bar and its icon in the notification area, which shows the
// same text as its tooltip.
#include "app/CalendarWindow.h"

#include "app/CalendarMarkText.h"
#include "app/DateFormat.h"
#include "app/FrontWindow.h"
#include "framework/MemoryExhaustion.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

constexpr LCID kSystemDefaultLocale = 0x800;
constexpr LCID kEnglishLocale = 0x409;
constexpr char kJapaneseTitle[] = "yy'年' MMMM d'日' '('ddd')'";
constexpr char kEnglishTitle[] = "ddd',' MMM dd yy";
// After the era heading ("令和8年 12月"), the rest of the Japanese title.
constexpr char kJapaneseTitleDay[] = "d'日' '('ddd')'";
constexpr int kTitleBytes = 32;

}  // namespace

std::string CalendarWindow::TitleText() const {
  if (settings_.DispToday == 0) return appName_;
  const bool english = settings_.Language != 0;
  // One byte more than the formatter is given: a failed format may leave the buffer without
  // a terminator.
  char buffer[kTitleBytes + 1] = {};
  if (!english && settings_.EraYear != 0) {
    const SystemTime& today = calendar_.Today();
    FormatDate(calendar_, kSystemDefaultLocale, 0, kJapaneseTitleDay, buffer, kTitleBytes,
               kFormatToday);
    return EraHeading(today.wYear, today.wMonth, today.wDay, &LoadResourceString) + ' ' + buffer;
  }
  FormatDate(calendar_, english ? kEnglishLocale : kSystemDefaultLocale, 0,
             english ? kEnglishTitle : kJapaneseTitle, buffer, kTitleBytes, kFormatToday);
  return buffer;
}

void CalendarWindow::UpdateTitleAndTray() {
  DWORD action = NIM_MODIFY;
  if (settings_.Tray == 0) {
    trayIcon_.Remove();
  } else if (!trayIcon_.Exists()) {
    // Without memory for the record the calendar goes on without an icon until the next
    // change of the title tries again.
    UnlessMemoryRunsOut(
        [&] {
          // The notification area shows the program's own icon.
          const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
          trayIcon_ = TrayIcon(tray_, Handle(), IDI_TRAY, kTrayMessage, icon);
          action = NIM_ADD;
        },
        [] {});
  }
  const std::string title = TitleText();
  SetWindowTextA(Handle(), title.c_str());
  if (trayIcon_.Exists()) {
    trayIcon_.SetTip(title);
    trayIcon_.Notify(action);
  }
}

// A right click on the icon opens the context menu at the pointer; a double click only brings
// the calendar to the front.
LRESULT CalendarWindow::OnTrayNotify(const Message& message) {
  const auto action = static_cast<UINT>(message.lParam);
  if (!trayIcon_.Exists() || message.wParam != trayIcon_.Id() ||
      (action != WM_RBUTTONUP && action != WM_LBUTTONDBLCLK)) {
    return 0;
  }
  // While a dialog of the calendar is open, the icon brings that dialog back, and nothing else.
  if (!IsWindowEnabled(Handle())) {
    BringToFront(Handle());
    return 1;
  }
  SetForegroundWindow(Handle());
  if (action == WM_RBUTTONUP) {
    POINT pointer{};
    GetCursorPos(&pointer);
    if (!HolidayModeOn()) ShowContextMenu(pointer, 0);
  }
  return 1;
}

// A restarted taskbar has lost every icon.
void CalendarWindow::OnTaskbarCreated() {
  trayIcon_.Notify(NIM_ADD);
}

}  // namespace tembori
