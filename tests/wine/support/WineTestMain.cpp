// Entry point of the Windows test programs. Windows' error boxes are turned off, so that a
// test that crashes or misses a file fails at once instead of waiting for a click that never
// comes. A run that runs no test case fails: a child started for one case by a name that
// matches none must not pass by doing nothing.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>
#include <windows.h>

#include <cstdio>

namespace {

int casesRun = 0;

struct CaseCounter : doctest::IReporter {
  explicit CaseCounter(const doctest::ContextOptions&) {}
  void test_case_start(const doctest::TestCaseData&) override { ++casesRun; }
  void report_query(const doctest::QueryData&) override {}
  void test_run_start() override {}
  void test_run_end(const doctest::TestRunStats&) override {}
  void test_case_reenter(const doctest::TestCaseData&) override {}
  void test_case_end(const doctest::CurrentTestCaseStats&) override {}
  void test_case_exception(const doctest::TestCaseException&) override {}
  void subcase_start(const doctest::SubcaseSignature&) override {}
  void subcase_end() override {}
  void log_assert(const doctest::AssertData&) override {}
  void log_message(const doctest::MessageData&) override {}
  void test_case_skipped(const doctest::TestCaseData&) override {}
};
REGISTER_LISTENER("case counter", 1, CaseCounter);

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  doctest::Context context(argc, argv);
  const int result = context.run();
  if (result == 0 && !context.shouldExit() && casesRun == 0) {
    std::fputs("no test case ran\n", stderr);
    return 1;
  }
  return result;
}
