// The application object: the user's settings, the start-up of the calendar window, the
// About box, the settings sheet and the help.
#pragma once

#include <functional>

#include "app/TrayIcon.h"
#include "app/geometry/PlatformAbilities.h"
#include "calendar/Clock.h"
#include "framework/Application.h"
#include "help/ContextHelp.h"
#include "ical/ICalCommandLine.h"
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

  // One of the command line's export and import forms, with the stored settings and no
  // window; its exit code.
  int RunCommandLine(const ICalCommand& command);

  // The About box, modal over the calendar window.
  void OnAppAbout();
  // The settings sheet, modal over the calendar window; what it confirms takes effect at once.
  void OnProperties();
  // The iCalendar submenu: memos out and in, the holidays out.
  void OnExportMemos();
  void OnImportMemos();
  void OnExportHolidays();

  std::string MessageCaption() const override;
  std::string OutOfMemoryText() const override;

  Settings& UserSettings() { return settings_; }
  const Settings& UserSettings() const { return settings_; }
  // What the system offers, known once InitInstance has begun.
  const PlatformAbilities& Platform() const { return platform_; }

  const Clock& TimeSource() const { return clock_; }
  KeyValueStore& Store() { return store_; }
  TrayArea& Tray() { return tray_; }

  // The calendar window while it exists, else null.
  CalendarWindow* MainCalendarWindow() const;

  // The program's help: the help file and the pop-ups of the settings sheet's controls.
  ContextHelp& Help() { return help_; }
  // What the settings sheet calls for a help request from any of its pages: the pop-up of
  // the control it is for.
  std::function<void(const HELPINFO&)> SheetHelpHandler();

 protected:
  const RouteTable& Routes() const override;

 private:
  // Every help request that reaches the application opens the help file at its default
  // topic, owned by no window.
  void OnHelpContents();
  // One of the iCalendar submenu's commands, over the calendar window.
  void RunICalCommand(UINT commandId);

  const Clock& clock_;
  TrayArea& tray_;
  RegistryStore store_;
  Settings settings_;
  HtmlContextHelp help_;
  PlatformAbilities platform_;
};

}  // namespace tembori
