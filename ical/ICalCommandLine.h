// The command-line forms that export and import without a window, for backups and scripts:
//   /export-memos FILE   /export-holidays FIRST LAST FILE   /import-memos FILE
// each with /quiet, which keeps every message box away.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tembori {

struct ICalCommand {
  enum class Action {
    None,     // no such form: the calendar starts as always
    Invalid,  // one of the forms, wrongly given
    ExportMemos,
    ExportHolidays,
    ImportMemos,
  };
  Action action = Action::None;
  std::string file;
  int firstYear = 0;
  int lastYear = 0;
  bool quiet = false;
};

// `arguments` without the program's name. Names compare without regard to case and may start
// with "-" as well as "/". Years outside 1851..2150, or the first after the last, are invalid.
ICalCommand ParseICalCommand(const std::vector<std::string_view>& arguments);

}  // namespace tembori
