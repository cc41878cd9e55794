// The command line's export and import forms: what they take, what makes them invalid, and
// that any other command line still starts the calendar.
#include <doctest.h>

#include <string_view>
#include <vector>

#include "ical/ICalCommandLine.h"

using namespace tembori;
using Action = ICalCommand::Action;

TEST_CASE("the three forms with their operands, in any case, quiet anywhere") {
  ICalCommand command = ParseICalCommand({"/export-memos", "C:\\backup\\memos.ics"});
  CHECK(command.action == Action::ExportMemos);
  CHECK(command.file == "C:\\backup\\memos.ics");
  CHECK_FALSE(command.quiet);

  command = ParseICalCommand({"/QUIET", "-Import-Memos", "in.ics"});
  CHECK(command.action == Action::ImportMemos);
  CHECK(command.file == "in.ics");
  CHECK(command.quiet);

  command = ParseICalCommand({"/export-holidays", "1851", "2150", "h.ics", "/quiet"});
  CHECK(command.action == Action::ExportHolidays);
  CHECK(command.firstYear == 1851);
  CHECK(command.lastYear == 2150);  // its file and quiet are taken by the real program's run
}

TEST_CASE("a form given wrongly is invalid, keeping its quiet") {
  const std::vector<std::vector<std::string_view>> invalid = {
      {"/export-memos"},
      {"/export-memos", "a.ics", "b.ics"},
      {"/import-memos", ""},
      {"/export-holidays", "1850", "2026", "h.ics"},
      {"/export-holidays", "2026", "2151", "h.ics"},
      {"/export-holidays", "2027", "2026", "h.ics"},
      {"/export-holidays", "2026x", "2027", "h.ics"},
      {"/export-memos", "a.ics", "/import-memos"},
  };
  for (const auto& arguments : invalid) {
    CAPTURE(arguments.size());
    CHECK(ParseICalCommand(arguments).action == Action::Invalid);
  }
  CHECK(ParseICalCommand({"/export-memos", "/quiet"}).quiet);
}

TEST_CASE("other command lines start the calendar, as the empty one of every real start does") {
  CHECK(ParseICalCommand({"/quiet"}).action == Action::None);
  CHECK(ParseICalCommand({"/export-memo", "x.ics"}).action == Action::None);
}
