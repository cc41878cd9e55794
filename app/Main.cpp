// The program's entry point and its one application object.
#include <windows.h>

#include <cstdlib>
#include <exception>

#include "app/CalendarApp.h"

namespace {

// Constructed before the entry point runs, so the settings hold their defaults from the start.
tembori::CalendarApp application;

}  // namespace

#if defined(__GLIBCXX__)
// GCC's runtime ends an uncaught exception with a handler that prints the exception's
// demangled type to the console, which a GUI program does not have; with its demangler it
// would be a quarter of the program. Defined here, it is not taken from the runtime: the
// program simply ends, as the standard's default handler does.
void __gnu_cxx::__verbose_terminate_handler() {
  std::abort();
}
#endif
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  return application.Run(showCommand);
}
