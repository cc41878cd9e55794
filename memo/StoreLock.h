// The lock that every writer of the memo stores takes around its writes: all running copies
// of the program share it, so that what one reads under it stays true until it has written.
#pragma once

namespace tembori {

class StoreLock {
 public:
  virtual ~StoreLock() = default;
  // Waits for the lock; false when it cannot be had, and then nothing may be written.
  virtual bool Acquire() = 0;
  virtual void Release() = 0;
};

}  // namespace tembori
