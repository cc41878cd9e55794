// The sequence that makes confirmed settings take effect.
#include "propsheet/rules/ApplySettings.h"

namespace tembori {

void ApplySettings(const Settings& draft, Settings& settings, KeyValueStore& store,
                   ErrorReporter& reporter, CalendarOperations& calendar) {
  const bool trayChanged = draft.Tray != settings.Tray;
  settings = draft;
  calendar.CreateCalendarFont(settings.TypeFace, settings.PointSize, settings.CharSet,
                              settings.PitchAndFamily);
  SaveSettings(settings, store, reporter);
  calendar.ReloadHolidays();
  calendar.LoadMonthMap();
  if (trayChanged) calendar.ShowCalendar(false);
  calendar.LayoutWindow();
  if (trayChanged) calendar.ShowCalendar(true);
  calendar.PlaceMonthButtons();
  calendar.UpdateTitleAndTray();
  calendar.RestartHoverTimer();
  calendar.InvalidateCalendar();
}

}  // namespace tembori
