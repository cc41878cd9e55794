// Running out of memory. Built with exceptions, a failed allocation throws std::bad_alloc,
// which the window and dialog procedures and the enumerations of the system catch: the user
// is told and the message's work is given up. The 32-bit program is built without them, as
// their unwind tables would be a quarter of it: there a failed allocation tells the user and
// ends the program at once. Either way every memo file and registry value is left whole, as
// it was or as it was being written.
#pragma once

#include <new>
#include <string>

namespace tembori {

// The message box's caption and text, kept while there is memory for them.
void PrepareForMemoryExhaustion(std::string caption, std::string text);

// Shows the prepared text and ends the process with ERROR_NOT_ENOUGH_MEMORY.
[[noreturn]] void EndForLackOfMemory();

// Where the library reports a request for more memory than there is: std::bad_alloc with
// exceptions, the end of the program without.
[[noreturn]] void MemoryExhausted();

// The result of work, or of onExhausted when memory runs out in work.
template <typename Work, typename OnExhausted>
auto UnlessMemoryRunsOut(Work&& work, OnExhausted&& onExhausted) -> decltype(work()) {
#if defined(__cpp_exceptions) || defined(_CPPUNWIND)
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return onExhausted();
  }
#else
  static_cast<void>(onExhausted);
  return work();
#endif
}

}  // namespace tembori
