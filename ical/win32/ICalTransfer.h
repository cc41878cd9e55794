// The exports and the import as the menu and the command line run them: files on disk, the
// memo store that the settings choose, texts converted by the system, and a message for
// everything that went wrong.
#pragma once

#include <windows.h>

#include <string>

#include "calendar/DayName.h"
#include "ical/HolidayCalendar.h"
#include "ical/MemoCalendar.h"
#include "ical/MemoStoreAccess.h"
#include "ical/win32/Cp932Codec.h"
#include "ical/win32/SystemTimeZone.h"
#include "memo/win32/NamedStoreLock.h"
#include "memo/win32/PrivateProfileFile.h"
#include "settings/KeyValueStore.h"
#include "settings/Settings.h"

namespace tembori {

// Sent to every top-level window after an import has written memos, so that a calendar that
// runs shows them at once.
UINT MemosChangedMessage();

// The text of a day's name in code page 932.
using DayNameText = std::string (*)(DayName);

class ICalTransfer {
 public:
  ICalTransfer(const Settings& settings, KeyValueStore& registry, std::string programDir,
               DayNameText dayName);

  // Each gives the empty text when it succeeded, else the message that says what failed.
  std::string ExportMemos(const std::string& path);
  std::string ExportHolidays(const HolidayExportRange& range, const std::string& path);

  // Reads the file and plans the import; nothing is written.
  std::string ReadImport(const std::string& path);
  const ImportPlan& Plan() const { return plan_; }
  // The plan's counts and notes, for the confirmation.
  std::string PlanText(bool overwrite) const;
  // Writes what the plan holds; `written` tells how many memos were written.
  std::string Import(bool overwrite, int& written);

 private:
  const Settings& settings_;
  KeyValueStore& registry_;
  const DayNameText dayName_;
  PrivateProfileFile files_;
  // Shared with a running calendar and every other copy: an import writes under it.
  NamedStoreLock lock_;
  MemoStoreAccess access_;
  Cp932Codec codec_;
  SystemTimeZone zone_;
  ImportPlan plan_;
};

}  // namespace tembori
