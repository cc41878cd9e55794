// The shell's platform-free helpers: the program's directory taken from its path, and the
// remembered window position when the store misbehaves (where the real window opens, and the
// position it leaves for a second copy, are tested under Wine).
#include <doctest.h>

#include "app/ProgramDir.h"
#include "app/WindowPosition.h"
#include "settings/MemoryStore.h"
#include "settings/StoreValues.h"

using namespace tembori;

namespace {

using Op = MemoryStore::Operation;
using Edges = std::vector<std::uint32_t>;
const Rect kScreen{0, 0, 1024, 768};
const std::vector<MonitorArea> kMonitors{{kScreen, {0, 30, 1024, 768}}};  // taskbar at the top

Edges StoredEdges(const MemoryStore& store) {
  Edges edges;
  for (const char* name : {"Left", "Top", "Right", "Bottom"}) {
    edges.push_back(0);
    REQUIRE(store.ReadDword(kPositionKey, name, edges.back()));
  }
  return edges;
}

}  // namespace

TEST_CASE("the program directory is the directory part of the program's path, whatever its name") {
  // 0x95 0x5C is one kanji whose second byte is a backslash: no directory ends there.
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Program Files\\Tembori\\Tembori.exe", "C:\\Program Files\\Tembori\\"},
      {"C:\\Tembori.exe.old\\Tembori.exe", "C:\\Tembori.exe.old\\"},
      {"\\\\server\\share\\cal.exe", "\\\\server\\share\\"},
      {"C:/Tools/Tembori.exe", "C:/Tools/"},
      {"Tembori.exe", ""},
      {"", ""},
      {"C:\\\x95\x5C.exe", "C:\\"},
      {"C:\\\x95\x5C\\Tembori.exe", "C:\\\x95\x5C\\"},
  };
  for (const auto& [path, directory] : cases) {
    CAPTURE(path);
    CHECK(ProgramDirFromPath(path, &IsShiftJisLeadByte) == directory);
  }
}

TEST_CASE("a position edge that cannot be read counts as 0, and the next copy's place is kept") {
  MemoryStore store;
  store.PutDword(kPositionKey, "Left", 1000);
  store.Put(kPositionKey, "Top", kTypeBinary, {1, 2, 3, 4, 5, 6, 7, 8});
  store.PutDword(kPositionKey, "Right", 1210);
  store.FailOn(Op::Query, kPositionKey, "Bottom");
  const auto placed = RestoreWindowPosition(store, kScreen, kMonitors, 210, 200);
  REQUIRE(placed);
  CHECK(*placed == Rect{0, 0, 210, 0});  // its middle was right of the screen
  CHECK(StoredEdges(store) == Edges{16, 16, 226, 16});
  store.FailOn(Op::Create, kPositionKey);
  CHECK_FALSE(RestoreWindowPosition(store, kScreen, kMonitors, 210, 200));
}

TEST_CASE("saving the position writes the four edges in order and stops at the first failure") {
  MemoryStore store;
  CHECK(SaveWindowPosition(store, {-5, 20, 205, 192}));
  CHECK(store.ValueNames(kPositionKey) ==
        std::vector<std::string>{"Left", "Top", "Right", "Bottom"});
  store.FailOn(Op::Write, kPositionKey, "Right");
  CHECK_FALSE(SaveWindowPosition(store, {10, 20, 30, 40}));
  CHECK(StoredEdges(store) == Edges{10, 20, 205, 192});
  CHECK(store.OpenKeyCount() == 0);
  store.FailOn(Op::Create, kPositionKey);
  CHECK_FALSE(SaveWindowPosition(store, {10, 20, 30, 40}));
}
