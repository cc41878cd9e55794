// Holding the store's lock for a scope, when it could be had.
#pragma once

#include "memo/StoreLock.h"

namespace tembori {

class StoreLockHold {
 public:
  explicit StoreLockHold(StoreLock& lock) : lock_(lock), held_(lock.Acquire()) {}
  ~StoreLockHold() {
    if (held_) lock_.Release();
  }
  StoreLockHold(const StoreLockHold&) = delete;
  StoreLockHold& operator=(const StoreLockHold&) = delete;
  bool Held() const { return held_; }

 private:
  StoreLock& lock_;
  const bool held_;
};

}  // namespace tembori
