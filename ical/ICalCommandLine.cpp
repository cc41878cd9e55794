// Recognises the export and import forms among the program's arguments.
#include "ical/ICalCommandLine.h"

#include <charconv>

#include "calendar/MonthCalendar.h"

namespace tembori {

namespace {

bool IsOption(std::string_view argument, std::string_view name) {
  if (argument.size() != name.size() + 1 || (argument[0] != '/' && argument[0] != '-')) {
    return false;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = argument[i + 1];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != name[i]) return false;
  }
  return true;
}

bool ParseYear(std::string_view text, int& year) {
  const char* const end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, year);
  return error == std::errc() && last == end && year >= MinYear && year <= MaxYear;
}

}  // namespace

ICalCommand ParseICalCommand(const std::vector<std::string_view>& arguments) {
  ICalCommand command;
  // No form takes more than three.
  std::string_view operands[3];
  std::size_t operandCount = 0;
  for (const std::string_view argument : arguments) {
    const ICalCommand::Action action =
        IsOption(argument, "export-memos")      ? ICalCommand::Action::ExportMemos
        : IsOption(argument, "export-holidays") ? ICalCommand::Action::ExportHolidays
        : IsOption(argument, "import-memos")    ? ICalCommand::Action::ImportMemos
                                                : ICalCommand::Action::None;
    if (action != ICalCommand::Action::None) {
      // Two forms at once are one too many.
      command.action =
          command.action == ICalCommand::Action::None ? action : ICalCommand::Action::Invalid;
    } else if (IsOption(argument, "quiet")) {
      command.quiet = true;
    } else {
      if (operandCount < 3) operands[operandCount] = argument;
      ++operandCount;
    }
  }
  switch (command.action) {
    case ICalCommand::Action::None:
    case ICalCommand::Action::Invalid:
      return command;
    case ICalCommand::Action::ExportMemos:
    case ICalCommand::Action::ImportMemos:
      if (operandCount != 1 || operands[0].empty()) break;
      command.file = std::string(operands[0]);
      return command;
    case ICalCommand::Action::ExportHolidays:
      if (operandCount != 3 || operands[2].empty() || !ParseYear(operands[0], command.firstYear) ||
          !ParseYear(operands[1], command.lastYear) || command.firstYear > command.lastYear) {
        break;
      }
      command.file = std::string(operands[2]);
      return command;
  }
  command.action = ICalCommand::Action::Invalid;
  return command;
}

}  // namespace tembori
