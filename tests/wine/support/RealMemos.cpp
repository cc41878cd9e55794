// The memo store on the real registry and memo files.
#include "RealMemos.h"

#include <windows.h>

namespace tembori::testing {
namespace {

constexpr char kMemoRoot[] = "Software\\Tembori\\Memo";

// The registry's memos, and the memo files with what a save cut short left beside them.
void RemoveMemos(const std::string& directory) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kMemoRoot);
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((directory + "tb*.mem*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    DeleteFileA((directory + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

RealMemos::RealMemos(const SystemTime& today, int memoFile, std::string directory)
    : RealMemoStore(today, memoFile), directory(std::move(directory)) {
  if (this->directory.empty()) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    this->directory =
        std::string(temp) + "tembori-memo-" + std::to_string(GetCurrentProcessId()) + "\\";
  }
  CreateDirectoryA(this->directory.c_str(), nullptr);
  RemoveMemos(this->directory);
  store.SetProgramDir(this->directory);
}

RealMemos::~RealMemos() {
  RemoveMemos(directory);
  RemoveDirectoryA(directory.c_str());
}

}  // namespace tembori::testing
