// The application object: the user's settings, the start-up of the calendar window, the
// About box and the settings sheet.
#pragma once

#include "app/TrayIcon.h"
#include "calendar/Clock.h"
#include "framework/Application.h"
#include "settings/Settings.h"
#include "settings/win32/RegistryStore.h"

namespace tembori {

class CalendarWindow;

class CalendarApp : public Application {
 public:
  // The program's own object reads the system clock and puts its icon into the shell's
  // notification area; a test may hand in stand-ins of its own.
  CalendarApp();
  explicit CalendarApp(const Clock& clock);
  CalendarApp(const Clock& clock, TrayArea& tray);

  // Checks the system, loads the settings and creates and shows the calendar window.
  bool InitInstance() override;

  // The About box, modal over the calendar window.
  void OnAppAbout();
  // The settings sheet, modal over the calendar window; what it confirms takes effect at once.
  void OnProperties();

  std::string MessageCaption() const override;
  std::string OutOfMemoryText() const override;

  Settings& UserSettings() { return settings_; }
  const Settings& UserSettings() const { return settings_; }
  // Set on Windows NT 3.x, whose shell lacks what several parts of the window use.
  bool IsNT3() const { return isNT3_; }

  const Clock& TimeSource() const { return clock_; }
  KeyValueStore& Store() { return store_; }
  TrayArea& Tray() { return tray_; }
  // The wheel message of older systems ("MSWHEEL_ROLLMSG"), registered at start-up where it
  // exists; 0 elsewhere.
  UINT WheelRollMessage() const { return wheelRollMessage_; }

  // The calendar window while it exists, else null.
  CalendarWindow* MainCalendarWindow() const;

 protected:
  const RouteTable& Routes() const override;

 private:
  const Clock& clock_;
  TrayArea& tray_;
  RegistryStore store_;
  Settings settings_;
  bool isNT3_ = false;
  UINT wheelRollMessage_ = 0;
};

}  // namespace tembori
