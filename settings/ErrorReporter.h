// How the core tells the user about a failure: what failed, and the name of the value it
// failed on where there is one. The Win32 shell shows a message box; tests record the reports.
#pragma once

#include <string_view>

namespace tembori {

enum class SettingsFailure {
  KeyNotCreated,
  ReadFailed,
  WriteFailed,
  OutOfMemory,
};

class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  virtual void Report(SettingsFailure failure, std::string_view valueName) = 0;
};

}  // namespace tembori
