// The memo store on the real registry and memo files.
#include "RealMemos.h"

#include <doctest.h>
#include <windows.h>

namespace tembori::testing {
namespace {

constexpr char kMemoRoot[] = "Software\\Tembori\\Memo";

}  // namespace

RealMemos::RealMemos(const SystemTime& today) : clock(today) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kMemoRoot);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  directory = std::string(temp) + "tembori-memo-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(directory.c_str(), nullptr);
  store.SetProgramDir(directory);
}

RealMemos::~RealMemos() {
  RegDeleteTreeA(HKEY_CURRENT_USER, kMemoRoot);
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((directory + "*.mem").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileA((directory + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(directory.c_str());
}

MemoSaveResult RealMemos::Save(int day, const std::string& text) {
  std::string old;
  REQUIRE(store.BeginEdit(day, old));
  return store.CommitEdit(day, text);
}

std::string RealMemos::Read(int day) {
  std::string text;
  return store.ReadMemo(day, text) ? text : "(none)";
}

}  // namespace tembori::testing
