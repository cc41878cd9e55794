// A test program started again in a process of its own, for what must begin in a fresh
// process (another display scale, a help control that was never loaded); it writes to this
// process's output, so its report shows in the same log.
#pragma once

#include <windows.h>

#include <string>

namespace tembori::testing {

// The path of this test program.
std::string ThisProgram();

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

}  // namespace tembori::testing
