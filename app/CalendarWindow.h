// The calendar window: one month in a window of its own class, with its fonts, layout,
// child controls, painting, input, title and tray icon, and remembered position. Each of
// these concerns has its own source file: CalendarWindow.cpp (creation, layout, frame and
// position), CalendarWindowPaint.cpp, CalendarWindowCommands.cpp (commands, navigation and
// keys), CalendarWindowCursor.cpp (the keyboard's day cursor), CalendarWindowMouse.cpp,
// CalendarWindowTitle.cpp (title and tray), and CalendarWindowMemo.cpp (memos, their pop-up
// and the hover timer).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "app/CalendarControls.h"
#include "app/CalendarPainting.h"
#include "app/HoverTimer.h"
#include "app/MemoWindow.h"
#include "app/TrayIcon.h"
#include "app/WindowDrag.h"
#include "app/geometry/DayCursor.h"
#include "app/geometry/Geometry.h"
#include "app/geometry/InputGeometry.h"
#include "app/geometry/PlatformAbilities.h"
#include "calendar/Clock.h"
#include "calendar/MonthCalendar.h"
#include "framework/ChildControl.h"
#include "framework/GdiHandles.h"
#include "framework/Window.h"
#include "memo/MemoStore.h"
#include "memo/win32/NamedStoreLock.h"
#include "memo/win32/PrivateProfileFile.h"
#include "propsheet/rules/ApplySettings.h"
#include "settings/KeyValueStore.h"
#include "settings/Settings.h"

namespace tembori {

// The directory of the running program, where its memo files are; empty when it cannot be told.
std::string FindProgramDir();

class CalendarAccessible;

class CalendarWindow : public Window, public CalendarOperations {
 public:
  // Builds the month for today and creates the (hidden) window; Handle() is null when that
  // failed. The window shows what `settings` say whenever it is drawn or told of a change;
  // `store` keeps its marks, registry memos and position, `tray` takes its icon.
  CalendarWindow(const Settings& settings, const PlatformAbilities& platform, const Clock& clock,
                 KeyValueStore& store, TrayArea& tray);

  // Rebuilds the calendar font from the settings' face, size and character set; a request
  // that cannot be honoured falls back to the system's small caption font.
  void CreateCalendarFont(const std::string& typeFace, const std::string& pointSize,
                          std::uint8_t charSet, std::uint8_t pitchAndFamily) override;
  // The font actually made, as the settings store it.
  std::string FontFaceName() const;
  std::string FontPointSize() const;  // whole points, decimal
  std::uint8_t FontCharSet() const;
  HFONT CalendarFont() const { return calendarFont_.get(); }
  HFONT MarkFont() const { return markFont_.get(); }
  // The size of the widest 六曜 in the mark font; none while the setting is off.
  CellSize MarkSize() const;

  // Sizes the window and its rectangles from the calendar font and applies the frame, tray
  // and topmost settings.
  void LayoutWindow(FrameChange frameChange);
  // The month buttons in the top corners and the heading between them; after LayoutWindow.
  void PlaceMonthButtons() override;
  // Shows or hides the frame, keeping the calendar where it is on the screen.
  void ToggleFrame();

  // The window's title and the tray icon's tooltip from the settings: the program's name or
  // today's date; adds, changes or removes the tray icon as the Tray setting says.
  void UpdateTitleAndTray() override;
  // After the settings have changed: the shown year's national holidays are computed again
  // under the chosen rule set, marks made against the old weekly days off are dropped and
  // the month's days off are computed again.
  void ReloadHolidays() override;
  // Reads the government's list of holidays (syukujitsu.csv) from the user's application data
  // folder under Tembori\ or beside the program, while the law's rules are in use; a damaged
  // list is reported and left out. Recompute the year to show it.
  void LoadHolidayFile();
  // Which days of the shown month have a memo, from the store the settings name now.
  void LoadMonthMap() override;
  // The hover timer with the period the settings give now.
  void RestartHoverTimer() override;
  // The year field shows the shown year, and the heading and the grid are drawn again.
  void RefreshShownMonth();
  // The day of the shown month under a client point, with its cell.
  DayHit DayFromPoint(Point point) const;

  // The holiday-setting mode, in which a right click marks a day.
  bool HolidayModeOn() const { return modeButton_.State() == 0; }
  bool Frameless() const { return frameless_; }
  bool Dragging() const { return drag_.Active(); }
  // The grid as a focus stop: while it has the focus the keys move the chosen day, which is
  // 0 otherwise.
  bool GridFocused() const { return gridFocused_; }
  int CursorDay() const { return gridFocused_ ? cursor_.day : 0; }
  // A day's cell in client coordinates.
  Rect CellOfDay(int day) const;

  // What screen readers are told (CalendarWindowAccessible.cpp): the heading as it is drawn,
  // a day's full date and weekday, and what its cell shows.
  std::string HeadingText() const;
  std::string AccessibleDayName(int day) const;
  std::string AccessibleDayDescription(int day);

  // Keys typed into the window or any of its controls go through the accelerators first.
  bool PreTranslateMessage(MSG& message) override;

  MonthCalendar& Calendar() { return calendar_; }
  const MonthCalendar& Calendar() const { return calendar_; }
  std::uint32_t MemoMap() const { return memos_.MemoMap(); }
  MemoStore& Memos() { return memos_; }
  const MemoWindow& MemoPopup() const { return memoPopup_; }
  bool HoverTimerRunning() const { return hoverTimer_.Running(); }
  CellSize Cell() const { return cell_; }
  // The DPI of the monitor the window is on, which its fonts and layout are made for.
  int Dpi() const { return dpi_; }
  const RECT& GridRect() const { return gridRect_; }
  const RECT& TitleRect() const { return titleRect_; }
  const RECT& BottomStripRect() const { return bottomStripRect_; }
  const std::string& ProgramDir() const { return programDir_; }

 protected:
  const RouteTable& Routes() const override;

 private:
  // The tray icon reports its mouse actions with this message.
  static constexpr UINT kTrayMessage = WM_USER;
  // The chosen day's pop-up waits on this timer, beside the hover timer.
  static constexpr UINT_PTR kCursorTimerId = HoverTimer::kTimerId + 1;

  // The old wheel's registered message where the platform has it, else 0.
  static UINT WheelRollMessage() { return wheelRollMessage_; }
  static UINT TaskbarCreatedMessage();

  void RegisterWindowClass() const;
  // The system font made for the window's DPI, also in the year field.
  void CreateSystemFont();
  // Fonts and pictures for another DPI; the layout is the caller's.
  void UseDpi(int dpi);
  // The window's size for the calendar font and these styles; sets the cell size.
  SIZE WantedWindowSize(DWORD style, DWORD exStyle);
  // The rectangles of the client area and the title row for the cell size, kept here.
  CalendarLayout UseLayout();
  MonthButtonLayout UseMonthButtonLayout();
  // The five controls, at their places in a window laid out.
  void CreateControls();
  void CreateButton(CalendarButton& button, const Rect& rect, int controlId);
  void PlaceControl(const Window& control, const Rect& rect) const;
  CalendarView View() const;
  // Where the window of that size was last time, brought onto the screen; the screen's
  // corner when no position can be had.
  Rect RestorePosition(int width, int height) const;
  void SavePosition();
  std::string TitleText() const;
  // The context menu at a point on the screen; with a day of the shown month (else 0) it
  // begins with that day's memo and mark.
  void ShowContextMenu(POINT at, int day);
  // Moves the shown month and shows it.
  void Step(CalendarStep step);
  // Every change of the shown month ends here, after the model has moved: the one place for
  // what a newly shown month needs. The year field is rewritten unless it gave the year.
  void ShownMonthMoved(bool yearFieldFollows);
  void InvalidateShownMonth() const;

  // Creation, layout, frame and position.
  LRESULT OnNcCreate(const Message& message);
  LRESULT OnCreate(const Message& message);
  LRESULT OnDestroy(const Message& message);
  LRESULT OnClose(const Message& message);
  BOOL OnQueryEndSession();
  void OnMove();
  LRESULT OnDpiChanged(const Message& message);
  void OnFrameToggle() { ToggleFrame(); }
  // Painting.
  void OnPaint();
  BOOL OnEraseBkgnd(HDC dc);
  void OnPrintClient(HDC dc);
  void OnSystemColoursChanged(const Message& message);
  // Commands, navigation and keys.
  void OnNextMonth() { Step(CalendarStep::NextMonth); }
  void OnPrevMonth() { Step(CalendarStep::PrevMonth); }
  void OnNextYear() { Step(CalendarStep::NextYear); }
  void OnPrevYear() { Step(CalendarStep::PrevYear); }
  void OnThisMonth() { Step(CalendarStep::ThisMonth); }
  void OnModeButton();
  void OnAppExit();
  // F1: offered to the windows that may know the context, else the help file (ID_DEFAULT_HELP).
  void OnHelpKey();
  void OnContextMenu(HWND clicked, POINT at);
  std::optional<LRESULT> OnMouseWheel(short delta, UINT keys, POINT at);
  LRESULT OnWheelRoll(const Message& message);
  LRESULT OnInitMenu(const Message& message);
  std::optional<LRESULT> OnYearFieldKillFocus();
  LRESULT OnYearSpinDeltaPos(const Message& message);
  // Mouse.
  std::optional<LRESULT> OnRButtonUp(POINT point, UINT keys);
  std::optional<LRESULT> OnLButtonDblClk(POINT point, UINT keys);
  LRESULT OnMButtonUp(const Message& message);
  std::optional<LRESULT> OnLButtonDown(POINT point, UINT keys);
  std::optional<LRESULT> OnMouseMove(POINT point, UINT keys);
  std::optional<LRESULT> OnLButtonUp(POINT point, UINT keys);
  void OnCaptureChanged(HWND taker);
  // Title and tray.
  LRESULT OnTrayNotify(const Message& message);
  void OnTaskbarCreated();
  // An import, here or in another process, has written memos: the shown month's are read again.
  void OnMemosChanged();
  // The day cursor.
  bool PreTranslateGridKey(const MSG& message);
  CursorDate ShownFirstCursor() const;
  void FocusGrid();
  void LeaveGrid();
  void MoveCursor(const CursorDate& to);
  void CursorMoved();
  void InvalidateDayCell(int day) const;
  void EditMemoOfChosenDay(int day);
  void ToggleMarkOfDay(int day);
  void ShowPopupForDay(int day);
  // WM_SETFOCUS and WM_KILLFOCUS.
  void OnFocusChange(const Message& message);
  // Screen readers.
  LRESULT OnGetObject(const Message& message);
  void OnDayMemo() { EditMemoOfChosenDay(menuDay_); }
  void OnDayMark() { ToggleMarkOfDay(menuDay_); }
  // Memos and the hover timer.
  void TrackPointer(POINT point);
  void OnTimer(UINT_PTR timerId);
  // What applying the settings asks of the window, beyond the public operations above
  // (CalendarWindow.cpp).
  void ShowCalendar(bool shown) override;
  void LayoutWindow() override { LayoutWindow(FrameChange::None); }
  void InvalidateCalendar() override;

  static inline UINT wheelRollMessage_ = 0;

  const Settings& settings_;
  const PlatformAbilities platform_;
  KeyValueStore& store_;
  TrayArea& tray_;
  RECT gridRect_{};
  RECT boxRect_{};
  RECT titleRect_{};
  RECT rightStripRect_{};
  RECT leftStripRect_{};
  RECT bottomStripRect_{};
  HACCEL accelerators_ = nullptr;  // loaded from the resources: freed with the program
  FontHandle systemFont_;
  FontHandle calendarFont_;
  FontHandle markFont_;  // the calendar font's smaller size, for the 六曜 in the cells
  CalendarButton prevMonthButton_;
  CalendarButton nextMonthButton_;
  CalendarButton modeButton_;
  YearEdit yearField_;
  UpDownControl yearSpin_;
  FrameShift frameShift_;
  CellSize cell_;
  int dpi_ = kDefaultDpi;
  bool created_ = false;  // OnCreate has laid the window out
  MonthCalendar calendar_;
  HolidayFile holidayFile_;  // the list in force while calendar_ points to it
  PrivateProfileFile memoFiles_;
  NamedStoreLock memoLock_;
  MemoStore memos_;  // over calendar_, memoFiles_ and memoLock_, declared before it
  MemoWindow memoPopup_;
  HoverTimer hoverTimer_;
  bool frameless_;
  WindowDrag drag_;
  std::string programDir_;
  const std::string appName_;
  TrayIcon trayIcon_;
  bool gridFocused_ = false;
  CursorDate cursor_;                         // in the shown month while the grid has the focus
  int menuDay_ = 0;                           // the day whose section the last context menu had
  CalendarAccessible* accessible_ = nullptr;  // one reference, given up when destroyed
};

}  // namespace tembori
