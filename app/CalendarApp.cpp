// Start-up of the program and the About box.
#include "app/CalendarApp.h"

#include "app/AboutDialog.h"
#include "app/CalendarWindow.h"
#include "app/DayNameText.h"
#include "app/LocalClock.h"
#include "app/MessageBoxReporter.h"
#include "framework/MemoryExhaustion.h"
#include "framework/ResourceText.h"
#include "framework/SystemLibrary.h"
#include "ical/win32/ICalCommands.h"
#include "propsheet/CTemboriPropSheet.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

const Clock& SystemClock() {
  static const LocalClock clock;
  return clock;
}

TrayArea& ShellTray() {
  static ShellTrayArea tray;
  return tray;
}

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record of every Windows");

// Zero when it cannot be had: then the system counts as none of the old ones.
OSVERSIONINFOA SystemVersion() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#ifdef _MSC_VER
#pragma warning(suppress : 4996)  // deprecated, but the only way to tell NT 3.x apart
#endif
  if (!GetVersionExA(&version)) return OSVERSIONINFOA{};
  return version;
}

// The tray icon and the colour dialog load their libraries when first used: when one is
// missing, the user is told why nothing happens.
void ReportMissingLibrary(const char* fileName) {
  ShowMessage(fileName + LoadResourceString(IDS_LIBRARY_MISSING), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CalendarApp::CalendarApp() : CalendarApp(SystemClock()) {}

CalendarApp::CalendarApp(const Clock& clock) : CalendarApp(clock, ShellTray()) {}

CalendarApp::CalendarApp(const Clock& clock, TrayArea& tray) : clock_(clock), tray_(tray) {}

bool CalendarApp::InitInstance() {
  SystemLibrary::SetMissingHandler(&ReportMissingLibrary);
  const OSVERSIONINFOA version = SystemVersion();
  platform_ = PlatformAbilitiesFor(version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS,
                                   version.dwPlatformId == VER_PLATFORM_WIN32_NT,
                                   version.dwMajorVersion, version.dwMinorVersion);
  MessageBoxReporter reporter;
  LoadSettings(settings_, store_, reporter);

  // No object, no window: reported below like a window that could not be created.
  std::unique_ptr<CalendarWindow> window = UnlessMemoryRunsOut(
      [&] { return std::make_unique<CalendarWindow>(settings_, platform_, clock_, store_, tray_); },
      [] { return std::unique_ptr<CalendarWindow>(); });
  if (window == nullptr || !IsWindow(window->Handle())) {
    SetMainWindow(nullptr);
    ShowMessage(IDS_MAIN_WINDOW_FAILED);
    return false;
  }
  CalendarWindow* const calendarWindow = Window::OwnedByItsWindow(std::move(window));
  SetMainWindow(calendarWindow);
  help_.SetProgramDir(calendarWindow->ProgramDir());

  // A maximised start would stretch a window whose size comes from its font.
  const int showCommand = ShowCommand() == SW_SHOWMAXIMIZED ? SW_RESTORE : ShowCommand();
  ShowWindow(calendarWindow->Handle(), showCommand);
  UpdateWindow(calendarWindow->Handle());

  // The settings describe the font on screen from now on, also when the stored one was
  // missing or not available, so that the property sheet starts from it.
  settings_.TypeFace = calendarWindow->FontFaceName();
  settings_.PointSize = calendarWindow->FontPointSize();
  settings_.CharSet = calendarWindow->FontCharSet();
  return true;
}

void CalendarApp::OnAppAbout() {
  AboutDialog dialog;
  dialog.RunModal();
}

void CalendarApp::OnProperties() {
  CalendarWindow* const window = MainCalendarWindow();
  if (window == nullptr) return;
  MessageBoxReporter reporter;
  // The pages know the old platform as one: no notification area, no desktop behind the
  // grid and no font lists per character set go together.
  const bool oldPlatform = !platform_.trayIcon;
  SheetEnvironment environment{settings_, store_,      reporter,
                               *window,   oldPlatform, SheetHelpHandler()};
  OpenPropertiesSheet(environment);
}

namespace {

std::string DayNameResource(DayName name) {
  return LoadResourceString(DayNameStringId(name));
}

// A quiet command line shows nothing, not even a setting it could not read.
class QuietReporter : public ErrorReporter {
 public:
  void Report(SettingsFailure, std::string_view) override {}
};

}  // namespace

int CalendarApp::RunCommandLine(const ICalCommand& command) {
  QuietReporter quiet;
  MessageBoxReporter shown;
  LoadSettings(settings_, store_, command.quiet ? static_cast<ErrorReporter&>(quiet) : shown);
  return ICalCommands(settings_, store_, FindProgramDir(), DayNameResource).Run(command);
}

void CalendarApp::OnExportMemos() {
  RunICalCommand(ID_ICAL_EXPORT_MEMOS);
}

void CalendarApp::OnImportMemos() {
  RunICalCommand(ID_ICAL_IMPORT_MEMOS);
}

void CalendarApp::OnExportHolidays() {
  RunICalCommand(ID_ICAL_EXPORT_HOLIDAYS);
}

void CalendarApp::RunICalCommand(UINT commandId) {
  CalendarWindow* const window = MainCalendarWindow();
  if (window == nullptr) return;
  ICalCommands commands(settings_, store_, window->ProgramDir(), DayNameResource);
  if (commandId == ID_ICAL_EXPORT_MEMOS) commands.ExportMemos(window->Handle());
  if (commandId == ID_ICAL_IMPORT_MEMOS) commands.ImportMemos(window->Handle());
  if (commandId == ID_ICAL_EXPORT_HOLIDAYS) {
    commands.ExportHolidays(window->Handle(), window->Calendar().Shown().wYear);
  }
}

std::string CalendarApp::MessageCaption() const {
  return LoadResourceString(IDS_APP_NAME);
}

std::string CalendarApp::OutOfMemoryText() const {
  return LoadResourceString(IDS_OUT_OF_MEMORY);
}

CalendarWindow* CalendarApp::MainCalendarWindow() const {
  return static_cast<CalendarWindow*>(MainWindow());
}

std::function<void(const HELPINFO&)> CalendarApp::SheetHelpHandler() {
  return [this](const HELPINFO& request) { help_.ShowPopup(request); };
}

void CalendarApp::OnHelpContents() {
  help_.ShowContents();
}

const RouteTable& CalendarApp::Routes() const {
  static const Route routes[] = {
      RouteCommand<ID_HELP_FINDER, &CalendarApp::OnHelpContents>(),
      RouteCommand<ID_DEFAULT_HELP, &CalendarApp::OnHelpContents>(),
      RouteCommand<ID_APP_ABOUT, &CalendarApp::OnAppAbout>(),
      RouteCommand<ID_PROPERTIES, &CalendarApp::OnProperties>(),
      RouteCommand<ID_ICAL_EXPORT_MEMOS, &CalendarApp::OnExportMemos>(),
      RouteCommand<ID_ICAL_IMPORT_MEMOS, &CalendarApp::OnImportMemos>(),
      RouteCommand<ID_ICAL_EXPORT_HOLIDAYS, &CalendarApp::OnExportHolidays>(),
  };
  static const RouteTable table(routes, &Application::Routes());
  return table;
}

}  // namespace tembori
