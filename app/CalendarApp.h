// The application object: the user's settings, the start-up of the calendar window and the
// About box.
#pragma once

#include "calendar/Clock.h"
#include "framework/Application.h"
#include "settings/Settings.h"
#include "settings/win32/RegistryStore.h"

namespace tembori {

class CalendarWindow;

class CalendarApp : public Application {
 public:
  // The program's own object reads the system clock; a test may hand in one of its own.
  CalendarApp();
  explicit CalendarApp(const Clock& clock);

  // Checks the system, loads the settings and creates and shows the calendar window.
  bool InitInstance() override;

  // The About box, modal over the calendar window.
  void OnAppAbout();

  std::string MessageCaption() const override;
  std::string OutOfMemoryText() const override;

  Settings& UserSettings() { return settings_; }
  const Settings& UserSettings() const { return settings_; }
  // Set on Windows NT 3.x, whose shell lacks what several parts of the window use.
  bool IsNT3() const { return isNT3_; }

  const Clock& TimeSource() const { return clock_; }
  KeyValueStore& Store() { return store_; }

  // The calendar window while it exists, else null.
  CalendarWindow* MainCalendarWindow() const;

 protected:
  const RouteTable& Routes() const override;

 private:
  const Clock& clock_;
  RegistryStore store_;
  Settings settings_;
  bool isNT3_ = false;
};

}  // namespace tembori
