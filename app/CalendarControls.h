// The calendar window's own child controls: the owner-drawn month and padlock buttons and
// the edit field of the year.
#pragma once

#include <windows.h>

#include <optional>

#include "app/geometry/Geometry.h"
#include "framework/ChildControl.h"

namespace tembori {

// Previous month (107), next month (106) and the padlock (105). For the padlock, State is
// the holiday-setting mode: 1 while it is off, 0 while it is on. Screen readers find each by
// its window text, the name of what it does, and the padlock pushed while the mode is on.
class CalendarButton : public ButtonControl {
 public:
  int State() const { return state_; }
  void SetState(int state) { state_ = state; }
  // The DPI of the calendar window, which the button's picture is drawn for.
  void SetDpi(int dpi) { dpi_ = dpi; }

 protected:
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  const RouteTable& Routes() const override;

 private:
  LRESULT OnGetState(const Message& message);
  LRESULT OnDoubleClick(const Message& message);

  int state_ = 1;
  int dpi_ = kDefaultDpi;
};

// The year field: Enter hands the focus back to the calendar window, which commits the year
// as the field loses the focus. Its name for screen readers is a label just before it among
// the children, made when a reader first asks for the field.
class YearEdit : public EditControl {
 public:
  // True while Enter hands the focus to the calendar, so that a year the calendar refuses
  // can keep the focus in the field for its correction.
  bool LeavingByEnter() const { return leavingByEnter_; }

 protected:
  const RouteTable& Routes() const override;

 private:
  std::optional<LRESULT> OnChar(UINT character);
  LRESULT OnGetObject(const Message& message);

  bool leavingByEnter_ = false;
  bool labelled_ = false;
};

}  // namespace tembori
