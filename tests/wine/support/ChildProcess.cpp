// Starting a test program again in a process of its own.
#include "ChildProcess.h"

namespace tembori::testing {

std::string ThisProgram() {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  return program;
}

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments) {
  std::string commandLine = "\"" + program + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process_)) {
    process_ = {};
  }
}

ChildProcess::~ChildProcess() {
  if (process_.hThread != nullptr) CloseHandle(process_.hThread);
  if (process_.hProcess != nullptr) CloseHandle(process_.hProcess);
}

DWORD ChildProcess::Finish(DWORD timeout) {
  DWORD status = STILL_ACTIVE;
  WaitForSingleObject(process_.hProcess, timeout);
  GetExitCodeProcess(process_.hProcess, &status);
  return status;
}

}  // namespace tembori::testing
