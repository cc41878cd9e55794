// The iCalendar submenu's three commands, with the platform's file dialogs and this program's
// dialogs, and the same three as command-line forms without a window.
#pragma once

#include <windows.h>

#include <string>

#include "ical/ICalCommandLine.h"
#include "ical/win32/ICalTransfer.h"

namespace tembori {

class ICalCommands {
 public:
  ICalCommands(const Settings& settings, KeyValueStore& registry, std::string programDir,
               DayNameText dayName);

  void ExportMemos(HWND owner);
  // Reads the chosen file, confirms the counts and writes; the window shows the memos when the
  // broadcast after the writes reaches it.
  void ImportMemos(HWND owner);
  void ExportHolidays(HWND owner, int shownYear);

  // The exit code of a command-line form: 0 when it succeeded, 1 when it failed, 2 when it was
  // wrongly given. A failure is shown in a message box unless the command says quiet.
  int Run(const ICalCommand& command);

 private:
  // The file chosen in the save or open dialog; empty when cancelled.
  static std::string ChooseFile(HWND owner, bool save, const std::string& suggestion);
  static void Report(const std::string& message);

  ICalTransfer transfer_;
};

}  // namespace tembori
