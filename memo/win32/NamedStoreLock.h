// The memo store's lock as a named mutex that every copy of the program opens: one for the
// whole machine, since memo files in the program's directory are shared by every user who
// runs it, and one for the session where the machine-wide one cannot be had.
#pragma once

#include <windows.h>

#include "memo/StoreLock.h"

namespace tembori {

class NamedStoreLock : public StoreLock {
 public:
  NamedStoreLock();
  ~NamedStoreLock() override;
  NamedStoreLock(const NamedStoreLock&) = delete;
  NamedStoreLock& operator=(const NamedStoreLock&) = delete;

  bool Acquire() override;
  void Release() override;

 private:
  HANDLE mutex_;
};

}  // namespace tembori
