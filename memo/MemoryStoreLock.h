// The store's lock for tests: counts what is held, can be refused, and can let another writer
// act at the moment the lock is taken, as another copy of the program would just before.
#pragma once

#include <functional>

#include "memo/StoreLock.h"

namespace tembori {

class MemoryStoreLock : public StoreLock {
 public:
  bool Acquire() override {
    if (refuse) return false;
    if (beforeTaken) beforeTaken();
    ++held;
    return true;
  }
  void Release() override { --held; }

  bool refuse = false;
  std::function<void()> beforeTaken;  // runs each time, just before the lock is held
  int held = 0;
};

}  // namespace tembori
