// A test program started again in a process of its own, for what must begin in a fresh
// process (another display scale, a library that was never loaded); it writes to this
// process's output, so its report shows in the same log.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace tembori::testing {

// The path of this test program, and its directory with the backslash.
std::string ThisProgram();
std::string ThisDirectory();

class ChildProcess {
 public:
  // Starts `program` with `arguments`, inheriting the standard handles.
  ChildProcess(const std::string& program, const std::string& arguments);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  HANDLE Handle() const { return process_.hProcess; }
  // Waits up to `timeout` milliseconds; the exit status, STILL_ACTIVE when it has not ended.
  DWORD Finish(DWORD timeout);

 private:
  PROCESS_INFORMATION process_{};
};

// Starts `testCase` of `program` in a process of its own with the environment variable
// `variable` set to `mode`; RunTestCaseAlone waits for it and gives its exit status.
std::unique_ptr<ChildProcess> StartTestCase(const char* testCase, const char* variable,
                                            const std::string& mode,
                                            const std::string& program = ThisProgram());
DWORD RunTestCaseAlone(const char* testCase, const char* variable, const char* mode,
                       const std::string& program = ThisProgram());
// Whether this process is such a run: `variable` says `mode`.
bool RunsAs(const char* variable, const char* mode);

// Wine's load order of a system library for this test program while it lives (Wine reads the
// per-program overrides when a process starts, so it holds for the processes started
// meanwhile): "" switches Wine's own library off, "native,builtin" looks for a file by that
// name first, as Windows does.
class WineLoadOrder {
 public:
  WineLoadOrder(const char* library, const std::string& order);
  ~WineLoadOrder();
  WineLoadOrder(const WineLoadOrder&) = delete;
  WineLoadOrder& operator=(const WineLoadOrder&) = delete;

 private:
  const std::string programKey_;
};

}  // namespace tembori::testing
