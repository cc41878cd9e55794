// The named mutex of the running copy and the hand-over to it.
#include "app/SingleInstance.h"

#include "app/FrontWindow.h"

namespace tembori {
namespace {

// The session's namespace, and the user's name within it, so that copies run under other
// accounts in the same session (run as another user) stay apart.
std::string MutexName() {
  char user[257] = {};
  DWORD length = sizeof user;
  if (!GetUserNameA(user, &length)) user[0] = '\0';
  return std::string("Local\\Tembori.Calendar.") + user;
}

}  // namespace

SingleInstance::SingleInstance() {
  mutex_ = CreateMutexA(nullptr, FALSE, MutexName().c_str());
  // A mutex that cannot be had at all (a name taken by another account) does not keep the
  // calendar from starting: the stores' own lock still keeps their writers apart.
  first_ = mutex_ == nullptr || GetLastError() != ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance() {
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool SingleInstance::ActivateRunning(const std::string& windowClass) {
  // The first copy may still be reading its settings and creating its window.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (const HWND running = FindWindowA(windowClass.c_str(), nullptr)) {
      BringToFront(running);
      return true;
    }
    Sleep(100);
  }
  return false;
}

}  // namespace tembori
