// The memo store on the real registry and real memo files, where only the platform can tell:
// the file's exact text and encoding, the program's own directory under any file name, values
// that other writers left in the registry, saves killed at any moment, and two processes
// saving at once.
#include <doctest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "ChildProcess.h"
#include "RealMemos.h"
#include "app/ProgramDir.h"
#include "memo/ProfileStruct.h"
#include "memo/ProfileText.h"

using namespace tembori;
using tembori::testing::ChildProcess;
using tembori::testing::RealMemos;
using tembori::testing::RealMemoStore;
using tembori::testing::ThisProgram;

namespace {

constexpr char kMemoRoot[] = "Software\\Tembori\\Memo";
constexpr char kDecember[] = "Software\\Tembori\\Memo\\1996\\12";
constexpr char kChildVariable[] = "TEMBORI_MEMO_TEST_CHILD";
const std::string kA = "あ";  // two bytes in code page 932

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string SharedDirectory() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "tembori-memo-shared\\";
}

const SystemTime kDecember2003 = MakeDate(2003, 12, 5);

// The stores as a started copy sees them: memo files in the directory shared with the test
// that started it, which clears them.
struct SharedMemos : RealMemoStore {
  explicit SharedMemos(int memoFile) : RealMemoStore(kDecember2003, memoFile) {
    store.SetProgramDir(SharedDirectory());
  }
};

const char* ChildMode() {
  return std::getenv(kChildVariable);
}

// Starts this program again to run `testCase` with `mode`.
std::unique_ptr<ChildProcess> StartChild(const char* testCase, const std::string& mode) {
  SetEnvironmentVariableA(kChildVariable, mode.c_str());
  auto child = std::make_unique<ChildProcess>(ThisProgram(),
                                              std::string("--test-case=\"") + testCase + "\"");
  SetEnvironmentVariableA(kChildVariable, nullptr);
  REQUIRE(child->Started());
  return child;
}

constexpr char kSaverCase[] = "a started copy saves memos until it is killed";
constexpr char kWriterCase[] = "a started copy saves its share of memos";
constexpr char kSaverReady[] = "Local\\TemboriMemoTestSaverReady";
constexpr char kWritersGo[] = "Local\\TemboriMemoTestWritersGo";

}  // namespace

TEST_CASE("memo files: a section per month, a key per day, the map in ten characters") {
  RealMemos memos(kDecember2003, 1);
  REQUIRE(memos.Save(1, "one") == MemoSaveResult::Saved);
  REQUIRE(memos.Save(3, "三日") == MemoSaveResult::Saved);
  CHECK(FileText(memos.store.FileName()) == "[12]\r\n1=one\r\nMapOfMemo=0500000005\r\n3=三日\r\n");

  // A 64-byte memo is read whole through the profile functions.
  const std::string x62(62, 'x');
  REQUIRE(memos.Save(5, x62 + kA) == MemoSaveResult::Saved);
  CHECK(memos.Read(5) == x62 + kA);
  REQUIRE(memos.Save(5, x62 + "yz") == MemoSaveResult::Saved);
  CHECK(memos.Read(5) == x62 + "yz");
}

TEST_CASE("a memo file in UTF-8 or UTF-16 keeps its byte-order mark and its encoding") {
  RealMemos memos(kDecember2003, 1);
  // "三日" in UTF-8, and in UTF-16LE.
  const std::string utf8 = "\xEF\xBB\xBF[12]\r\n3=\xE4\xB8\x89\xE6\x97\xA5\r\n";
  WriteFileText(memos.store.FileName(), utf8);
  CHECK(memos.Read(3) == "三日");
  REQUIRE(memos.Save(4, "四日") == MemoSaveResult::Saved);
  CHECK(FileText(memos.store.FileName()) ==
        utf8 + "4=\xE5\x9B\x9B\xE6\x97\xA5\r\nMapOfMemo=0C0000000C\r\n");
  CHECK(memos.Read(4) == "四日");

  const std::string utf16 = std::string(
      "\xFF\xFE[\0"
      "1\0"
      "2\0]\0\r\0\n\0"
      "3\0=\0\x09\x4E\xE5\x65\r\0\n\0",
      26);
  WriteFileText(memos.store.FileName(), utf16);
  REQUIRE(memos.Save(4, "四日") == MemoSaveResult::Saved);
  const std::string saved = FileText(memos.store.FileName());
  CHECK(saved.substr(0, utf16.size()) == utf16);
  CHECK(saved.substr(utf16.size(), 12) == std::string("4\0=\0\xDB\x56\xE5\x65\r\0\n\0", 12));
  CHECK(memos.Read(3) == "三日");
  CHECK(memos.Read(4) == "四日");
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

  RealMemos memos(kDecember2003, 1);
  memos.store.SetProgramDir(programDir);
  REQUIRE(memos.Save(5, "beside") == MemoSaveResult::Saved);
  CHECK(FileText(besideProgram).find("5=beside") != std::string::npos);
  CHECK(GetFileAttributesA(inWindows.c_str()) == INVALID_FILE_ATTRIBUTES);
  DeleteFileA(besideProgram.c_str());
  DeleteFileA(inWindows.c_str());
}

TEST_CASE(
    "registry memos that others left are read bounded, and a map of another type is rebuilt") {
  RealMemos memos(kDecember2003);
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

  REQUIRE(RegSetKeyValueA(HKEY_CURRENT_USER, kDecember, "MapOfMemo", REG_SZ, "1", 2) ==
          ERROR_SUCCESS);
  const DayMask texts = DayBit(7) | DayBit(8) | DayBit(9) | DayBit(10);
  CHECK(memos.Loaded() == texts);
  DWORD type = 0, map = 0, size = sizeof map;
  CHECK(RegGetValueA(HKEY_CURRENT_USER, kDecember, "MapOfMemo", RRF_RT_ANY, &type, &map, &size) ==
        ERROR_SUCCESS);
  CHECK(type == REG_DWORD);
  CHECK(map == texts);
}

// Run by the next test in a process of its own: saves day 1 of a large memo file again and
// again, with texts of one length, until it is killed; ready once the first save is done.
TEST_CASE(kSaverCase) {
  const char* const mode = ChildMode();
  if (mode == nullptr || std::strcmp(mode, "saver") != 0) return;
  SharedMemos memos(1);
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, kSaverReady);
  REQUIRE(ready != nullptr);
  for (int round = 1; round < 100000; ++round) {
    char text[16] = {};
    wsprintfA(text, "memo-%04d", round % 10000);
    REQUIRE(memos.store.CommitEdit(1, text) == MemoSaveResult::Saved);
    SetEvent(ready);
  }
}

TEST_CASE("a save killed at any moment leaves the old file or the new one, never less") {
  RealMemos memos(kDecember2003, 1, SharedDirectory());
  // Some 2 MB of another section after the month's memos, in long lines: writing the file
  // takes most of a save.
  std::string original = "[12]\r\n1=memo-0000\r\nMapOfMemo=0100000001\r\n[filler]\r\n";
  for (int i = 0; i < 2000; ++i) {
    original += "key" + std::to_string(i) + "=" + std::string(1000, 'f') + "\r\n";
  }
  WriteFileText(memos.store.FileName(), original);
  const HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, kSaverReady);
  REQUIRE(ready != nullptr);

  std::string lastRound = "0000";
  int roundsSeen = 0;
  for (int attempt = 0; attempt < 30; ++attempt) {
    CAPTURE(attempt);
    ResetEvent(ready);
    const auto saver = StartChild(kSaverCase, "saver");
    REQUIRE(WaitForSingleObject(ready, 30000) == WAIT_OBJECT_0);
    Sleep(static_cast<DWORD>(attempt * 7));  // a different moment of the saves each time
    TerminateProcess(saver->Handle(), 99);
    REQUIRE(saver->Finish(10000) != STILL_ACTIVE);

    std::string now = FileText(memos.store.FileName());
    REQUIRE(now.size() == original.size());
    REQUIRE(now.compare(0, 13, original, 0, 13) == 0);
    const std::string round = now.substr(13, 4);
    if (round != lastRound) ++roundsSeen;
    lastRound = round;
    now.replace(13, 4, "0000");
    CHECK(now == original);
  }
  CHECK(roundsSeen > 3);  // the kills fell among saves that went on
  CloseHandle(ready);
}

// Run by the next test: one of two copies that save at once, each on its own days of two
// months. Its days are saved and deleted again over many passes, the last one saving them;
// after each save the map as stored must show this copy's days as it left them.
TEST_CASE(kWriterCase) {
  const char* const mode = ChildMode();
  if (mode == nullptr || std::strncmp(mode, "writer", 6) != 0) return;
  const int writer = mode[6] - '0';
  const int memoFile = mode[7] - '0';
  SharedMemos memos(memoFile);
  // Read under the store's lock, as a writer reads, and past the profile functions, which may
  // keep a copy of the file for a moment.
  const auto storedMap = [&] {
    REQUIRE(memos.lock.Acquire());
    const std::string section = std::to_string(memos.calendar.Shown().wMonth);
    const DayMask map =
        memoFile == 0
            ? memos.Loaded()
            : DecodeProfileStruct(
                  ProfileValue(FileText(memos.store.FileName()), section, "MapOfMemo").value_or(""))
                  .value_or(0);
    memos.lock.Release();
    return map;
  };
  HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, kWritersGo);
  REQUIRE(go != nullptr);
  WaitForSingleObject(go, 30000);
  const DayMask ownDays = (writer == 0 ? 0x55555555u : 0xAAAAAAAAu) & FirstDays(30);
  DayMask left[2] = {0, 0};  // December, November
  for (int pass = 0; pass <= 6; ++pass) {
    for (int round = 0; round < 15; ++round) {
      const int day = 2 * round + 1 + writer;
      const std::string text =
          pass % 2 == 0 ? "writer " + std::to_string(writer) + " day " + std::to_string(day)
                        : std::string();
      for (DayMask& month : left) {
        if (&month != left) memos.calendar.PrevMonth();
        REQUIRE(memos.Save(day, text) == MemoSaveResult::Saved);
        month = text.empty() ? month & ~DayBit(day) : month | DayBit(day);
        REQUIRE((storedMap() & ownDays) == month);
        if (&month != left) memos.calendar.NextMonth();
      }
    }
  }
}

TEST_CASE("two copies saving at once lose none of each other's memos") {
  for (const int memoFile : {1, 0}) {
    CAPTURE(memoFile);
    RealMemos memos(kDecember2003, memoFile, SharedDirectory());
    const HANDLE go = CreateEventA(nullptr, TRUE, FALSE, kWritersGo);
    REQUIRE(go != nullptr);
    const auto first = StartChild(kWriterCase, "writer0" + std::to_string(memoFile));
    const auto second = StartChild(kWriterCase, "writer1" + std::to_string(memoFile));
    Sleep(1000);  // both waiting
    SetEvent(go);
    CHECK(first->Finish(120000) == 0);
    CHECK(second->Finish(120000) == 0);
    CloseHandle(go);

    for (const int month : {12, 11}) {
      CAPTURE(month);
      if (month == 11) memos.calendar.PrevMonth();
      CHECK(memos.Loaded() == FirstDays(30));
      for (int day = 1; day <= 30; ++day) {
        CHECK(memos.Read(day) ==
              "writer " + std::to_string((day - 1) % 2) + " day " + std::to_string(day));
      }
    }
  }
}
