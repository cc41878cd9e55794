// The calendar window: one month in a window of its own class, with its fonts, layout,
// child controls, painting and remembered position.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/CalendarControls.h"
#include "app/CalendarPainting.h"
#include "app/geometry/Geometry.h"
#include "calendar/MonthCalendar.h"
#include "framework/ChildControl.h"
#include "framework/GdiHandles.h"
#include "framework/Window.h"

namespace tembori {

class CalendarApp;

class CalendarWindow : public Window {
 public:
  // Builds the month for today and creates the (hidden) window; Handle() is null when that
  // failed.
  explicit CalendarWindow(CalendarApp& app);

  // Rebuilds the calendar font from the settings' face, size and character set; a request
  // that cannot be honoured falls back to the system's small caption font.
  void CreateCalendarFont(const std::string& typeFace, const std::string& pointSize,
                          std::uint8_t charSet, std::uint8_t pitchAndFamily);
  // The font actually made, as the settings store it.
  std::string FontFaceName() const;
  std::string FontPointSize() const;  // whole points, decimal
  std::uint8_t FontCharSet() const;
  HFONT CalendarFont() const { return calendarFont_.get(); }

  // Sizes the window and its rectangles from the calendar font and applies the frame, tray
  // and topmost settings; `initial` (only during creation) places the window at its
  // remembered position and creates the bottom-strip controls.
  void LayoutWindow(bool initial, FrameChange frameChange);
  // The month buttons in the top corners and the heading between them; after LayoutWindow.
  void PlaceMonthButtons(bool initial);

  MonthCalendar& Calendar() { return calendar_; }
  const MonthCalendar& Calendar() const { return calendar_; }
  std::uint32_t MemoMap() const { return memoMap_; }
  void SetMemoMap(std::uint32_t memoMap) { memoMap_ = memoMap; }
  CellSize Cell() const { return cell_; }
  const RECT& GridRect() const { return gridRect_; }
  const RECT& TitleRect() const { return titleRect_; }
  const RECT& BottomStripRect() const { return bottomStripRect_; }
  const std::string& ProgramDir() const { return programDir_; }

 protected:
  const RouteTable& Routes() const override;

 private:
  void RegisterWindowClass() const;
  void CreateSystemFont();
  void CreateButton(CalendarButton& button, const Rect& rect, int controlId);
  void PlaceControl(const Window& control, const Rect& rect) const;
  CalendarView View() const;
  // Where the window was last time, brought onto the screen; the screen's corner when no
  // position can be had.
  Rect RestorePosition() const;
  void SavePosition();

  LRESULT OnCreate(const Message& message);
  void OnPaint();
  LRESULT OnDestroy(const Message& message);
  LRESULT OnClose(const Message& message);
  BOOL OnEraseBkgnd(HDC dc);
  BOOL OnQueryEndSession();
  void OnMove();
  void OnPrintClient(HDC dc);

  CalendarApp& app_;
  RECT gridRect_{};
  RECT boxRect_{};
  RECT titleRect_{};
  RECT rightStripRect_{};
  RECT leftStripRect_{};
  RECT bottomStripRect_{};
  UINT_PTR hoverTimerId_ = 0;
  HACCEL accelerators_ = nullptr;  // loaded from the resources: freed with the program
  FontHandle systemFont_;
  FontHandle calendarFont_;
  CalendarButton prevMonthButton_;
  CalendarButton nextMonthButton_;
  CalendarButton modeButton_;
  YearEdit yearField_;
  UpDownControl yearSpin_;
  std::uint32_t memoMap_ = 0;
  FrameShift frameShift_;
  CellSize cell_;
  MonthCalendar calendar_;
  bool frameless_;
  std::string programDir_;
  const std::string appName_;
};

}  // namespace tembori
