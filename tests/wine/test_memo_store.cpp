// The memo store on the real registry and real memo files, where only the platform can tell:
// the file's exact text, the program's own directory under any file name, values that
// other writers left in the registry, and what the profile functions give back of a long text.
#include <doctest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "RealMemos.h"
#include "app/ProgramDir.h"

using namespace tembori;
using tembori::testing::RealMemos;

namespace {

constexpr char kDecember[] = "Software\\Tembori\\Memo\\1996\\12";
const std::string kA = "あ";  // two bytes in code page 932

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

TEST_CASE("memo files: a section per month, a key per day, the map in ten characters") {
  RealMemos memos(MakeDate(2003, 12, 5));
  memos.settings.MemoFile = 1;
  REQUIRE(memos.Save(1, "one") == MemoSaveResult::Saved);
  REQUIRE(memos.Save(3, "三日") == MemoSaveResult::Saved);
  CHECK(FileText(memos.directory + "tb2003.mem") ==
        "[12]\r\n1=one\r\nMapOfMemo=0500000005\r\n3=三日\r\n");

  // The profile functions give back 63 bytes of a 64-byte memo: whole characters only.
  const std::string x62(62, 'x');
  REQUIRE(memos.Save(5, x62 + kA) == MemoSaveResult::Saved);
  CHECK(memos.Read(5) == x62);
  REQUIRE(memos.Save(5, x62 + "yz") == MemoSaveResult::Saved);
  CHECK(memos.Read(5) == x62 + "y");
}

TEST_CASE("under any file name the program keeps its memo files beside itself") {
  // This program is not called Tembori.exe; nothing may go to the Windows directory.
  char module[MAX_PATH] = {};
  REQUIRE(GetModuleFileNameA(nullptr, module, MAX_PATH) < MAX_PATH);
  const std::string programDir =
      ProgramDirFromPath(module, [](unsigned char b) { return IsDBCSLeadByte(b) != FALSE; });
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string besideProgram = programDir + "tb2003.mem";
  const std::string inWindows = std::string(windows) + "\\tb2003.mem";
  DeleteFileA(besideProgram.c_str());
  DeleteFileA(inWindows.c_str());

  RealMemos memos(MakeDate(2003, 12, 5));
  memos.settings.MemoFile = 1;
  memos.store.SetProgramDir(programDir);
  REQUIRE(memos.Save(5, "beside") == MemoSaveResult::Saved);
  CHECK(FileText(besideProgram).find("5=beside") != std::string::npos);
  CHECK(GetFileAttributesA(inWindows.c_str()) == INVALID_FILE_ATTRIBUTES);
  DeleteFileA(besideProgram.c_str());
  DeleteFileA(inWindows.c_str());
}

TEST_CASE("registry memos that other writers left are read bounded, whole characters only") {
  RealMemos memos(MakeDate(2003, 12, 5));
  // No terminator, another type, longer than 65 bytes with a character across the bound.
  const struct {
    const char* day;
    DWORD type;
    std::string bytes, read;
  } others[] = {
      {"7", REG_SZ, "bare", "bare"},
      {"8", REG_BINARY, std::string("bin\0junk", 8), "bin"},
      {"9", REG_SZ, std::string(63, 'x') + kA + std::string(35, 'z'), std::string(63, 'x')},
      {"10", REG_EXPAND_SZ, std::string(100, 'e'), std::string(64, 'e')},
  };
  for (const auto& other : others) {
    CAPTURE(other.day);
    REQUIRE(RegSetKeyValueA(HKEY_CURRENT_USER, kDecember, other.day, other.type, other.bytes.data(),
                            static_cast<DWORD>(other.bytes.size())) == ERROR_SUCCESS);
    CHECK(memos.Read(std::stoi(other.day)) == other.read);
  }
  std::string old;
  REQUIRE(memos.store.BeginEdit(9, old));
  memos.store.EndEdit();
  CHECK(old == std::string(63, 'x'));
}
