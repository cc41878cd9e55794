// Running out of memory: the report prepared in advance, and the end of the program.
#include "framework/MemoryExhaustion.h"

#include <windows.h>

#include <cstdlib>
#include <utility>

namespace tembori {
namespace {

std::string reportCaption;
std::string reportText;

}  // namespace

void PrepareForMemoryExhaustion(std::string caption, std::string text) {
  reportCaption = std::move(caption);
  reportText = std::move(text);
}

void EndForLackOfMemory() {
  // Nothing here allocates: the message box needs only the prepared texts. An allocation
  // failing again inside the message box ends the program without it.
  static bool ending = false;
  if (!ending) {
    ending = true;
    MessageBoxA(nullptr, reportText.c_str(),
                reportCaption.empty() ? nullptr : reportCaption.c_str(),
                MB_OK | MB_ICONHAND | MB_TASKMODAL);
  }
  ExitProcess(ERROR_NOT_ENOUGH_MEMORY);
}

void MemoryExhausted() {
#if defined(__cpp_exceptions) || defined(_CPPUNWIND)
  throw std::bad_alloc();
#else
  EndForLackOfMemory();
#endif
}

}  // namespace tembori

#if !defined(__cpp_exceptions) && !defined(_CPPUNWIND)
// The library's allocation functions are made to throw, and would bring the whole unwinder
// with them for nothing: without exceptions the program allocates through these.
void* operator new(std::size_t size) {
  if (void* const block = std::malloc(size != 0 ? size : 1)) return block;
  tembori::EndForLackOfMemory();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size != 0 ? size : 1);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
#endif
