// A library of the system that a program needs only now and then: loaded from the system
// directory when one of its functions is first asked for, so that the program does not load
// it (and what it brings with it) at every start, and a library that cannot be loaded
// disables only what needs it.
#pragma once

#include <windows.h>

namespace tembori {

class SystemLibrary {
 public:
  // Told the file name of a library, or of the library whose function, that could not be had.
  using MissingHandler = void (*)(const char* fileName);

  // Whether the missing handler hears of this library: not for one whose absence the user
  // would not notice.
  enum class Missing { Reported, Silent };

  // `fileName` ("shell32.dll") names a file in the system directory; it is kept, not copied.
  explicit SystemLibrary(const char* fileName, Missing missing = Missing::Reported)
      : fileName_(fileName), reported_(missing == Missing::Reported) {}
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  // The function of that name as `Pointer`, the library loaded the first time; null, after
  // the missing handler has been told (if reported), when the library or the function cannot
  // be had. The library stays loaded for the rest of the process.
  template <typename Pointer>
  Pointer Function(const char* name) {
    // Through the generic function pointer type, which converts to any other without a
    // warning about the signature.
    return reinterpret_cast<Pointer>(reinterpret_cast<void (*)()>(Address(name)));
  }

  // Whether the library has been loaded.
  bool Loaded() const { return module_ != nullptr; }

  // What the program does when a library is missing (by default nothing).
  static void SetMissingHandler(MissingHandler handler) { missingHandler_ = handler; }

 private:
  FARPROC Address(const char* name);

  const char* const fileName_;
  const bool reported_;
  HMODULE module_ = nullptr;
  static MissingHandler missingHandler_;
};

}  // namespace tembori
