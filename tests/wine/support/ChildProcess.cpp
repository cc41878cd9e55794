// Starting a test program again in a process of its own.
#include "ChildProcess.h"

#include <doctest.h>

#include <cstdlib>
#include <cstring>

namespace tembori::testing {

std::string ThisProgram() {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  return program;
}

std::string ThisDirectory() {
  const std::string program = ThisProgram();
  return program.substr(0, program.rfind('\\') + 1);
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

std::unique_ptr<ChildProcess> StartTestCase(const char* testCase, const char* variable,
                                            const std::string& mode, const std::string& program) {
  SetEnvironmentVariableA(variable, mode.c_str());
  auto child =
      std::make_unique<ChildProcess>(program, std::string("--test-case=\"") + testCase + "\"");
  SetEnvironmentVariableA(variable, nullptr);
  REQUIRE(child->Started());
  return child;
}

DWORD RunTestCaseAlone(const char* testCase, const char* variable, const char* mode,
                       const std::string& program) {
  return StartTestCase(testCase, variable, mode, program)->Finish(60000);
}

bool RunsAs(const char* variable, const char* mode) {
  const char* const value = std::getenv(variable);
  return value != nullptr && std::strcmp(value, mode) == 0;
}

WineLoadOrder::WineLoadOrder(const char* library, const std::string& order)
    : programKey_("Software\\Wine\\AppDefaults\\" +
                  ThisProgram().substr(ThisProgram().rfind('\\') + 1)) {
  REQUIRE(RegSetKeyValueA(HKEY_CURRENT_USER, (programKey_ + "\\DllOverrides").c_str(), library,
                          REG_SZ, order.c_str(),
                          static_cast<DWORD>(order.size() + 1)) == ERROR_SUCCESS);
}

WineLoadOrder::~WineLoadOrder() {
  RegDeleteTreeA(HKEY_CURRENT_USER, programKey_.c_str());
}

}  // namespace tembori::testing
