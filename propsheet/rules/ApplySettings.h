// Applying the settings sheet's confirmed draft: the settings take it, are saved, and the
// calendar window is rebuilt from them in one fixed order, whether or not anything changed.
#pragma once

#include <cstdint>
#include <string>

#include "settings/ErrorReporter.h"
#include "settings/KeyValueStore.h"
#include "settings/Settings.h"

namespace tembori {

// What applying settings asks of the calendar window; each operation reads the settings
// as they stand when it is called.
class CalendarOperations {
 public:
  virtual ~CalendarOperations() = default;

  virtual void CreateCalendarFont(const std::string& typeFace, const std::string& pointSize,
                                  std::uint8_t charSet, std::uint8_t pitchAndFamily) = 0;
  // The shown year's national holidays under the rule set the settings name, the marks
  // reconciled with the weekly days off, and the shown month's days off rebuilt.
  virtual void ReloadHolidays() = 0;
  // Which days of the shown month have a memo, from the store the settings now name.
  virtual void LoadMonthMap() = 0;
  virtual void ShowCalendar(bool shown) = 0;
  // Not the initial layout and no frame change.
  virtual void LayoutWindow() = 0;
  virtual void PlaceMonthButtons() = 0;
  virtual void UpdateTitleAndTray() = 0;
  virtual void RestartHoverTimer() = 0;
  // The whole client area, erased and painted anew.
  virtual void InvalidateCalendar() = 0;
};

// Copies the draft into the settings, rebuilds the font, saves (a failure is reported and
// the rest goes on), reloads holidays, days off and memos, lays the window out again (hidden around
// the layout when the tray setting changed, so that its taskbar button follows), places the
// buttons, updates title and tray, restarts the hover timer and repaints.
void ApplySettings(const Settings& draft, Settings& settings, KeyValueStore& store,
                   ErrorReporter& reporter, CalendarOperations& calendar);

}  // namespace tembori
