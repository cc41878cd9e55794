// Shows the settings' failures to the user, each in a message box.
#pragma once

#include "settings/ErrorReporter.h"

namespace tembori {

// Each report as its string-table text followed directly by the value's name; values that
// could not be read are said to have taken their defaults.
class MessageBoxReporter : public ErrorReporter {
 public:
  void Report(SettingsFailure failure, std::string_view valueName) override;
};

}  // namespace tembori
