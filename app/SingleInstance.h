// One running calendar per user and session: the first copy holds a named mutex for its
// lifetime; a later start finds it held, brings the running calendar to the front and ends.
#pragma once

#include <windows.h>

#include <string>

namespace tembori {

class SingleInstance {
 public:
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another copy of the program runs for this user in this session.
  bool IsFirst() const { return first_; }

  // Brings the running copy's window of class `windowClass` to the front, waiting a moment for
  // a copy that is still creating it; false when none appeared.
  static bool ActivateRunning(const std::string& windowClass);

 private:
  HANDLE mutex_ = nullptr;
  bool first_ = true;
};

}  // namespace tembori
