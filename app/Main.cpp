// The program's entry point and its one application object.
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "app/CalendarApp.h"
#include "app/SingleInstance.h"
#include "framework/MemoryExhaustion.h"
#include "framework/ResourceText.h"
#include "ical/ICalCommandLine.h"
#include "res/ResourceIds.h"

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

// The library's containers and strings report their errors through these functions. The
// runtime's own versions sit in one object with every other standard exception, and that
// object brings the exception classes' strings and a formatter of messages with it: a third
// of the program. Only these are called, and defined here they keep the runtime's out.
// A request beyond a container's maximum size is a request for more memory than there is,
// and goes the way of every failed allocation (framework/MemoryExhaustion.h). The others can only
// mean a fault in the program (an index past the end, a string from a null pointer, a call through
// an empty function object); nothing catches them, so thrown they would end the program through the
// terminate handler: it ends here, at the fault.
namespace std {
void __throw_bad_alloc() {
  tembori::MemoryExhausted();
}
void __throw_bad_array_new_length() {
  tembori::MemoryExhausted();
}
void __throw_length_error(const char*) {
  tembori::MemoryExhausted();
}
void __throw_logic_error(const char*) {
  abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
  abort();
}
void __throw_bad_function_call() {
  abort();
}
}  // namespace std

// The runtime's std::string is one object holding every member, each with its unwind table,
// and the linker keeps all of it for any one member used. Instantiated here instead, the
// program's link-time optimisation keeps only the members that are called.
template class std::basic_string<char>;
#endif

#if defined(__MINGW32__)
// MinGW's runtime calls this on a domain or range error of a math function. Its own version
// prints the error to the console, which a GUI program does not have, and brings a formatted
// print with it; the program's leaves the function's result as it is, as that one does.
extern "C" int __cdecl _matherr(struct _exception*) {
  return 0;
}
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  tembori::PrepareForMemoryExhaustion(application.MessageCaption(), application.OutOfMemoryText());
  // The export and import forms open no window and run beside a running calendar: they are
  // no second calendar.
  const std::vector<std::string_view> arguments(__argv + 1, __argv + __argc);
  const tembori::ICalCommand command = tembori::ParseICalCommand(arguments);
  if (command.action != tembori::ICalCommand::Action::None) {
    return application.RunCommandLine(command);
  }
  const tembori::SingleInstance instance;
  if (!instance.IsFirst()) {
    // The calendar window's class is named after the program.
    tembori::SingleInstance::ActivateRunning(tembori::LoadResourceString(IDS_APP_NAME));
    return 0;
  }
  return application.Run(showCommand);
}
