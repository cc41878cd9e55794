// The calendar window's day cursor: the grid as a focus stop, the keys that choose a day,
// and what the chosen day offers (its memo, its mark, its pop-up).
#include "app/CalendarWindow.h"

#include "app/CalendarAccessible.h"
#include "app/DayDescription.h"
#include "app/MemoPopupText.h"
#include "framework/ResourceText.h"
#include "memo/win32/MemoDialog.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

bool Pressed(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

CursorDate CalendarWindow::ShownFirstCursor() const {
  const SystemTime& shown = calendar_.Shown();
  const SystemTime& today = calendar_.Today();
  return FirstCursorDate(shown.wYear, shown.wMonth, {today.wYear, today.wMonth, today.wDay});
}

bool CalendarWindow::PreTranslateGridKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  const auto key = static_cast<int>(message.wParam);
  if (key == VK_TAB && !Pressed(VK_MENU) && !Pressed(VK_CONTROL)) {
    if (message.hwnd == yearField_.Handle()) {
      FocusGrid();
    } else if (message.hwnd == Handle() && !gridFocused_) {
      FocusGrid();
    } else if (message.hwnd == Handle() && !frameless_) {
      // The year field is the grid's only neighbour, backwards and forwards.
      LeaveGrid();
      SetFocus(yearField_.Handle());
      SendMessageA(yearField_.Handle(), EM_SETSEL, 0, -1);
    }
    return true;
  }
  if (!gridFocused_ || message.hwnd != Handle()) return false;
  const bool control = Pressed(VK_CONTROL);
  switch (key) {
    case VK_SPACE: {
      const SystemTime& today = calendar_.Today();
      MoveCursor({today.wYear, today.wMonth, today.wDay});
      return true;
    }
    case VK_ESCAPE:
      LeaveGrid();
      return true;
    case VK_RETURN:
      EditMemoOfChosenDay(cursor_.day);
      return true;
    default:
      break;
  }
  static constexpr struct {
    int key;
    CursorKey plain, withControl;
  } kMoves[] = {
      {VK_LEFT, CursorKey::Left, CursorKey::Left},
      {VK_RIGHT, CursorKey::Right, CursorKey::Right},
      {VK_UP, CursorKey::Up, CursorKey::Up},
      {VK_DOWN, CursorKey::Down, CursorKey::Down},
      {VK_PRIOR, CursorKey::PageUp, CursorKey::YearUp},
      {VK_NEXT, CursorKey::PageDown, CursorKey::YearDown},
      {VK_HOME, CursorKey::Home, CursorKey::Home},
      {VK_END, CursorKey::End, CursorKey::End},
  };
  for (const auto& move : kMoves) {
    if (move.key != key) continue;
    MoveCursor(MoveDayCursor(cursor_, control ? move.withControl : move.plain));
    return true;
  }
  return false;
}

void CalendarWindow::FocusGrid() {
  if (GetFocus() != Handle()) SetFocus(Handle());
  if (!gridFocused_) {
    gridFocused_ = true;
    cursor_ = ShownFirstCursor();
  }
  CursorMoved();
}

void CalendarWindow::LeaveGrid() {
  if (!gridFocused_) return;
  InvalidateDayCell(cursor_.day);
  gridFocused_ = false;
  KillTimer(Handle(), kCursorTimerId);
}

void CalendarWindow::MoveCursor(const CursorDate& to) {
  const SystemTime& shown = calendar_.Shown();
  int months = (to.year - shown.wYear) * 12 + (to.month - shown.wMonth);
  InvalidateDayCell(cursor_.day);
  if (months != 0) {
    for (; months >= 12; months -= 12) calendar_.NextYear();
    for (; months <= -12; months += 12) calendar_.PrevYear();
    for (; months > 0; --months) calendar_.NextMonth();
    for (; months < 0; ++months) calendar_.PrevMonth();
    cursor_ = to;  // before the month is shown, which would otherwise move the cursor
    ShownMonthMoved(true);
  }
  cursor_ = to;
  CursorMoved();
}

void CalendarWindow::CursorMoved() {
  InvalidateDayCell(cursor_.day);
  // The chosen day's memo or name shows after the pointer's delay, as if the pointer rested.
  if (memoPopup_.IsShown()) memoPopup_.HideMemo();
  SetTimer(Handle(), kCursorTimerId, HoverTimerPeriod(settings_.MemoTime), nullptr);
  // A reader speaks the newly chosen day.
  if (GetFocus() == Handle()) {
    NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT,
                   CalendarAccessible::ChildOfDay(cursor_.day));
  }
}

Rect CalendarWindow::CellOfDay(int day) const {
  return DayCell(day, calendar_.FirstWeekday(), WeeksStartOnMonday(settings_),
                 FromWinRect(gridRect_), cell_);
}

void CalendarWindow::InvalidateDayCell(int day) const {
  if (day < 1 || day > calendar_.DaysInMonth()) return;
  const RECT cell = ToWinRect(CellOfDay(day));
  InvalidateRect(Handle(), &cell, TRUE);
}

void CalendarWindow::EditMemoOfChosenDay(int day) {
  if (day == 0) return;
  const SystemTime& shown = calendar_.Shown();
  const std::string line = MemoDayLine(
      shown.wYear, shown.wMonth, day, JapaneseWeekdayName((calendar_.FirstWeekday() + day - 1) % 7),
      LoadResourceString(settings_.MemoFile != 0 ? IDS_MEMO_THIS_YEAR : IDS_MEMO_EVERY_YEAR));
  if (!EditMemo(memos_, day, Handle(), line)) return;
  InvalidateDayCell(day);
}

void CalendarWindow::ToggleMarkOfDay(int day) {
  if (day < 1 || day > calendar_.DaysInMonth()) return;
  calendar_.ToggleMark(day);
  InvalidateDayCell(day);
}

void CalendarWindow::ShowPopupForDay(int day) {
  if (day < 1 || day > calendar_.DaysInMonth()) return;
  if (const auto text = PopupTextForDay(memos_, calendar_, day, settings_.Rokuyo != 0)) {
    RECT cell = ToWinRect(CellOfDay(day));
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
    // Made when first shown: many starts never show it.
    if (memoPopup_.Handle() == nullptr && !memoPopup_.CreateMemoWindow(Handle())) return;
    memoPopup_.ShowMemo(*text, cell);
  }
}

// The focus rectangle shows while the window has the focus. Focus leaving for the year
// field ends the grid's turn; a dialog or a menu over the window only hides the rectangle
// until the focus comes back.
void CalendarWindow::OnFocusChange(const Message& message) {
  if (!gridFocused_) return;
  const auto taker = reinterpret_cast<HWND>(message.wParam);
  if (message.id == WM_KILLFOCUS && taker != nullptr && GetParent(taker) == Handle()) {
    LeaveGrid();
    return;
  }
  InvalidateDayCell(cursor_.day);
  if (message.id == WM_KILLFOCUS) KillTimer(Handle(), kCursorTimerId);
}

}  // namespace tembori
