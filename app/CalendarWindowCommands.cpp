// The calendar window's commands and navigation: the menu's and the buttons' commands, the
// context menu, the keys, the wheel and the year field with its spin control.
#include "app/CalendarWindow.h"

#include <commctrl.h>

#include "framework/Dialog.h"
#include "framework/MenuHandle.h"
#include "framework/ResourceText.h"
#include "framework/WholeFile.h"
#include "help/HelpKey.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

// The keyboard messages as far as the accelerators go: WM_KEYDOWN to 0x108, the old
// WM_KEYLAST.
constexpr UINT kFirstKeyMessage = WM_KEYDOWN;
constexpr UINT kLastKeyMessage = 0x108;

}  // namespace

bool CalendarWindow::PreTranslateMessage(MSG& message) {
  if (message.message < kFirstKeyMessage || message.message > kLastKeyMessage) {
    return Window::PreTranslateMessage(message);
  }
  // A key hides the memo's pop-up, whatever it then does.
  if (memoPopup_.IsShown()) memoPopup_.HideMemo();
  if (PreTranslateGridKey(message)) return true;
  // Also while the year field has the focus: the arrows and Space move the calendar there.
  return accelerators_ != nullptr && TranslateAcceleratorA(Handle(), accelerators_, &message) != 0;
}

void CalendarWindow::Step(CalendarStep step) {
  switch (step) {
    case CalendarStep::None:
      return;
    case CalendarStep::NextMonth:
      calendar_.NextMonth();
      break;
    case CalendarStep::PrevMonth:
      calendar_.PrevMonth();
      break;
    case CalendarStep::NextYear:
      calendar_.NextYear();
      break;
    case CalendarStep::PrevYear:
      calendar_.PrevYear();
      break;
    case CalendarStep::ThisMonth:
      calendar_.GoToToday();
      break;
  }
  // At the ends of the year range the model stays, and the month is shown again all the same.
  ShownMonthMoved(true);
}

void CalendarWindow::ShownMonthMoved(bool yearFieldFollows) {
  memos_.LoadMonthMap();
  // A cursor left in another month goes to the new month's first place.
  const SystemTime& shown = calendar_.Shown();
  if (gridFocused_ && (cursor_.year != shown.wYear || cursor_.month != shown.wMonth)) {
    cursor_ = ShownFirstCursor();
    CursorMoved();
  }
  if (yearFieldFollows) {
    RefreshShownMonth();
  } else {
    InvalidateShownMonth();
  }
  // A pop-up still up tells of a day of the month before, over another day now.
  if (memoPopup_.IsShown()) memoPopup_.HideMemo();
}

void CalendarWindow::RefreshShownMonth() {
  yearSpin_.SetPosition(calendar_.Shown().wYear);
  InvalidateShownMonth();
}

void CalendarWindow::InvalidateShownMonth() const {
  InvalidateRect(Handle(), &titleRect_, TRUE);
  // The grid's background is erased by its painting over every cell.
  InvalidateRect(Handle(), &gridRect_, FALSE);
}

// The whole year, since the rule set of the national holidays or their list may have
// changed too.
void CalendarWindow::ReloadHolidays() {
  LoadHolidayFile();
  calendar_.RecomputeYear();
}

void CalendarWindow::LoadHolidayFile() {
  calendar_.SetHolidayFile(nullptr);
  if (settings_.HolidayLaw == 0) return;
  char appData[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
  // The user's folder first, then the program's.
  const std::string folders[] = {
      length > 0 && length < MAX_PATH ? std::string(appData) + "\\Tembori\\" : std::string(),
      programDir_};
  for (const std::string& folder : folders) {
    const std::string path = folder + "syukujitsu.csv";
    if (folder.empty() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    // Read by the framework's file functions, which the memo files use too, rather than by
    // the C library's streams, which would add their own code and imports to the program.
    std::string bytes;
    const WholeFileRead read = ReadWholeFile(path, HolidayFile::MaxBytes, bytes);
    const HolidayFile::Error error = read == WholeFileRead::Ok ? holidayFile_.Parse(bytes)
                                     : read == WholeFileRead::TooLarge
                                         ? HolidayFile::Error::TooLarge
                                         : HolidayFile::Error::Unreadable;
    if (error == HolidayFile::Error::None) {
      calendar_.SetHolidayFile(&holidayFile_);
      return;
    }
    static_assert(IDS_HOLIDAY_FILE_TOO_LARGE == IDS_HOLIDAY_FILE_UNREADABLE + 1 &&
                      IDS_HOLIDAY_FILE_BAD_LINE == IDS_HOLIDAY_FILE_UNREADABLE + 2,
                  "the texts follow the order of the errors");
    const UINT text = IDS_HOLIDAY_FILE_UNREADABLE - 1 + static_cast<UINT>(error);
    // user32's formatter takes at most 1024 characters, a path at most MAX_PATH.
    char message[1024];
    wsprintfA(message, LoadResourceString(text).c_str(), path.c_str(),
              static_cast<int>(holidayFile_.BadLine()));
    ShowMessage(message);
    return;
  }
}

// The padlock is hidden without the frame, so switching the mode brings the frame back.
void CalendarWindow::OnModeButton() {
  if (frameless_) ToggleFrame();
  modeButton_.SetState(modeButton_.State() == 1 ? 0 : 1);
  InvalidateRect(modeButton_.Handle(), nullptr, TRUE);
}

// Closing saves the position and destroys the window, and this object with it.
void CalendarWindow::OnAppExit() {
  SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void CalendarWindow::OnHelpKey() {
  HandleHelpKey(Handle());
}

// The keyboard's menu (the context-menu key, Shift+F10) opens at the chosen day while the
// grid has the focus, else at the window's corner; the mouse's at the pointer, with the
// section of the day under it. In the holiday-setting mode a right click marks days instead.
void CalendarWindow::OnContextMenu(HWND, POINT at) {
  // As the platform asks from the keyboard: -1 in either coordinate.
  const bool keyboard = at.x == -1 || at.y == -1;
  if (keyboard && gridFocused_) {
    const Rect cell = CellOfDay(cursor_.day);
    POINT corner{cell.left, cell.bottom};
    ClientToScreen(Handle(), &corner);
    ShowContextMenu(corner, cursor_.day);
    return;
  }
  if (HolidayModeOn()) return;
  if (keyboard) {
    RECT window{};
    GetWindowRect(Handle(), &window);
    ShowContextMenu({window.left, window.top}, 0);
    return;
  }
  POINT client = at;
  ScreenToClient(Handle(), &client);
  ShowContextMenu(at, DayFromPoint(FromWinPoint(client)).day);
}

void CalendarWindow::ShowContextMenu(POINT at, int day) {
  const MenuHandle menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXTMENU)));
  const HMENU popup = menu != nullptr ? GetSubMenu(menu.get(), 0) : nullptr;
  if (popup == nullptr) return;
  menuDay_ = day;
  if (day != 0) {
    const std::string memo = LoadResourceString(IDS_DAY_MEMO);
    const std::string mark =
        LoadResourceString(calendar_.IsDayOff(day) ? IDS_MAKE_WORKING_DAY : IDS_MAKE_DAY_OFF);
    InsertMenuA(popup, 0, MF_BYPOSITION | MF_STRING, ID_DAY_MEMO, memo.c_str());
    InsertMenuA(popup, 1, MF_BYPOSITION | MF_STRING, ID_DAY_MARK, mark.c_str());
    InsertMenuA(popup, 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  }
  // The choice arrives as a command once the menu has closed.
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
  // Lets the menu close at once when the window was not in the foreground.
  PostMessageA(Handle(), WM_NULL, 0, 0);
}

std::optional<LRESULT> CalendarWindow::OnMouseWheel(short delta, UINT keys, POINT) {
  const CalendarStep step = WheelStep(delta, (keys & MK_CONTROL) != 0);
  if (step == CalendarStep::None) return std::nullopt;
  Step(step);
  return 0;
}

LRESULT CalendarWindow::OnWheelRoll(const Message& message) {
  const auto delta = static_cast<short>(LOWORD(message.wParam));
  Step(WheelStep(delta, GetKeyState(VK_CONTROL) < 0));
  return 0;
}

// The window cannot be maximised, and only a minimised window can be restored.
LRESULT CalendarWindow::OnInitMenu(const Message& message) {
  const LRESULT result = DefaultProcessing(message);
  const HMENU systemMenu = GetSystemMenu(Handle(), FALSE);
  const bool minimised = IsIconic(Handle()) != FALSE;
  EnableMenuItem(systemMenu, SC_RESTORE, MF_BYCOMMAND | (minimised ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(systemMenu, SC_MINIMIZE, MF_BYCOMMAND | (minimised ? MF_GRAYED : MF_ENABLED));
  EnableMenuItem(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
  return result;
}

// A typed year counts when the field is left; text that is no year from 1851 to 2150 is
// left as it is for correction, and a balloon at the field says why (not when the focus has
// gone to another program, over which the balloon would stand). Enter on such a text keeps
// the focus in the field, its text selected, so that typing corrects it at once.
std::optional<LRESULT> CalendarWindow::OnYearFieldKillFocus() {
  const LRESULT position = SendMessageA(yearSpin_.Handle(), UDM_GETPOS, 0, 0);
  if (HIWORD(position) != 0) {
    if (yearField_.LeavingByEnter()) {
      SetFocus(yearField_.Handle());
      SendMessageA(yearField_.Handle(), EM_SETSEL, 0, -1);
    }
    if (GetFocus() != nullptr) {
      ShowFieldTip(yearField_.Handle(), LoadResourceString(IDS_YEAR_INVALID));
    }
    return std::nullopt;
  }
  HideFieldTip();
  const auto year = static_cast<std::uint16_t>(LOWORD(position));
  yearSpin_.SetPosition(year);  // in its normal form: "01999" becomes "1999"
  if (!calendar_.SetYear(year)) return std::nullopt;
  ShownMonthMoved(false);
  return 0;
}

// The spin control writes the new year into the field itself, within its range.
LRESULT CalendarWindow::OnYearSpinDeltaPos(const Message& message) {
  const auto& change = *reinterpret_cast<const NMUPDOWN*>(message.lParam);
  if (calendar_.SetYear(static_cast<std::uint16_t>(change.iPos + change.iDelta))) {
    ShownMonthMoved(false);
  }
  return 0;
}

}  // namespace tembori
