// How the core tells the user about a failure: a string-table text followed directly by a
// value name. The Win32 shell shows a message box; tests record the reports.
#pragma once

#include <cstdint>
#include <string_view>

namespace tembori {

class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  virtual void Report(std::uint32_t stringId, std::string_view valueName) = 0;
};

}  // namespace tembori
