// The menu's export and import, and the command line's.
#include "ical/win32/ICalCommands.h"

#include <commdlg.h>

#include <utility>

#include "framework/ResourceText.h"
#include "framework/SystemLibrary.h"
#include "ical/win32/HolidayRangeDialog.h"
#include "ical/win32/ImportDialog.h"
#include "res/ResourceIds.h"

namespace tembori {

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

}  // namespace

ICalCommands::ICalCommands(const Settings& settings, KeyValueStore& registry,
                           std::string programDir, DayNameText dayName)
    : transfer_(settings, registry, std::move(programDir), dayName) {}

std::string ICalCommands::ChooseFile(HWND owner, bool save, const std::string& suggestion) {
  // The filter is pairs of a label and a pattern, each ending in a zero, and one more zero.
  std::string filter = LoadResourceString(IDS_ICAL_FILTER);
  filter.append("\0*.ics\0", 8);
  char path[MAX_PATH * 4] = {};
  suggestion.copy(path, sizeof path - 1);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrDefExt = "ics";
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  // Loaded when first needed, as the program's other common dialogs are. Both functions have
  // one type.
  static SystemLibrary commonDialogs("comdlg32.dll");
  const auto choose = commonDialogs.Function<decltype(&GetOpenFileNameA)>(
      save ? "GetSaveFileNameA" : "GetOpenFileNameA");
  const BOOL chosen = choose != nullptr && choose(&dialog);
  return chosen ? std::string(path) : std::string();
}

// Over the main window, which owns the dialogs as well; without one, on its own.
void ICalCommands::Report(const std::string& message) {
  ShowMessage(message, MB_OK | MB_ICONEXCLAMATION);
}

void ICalCommands::ExportMemos(HWND owner) {
  const std::string path = ChooseFile(owner, true, LoadResourceString(IDS_ICAL_MEMOS_FILE));
  if (path.empty()) return;
  const std::string failure = transfer_.ExportMemos(path);
  if (!failure.empty()) Report(failure);
}

void ICalCommands::ImportMemos(HWND owner) {
  const std::string path = ChooseFile(owner, false, {});
  if (path.empty()) return;
  std::string failure = transfer_.ReadImport(path);
  if (!failure.empty()) {
    Report(failure);
    return;
  }
  ImportDialog confirm(transfer_, owner);
  if (confirm.RunModal() != IDOK) return;
  int written = 0;
  failure = transfer_.Import(confirm.Overwrite(), written);
  if (!failure.empty()) Report(failure);
}

void ICalCommands::ExportHolidays(HWND owner, int shownYear) {
  HolidayRangeDialog years(shownYear, owner);
  if (years.RunModal() != IDOK) return;
  const HolidayExportRange& range = years.Range();
  const std::string name = LoadResourceString(IDS_ICAL_HOLIDAYS_FILE);
  char suggestion[1025] = {};
  wsprintfA(suggestion, name.c_str(), range.firstYear, range.lastYear);
  const std::string path = ChooseFile(owner, true, suggestion);
  if (path.empty()) return;
  const std::string failure = transfer_.ExportHolidays(range, path);
  if (!failure.empty()) Report(failure);
}

int ICalCommands::Run(const ICalCommand& command) {
  std::string failure;
  switch (command.action) {
    case ICalCommand::Action::None:
      return 0;
    case ICalCommand::Action::Invalid:
      if (!command.quiet) Report(LoadResourceString(IDS_ICAL_USAGE));
      return kExitUsage;
    case ICalCommand::Action::ExportMemos:
      failure = transfer_.ExportMemos(command.file);
      break;
    case ICalCommand::Action::ExportHolidays:
      failure =
          transfer_.ExportHolidays({command.firstYear, command.lastYear, false}, command.file);
      break;
    case ICalCommand::Action::ImportMemos: {
      failure = transfer_.ReadImport(command.file);
      int written = 0;
      // Days that have a memo keep it: a script cannot be asked.
      if (failure.empty()) failure = transfer_.Import(false, written);
      break;
    }
  }
  if (failure.empty()) return 0;
  if (!command.quiet) Report(failure);
  return kExitFailed;
}

}  // namespace tembori
