// The named mutex around memo writes.
#include "memo/win32/NamedStoreLock.h"

namespace tembori {
namespace {

// A writer holds the lock for the time of one save; a wait longer than this means a copy
// that hangs, and the save is reported as failed rather than waiting for ever.
constexpr DWORD kLongestWait = 10000;

}  // namespace

NamedStoreLock::NamedStoreLock() {
  mutex_ = CreateMutexA(nullptr, FALSE, "Global\\Tembori.MemoStore");
  if (mutex_ == nullptr) mutex_ = CreateMutexA(nullptr, FALSE, "Local\\Tembori.MemoStore");
}

NamedStoreLock::~NamedStoreLock() {
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool NamedStoreLock::Acquire() {
  if (mutex_ == nullptr) return false;
  // A copy that ended while it held the lock left every memo file whole, each being replaced
  // in one step: the lock is simply taken over.
  const DWORD waited = WaitForSingleObject(mutex_, kLongestWait);
  return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void NamedStoreLock::Release() {
  ReleaseMutex(mutex_);
}

}  // namespace tembori
