// Entry point of the Windows test programs. Windows' error boxes are turned off, so that a
// test that crashes or misses a file fails at once instead of waiting for a click that never
// comes.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>
#include <windows.h>

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  doctest::Context context(argc, argv);
  return context.run();
}
