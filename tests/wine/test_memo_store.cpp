// The memo store on real memo files and the real registry, where only the platform can tell:
// values read through the profile functions, files in UTF-8 or UTF-16, saves killed at any
// moment, and two processes saving at once.
#include <doctest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "ChildProcess.h"
#include "memo/ProfileStruct.h"
#include "memo/ProfileText.h"
#include "memo/win32/NamedStoreLock.h"
#include "memo/win32/PrivateProfileFile.h"
#include "settings/win32/RegistryStore.h"
#include "tests/common/MemoFixture.h"

using namespace tembori;
using tembori::testing::StartTestCase;

namespace {

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

// The registry's memos, and the memo files with what a save cut short left beside them.
void RemoveMemos(const std::string& directory) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kMemoKey);
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((directory + "tb*.mem*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    DeleteFileA((directory + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// The memo store on the real registry, the real lock and real memo files, in a directory that
// the copies this test starts share with it, showing December 2003. The test that starts
// them (the owner) removes the memos before and after.
struct RealMemos : MemoFixture<RegistryStore, PrivateProfileFile, NamedStoreLock> {
  explicit RealMemos(int memoFile, bool owner = true)
      : MemoFixture(MakeDate(2003, 12, 5), memoFile), owner(owner) {
    CreateDirectoryA(directory.c_str(), nullptr);
    store.SetProgramDir(directory);
    if (owner) RemoveMemos(directory);
  }
  ~RealMemos() {
    if (owner) RemoveMemos(directory);
  }
  const std::string directory = SharedDirectory();
  const bool owner;
};

constexpr char kSaverCase[] = "a started copy saves memos until it is killed";
constexpr char kWriterCase[] = "a started copy saves its share of memos";
constexpr char kSaverReady[] = "Local\\TemboriMemoTestSaverReady";
constexpr char kWritersGo[] = "Local\\TemboriMemoTestWritersGo";

}  // namespace

TEST_CASE("memo files are read whole through the profile functions and keep their encoding") {
  RealMemos memos(1);
  const std::string x64 = std::string(62, 'x') + kA;
  REQUIRE(memos.Save(5, x64) == MemoSaveResult::Saved);
  CHECK(memos.Read(5) == x64);
  // The profile functions drop the spaces and one pair of quotes around a value.
  for (const std::string text : {"\"会議\"", "'x'", "  spaced  ", "\"", "\"x"}) {
    REQUIRE(memos.Save(6, text) == MemoSaveResult::Saved);
    CHECK(memos.Read(6) == text);
  }

  // A byte-order mark keeps the file in UTF-8 or UTF-16, here "三日" and then "四日".
  const std::string utf8 = "\xEF\xBB\xBF[12]\r\n3=\xE4\xB8\x89\xE6\x97\xA5\r\n";
  WriteFileText(memos.store.FileName(), utf8);
  REQUIRE(memos.Save(4, "四日") == MemoSaveResult::Saved);
  CHECK(FileText(memos.store.FileName()) ==
        utf8 + "4=\xE5\x9B\x9B\xE6\x97\xA5\r\nMapOfMemo=0C0000000C\r\n");

  const auto bytes = [](std::u16string_view wide) {  // little-endian, as Windows writes it
    return std::string(reinterpret_cast<const char*>(wide.data()), 2 * wide.size());
  };
  const std::string utf16 = bytes(u"\uFEFF[12]\r\n3=三日\r\n");
  WriteFileText(memos.store.FileName(), utf16);
  REQUIRE(memos.Save(4, "四日") == MemoSaveResult::Saved);
  CHECK(FileText(memos.store.FileName()).substr(0, utf16.size() + 12) ==
        utf16 + bytes(u"4=四日\r\n"));
}

// Run by the next test in a process of its own: saves day 1 of a large memo file again and
// again, with texts of one length, until it is killed; ready once the first save is done.
TEST_CASE(kSaverCase) {
  if (!tembori::testing::RunsAs(kChildVariable, "saver")) return;
  RealMemos memos(1, false);
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
  RealMemos memos(1);
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
    const auto saver = StartTestCase(kSaverCase, kChildVariable, "saver");
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
  const char* const mode = std::getenv(kChildVariable);
  if (mode == nullptr || std::strncmp(mode, "writer", 6) != 0) return;
  const int writer = mode[6] - '0';
  const int memoFile = mode[7] - '0';
  RealMemos memos(memoFile, false);
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
    RealMemos memos(memoFile);
    const HANDLE go = CreateEventA(nullptr, TRUE, FALSE, kWritersGo);
    REQUIRE(go != nullptr);
    const auto first =
        StartTestCase(kWriterCase, kChildVariable, "writer0" + std::to_string(memoFile));
    const auto second =
        StartTestCase(kWriterCase, kChildVariable, "writer1" + std::to_string(memoFile));
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
