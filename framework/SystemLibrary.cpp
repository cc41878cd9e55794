// Loading a system library on first use.
#include "framework/SystemLibrary.h"

#include <string>

namespace tembori {

SystemLibrary::MissingHandler SystemLibrary::missingHandler_ = nullptr;

FARPROC SystemLibrary::Address(const char* name) {
  if (module_ == nullptr) {
    // By its full path: the program's own directory, which may be writable, is not searched.
    char directory[MAX_PATH];
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      module_ = LoadLibraryA((std::string(directory, length) + '\\' + fileName_).c_str());
    }
  }
  const FARPROC address = module_ != nullptr ? GetProcAddress(module_, name) : nullptr;
  if (address == nullptr && reported_ && missingHandler_ != nullptr) missingHandler_(fileName_);
  return address;
}

}  // namespace tembori
