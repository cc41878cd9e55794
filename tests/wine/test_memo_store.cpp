// The memo store on the real registry and on real memo files: what lands where, in which
// form, and what comes back of values that other writers left.
#include <doctest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/ProgramDir.h"
#include "calendar/FixedClock.h"
#include "memo/MemoStore.h"
#include "memo/ProfileStruct.h"
#include "memo/win32/PrivateProfileFile.h"
#include "settings/StoreValues.h"
#include "settings/win32/RegistryStore.h"

using namespace tembori;

namespace {

constexpr char kMemoRoot[] = "Software\\Tembori\\Memo";
constexpr char kDecember[] = "Software\\Tembori\\Memo\\1996\\12";
const std::string kA = "あ";  // two bytes in code page 932

// A directory of its own for the memo files, removed with them afterwards.
struct MemoDirectory {
  MemoDirectory() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path = std::string(temp) + "tembori-memo-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path.c_str(), nullptr);
  }
  ~MemoDirectory() {
    for (const char* name : {"tb2003.mem", "tb2004.mem", "probe.ini"}) {
      DeleteFileA((path + name).c_str());
    }
    RemoveDirectoryA(path.c_str());
  }
  std::string path;
};

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// December 2003 on the real stores.
struct RealMemos {
  RealMemos() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kMemoRoot);
    store.SetProgramDir(directory.path);
  }
  ~RealMemos() { RegDeleteTreeA(HKEY_CURRENT_USER, kMemoRoot); }
  MemoSaveResult Save(int day, const std::string& text) {
    std::string old;
    REQUIRE(store.BeginEdit(day, old));
    return store.CommitEdit(day, text);
  }
  std::string Read(int day) {
    std::string text;
    return store.ReadMemo(day, text) ? text : "(none)";
  }
  void PutRegistryValue(const char* name, DWORD type, const std::string& bytes) {
    REQUIRE(RegSetKeyValueA(HKEY_CURRENT_USER, kDecember, name, type, bytes.data(),
                            static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS);
  }

  MemoDirectory directory;
  FixedClock clock{MakeDate(2003, 12, 5)};
  RegistryStore registry;
  PrivateProfileFile files;
  Settings settings;
  MonthCalendar calendar{clock, registry, settings};
  MemoStore store{calendar, settings, registry, files};
};

}  // namespace

TEST_CASE("the profile functions keep records as the in-memory profile file does") {
  MemoDirectory directory;
  const std::string file = directory.path + "probe.ini";
  PrivateProfileFile profile;
  REQUIRE(profile.WriteStruct(file, "12", "MapOfMemo", 5));
  CHECK(profile.GetString(file, "12", "MapOfMemo") == "0500000005");
  for (const std::uint32_t value : {0u, 0xABu, 0x80000001u, 0xFFFFFFFFu}) {
    REQUIRE(profile.WriteStruct(file, "12", "MapOfMemo", value));
    CHECK(profile.GetString(file, "12", "MapOfMemo") == EncodeProfileStruct(value));
  }
  // Wrong checksums, short and lower-case records are judged alike. (What the platform makes
  // of a longer record or of other characters is its own affair: Wine takes some of them.)
  for (const char* text : {"0500000006", "05000000", "ab000000ab", "AB000000AB", ""}) {
    CAPTURE(std::string(text));
    REQUIRE(profile.WriteString(file, "12", "MapOfMemo", text));
    std::uint32_t value = 0xDEAD;
    const bool read = profile.GetStruct(file, "12", "MapOfMemo", value);
    const auto decoded = DecodeProfileStruct(text);
    CHECK(read == decoded.has_value());
    if (read && decoded) CHECK(value == *decoded);
  }
  // Values longer than any first buffer come back whole; deleting a missing key or a key of
  // a missing file succeeds.
  const std::string long300 = std::string(299, 'x') + "y";
  REQUIRE(profile.WriteString(file, "12", "long", long300));
  CHECK(profile.GetString(file, "12", "long") == long300);
  CHECK(profile.DeleteKey(file, "12", "long"));
  CHECK(profile.GetString(file, "12", "long").empty());
  CHECK(profile.DeleteKey(file, "12", "long"));
  CHECK(profile.GetString(directory.path + "missing.ini", "12", "long").empty());
}

TEST_CASE("memo files: a section per month, a key per day and the map in ten characters") {
  RealMemos memos;
  memos.settings.MemoFile = 1;
  REQUIRE(memos.Save(1, "one") == MemoSaveResult::Saved);
  REQUIRE(memos.Save(3, "三日") == MemoSaveResult::Saved);
  const std::string file = memos.directory.path + "tb2003.mem";
  CHECK(FileText(file) == "[12]\r\n1=one\r\nMapOfMemo=0500000005\r\n3=三日\r\n");
  CHECK(memos.store.MemoMap() == 5);

  // The 64-byte memo reads back as its first 63 bytes, whole characters only.
  const std::string x62(62, 'x');
  REQUIRE(memos.Save(5, x62 + kA) == MemoSaveResult::Saved);
  CHECK(memos.Read(5) == x62);
  REQUIRE(memos.Save(5, x62 + "yz") == MemoSaveResult::Saved);
  CHECK(memos.Read(5) == x62 + "y");

  REQUIRE(memos.Save(1, "") == MemoSaveResult::Saved);
  CHECK(memos.Read(1) == "(none)");
  CHECK(memos.Read(3) == "三日");
  memos.calendar.SetYear(2004);
  memos.store.LoadMonthMap();
  CHECK(memos.store.MemoMap() == 0);
  CHECK(memos.Read(3) == "(none)");
  CHECK(GetFileAttributesA((memos.directory.path + "tb2004.mem").c_str()) ==
        INVALID_FILE_ATTRIBUTES);
}

TEST_CASE("under another file name the program keeps its memo files in the Windows directory") {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string programDir =
      ProgramDirFromPath(module, [](unsigned char b) { return IsDBCSLeadByte(b) != FALSE; });
  CHECK(programDir.empty());  // this program is not called Tembori.exe

  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string file = std::string(windows) + "\\tb2003.mem";
  DeleteFileA(file.c_str());
  RealMemos memos;
  memos.settings.MemoFile = 1;
  memos.store.SetProgramDir(programDir);
  REQUIRE(memos.Save(5, "windows") == MemoSaveResult::Saved);
  CHECK(FileText(file).find("5=windows") != std::string::npos);
  CHECK(memos.Read(5) == "windows");
  DeleteFileA(file.c_str());
}

TEST_CASE("a memo file that cannot be written reports the text as not saved") {
  RealMemos memos;
  memos.settings.MemoFile = 1;
  memos.store.SetProgramDir(memos.directory.path + "missing\\");
  CHECK(memos.Save(5, "lost") == MemoSaveResult::TextNotSaved);
  CHECK(memos.store.MemoMap() == 0);
  CHECK(memos.Read(5) == "(none)");
}

TEST_CASE("registry memos: one key per month, REG_SZ texts and a REG_DWORD map") {
  RealMemos memos;
  REQUIRE(memos.Save(1, "one") == MemoSaveResult::Saved);
  REQUIRE(memos.Save(3, "三日") == MemoSaveResult::Saved);
  DWORD type = 0, map = 0, size = sizeof map;
  REQUIRE(RegGetValueA(HKEY_CURRENT_USER, kDecember, "MapOfMemo", RRF_RT_ANY, &type, &map, &size) ==
          ERROR_SUCCESS);
  CHECK(type == REG_DWORD);
  CHECK(map == 5);
  char text[16] = {};
  size = sizeof text;
  REQUIRE(RegGetValueA(HKEY_CURRENT_USER, kDecember, "3", RRF_RT_ANY, &type, text, &size) ==
          ERROR_SUCCESS);
  CHECK(type == REG_SZ);
  CHECK(size == 5);  // two double-byte characters and the terminator
  CHECK(std::string(text) == "三日");

  // The registry's memo of 5 December shows in every year.
  REQUIRE(memos.Save(5, "every year") == MemoSaveResult::Saved);
  memos.calendar.SetYear(1990);
  memos.store.LoadMonthMap();
  CHECK(memos.store.MemoMap() == (DayBit(1) | DayBit(3) | DayBit(5)));
  CHECK(memos.Read(5) == "every year");

  // Values of other writers: no terminator, another type, longer than 65 bytes.
  const std::string long100 = std::string(63, 'x') + kA + std::string(35, 'z');
  memos.PutRegistryValue("7", REG_SZ, "bare");
  memos.PutRegistryValue("8", REG_BINARY, std::string("bin\0junk", 8));
  memos.PutRegistryValue("9", REG_SZ, long100);
  memos.PutRegistryValue("10", REG_EXPAND_SZ, std::string(100, 'e'));
  CHECK(memos.Read(7) == "bare");
  CHECK(memos.Read(8) == "bin");
  CHECK(memos.Read(9) == std::string(63, 'x'));
  CHECK(memos.Read(10) == std::string(64, 'e'));
  std::string old;
  REQUIRE(memos.store.BeginEdit(9, old));
  memos.store.EndEdit();
  CHECK(old == std::string(63, 'x'));

  // Deleting removes the value and its bit; a cancelled edit of a new month leaves its key.
  REQUIRE(memos.Save(1, "") == MemoSaveResult::Saved);
  CHECK(RegGetValueA(HKEY_CURRENT_USER, kDecember, "1", RRF_RT_ANY, nullptr, nullptr, nullptr) ==
        ERROR_FILE_NOT_FOUND);
  CHECK(memos.store.MemoMap() == (DayBit(3) | DayBit(5)));
  memos.calendar.PrevMonth();
  REQUIRE(memos.store.BeginEdit(1, old));
  memos.store.EndEdit();
  HKEY november = nullptr;
  REQUIRE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tembori\\Memo\\1996\\11", 0, KEY_READ,
                        &november) == ERROR_SUCCESS);
  DWORD values = 99;
  RegQueryInfoKeyA(november, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  CHECK(values == 0);
  RegCloseKey(november);
}
