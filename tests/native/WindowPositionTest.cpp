// The remembered window position: reading with fall-backs, the copy for a second instance,
// and the write order with its stop at the first failure.
#include <doctest.h>

#include "app/WindowPosition.h"
#include "settings/MemoryStore.h"

using namespace tembori;

namespace {

using Op = MemoryStore::Operation;
const Rect kScreen{0, 0, 1024, 768};

void PutPosition(MemoryStore& store, const Rect& rect) {
  store.PutDword(kPositionKey, "Left", static_cast<std::uint32_t>(rect.left));
  store.PutDword(kPositionKey, "Top", static_cast<std::uint32_t>(rect.top));
  store.PutDword(kPositionKey, "Right", static_cast<std::uint32_t>(rect.right));
  store.PutDword(kPositionKey, "Bottom", static_cast<std::uint32_t>(rect.bottom));
}

int Stored(const MemoryStore& store, const char* name) {
  std::uint32_t value = 0;
  REQUIRE(store.ReadDword(kPositionKey, name, value));
  return static_cast<std::int32_t>(value);
}

}  // namespace

TEST_CASE("restoring the position") {
  MemoryStore store;

  SUBCASE("first run: the key is made, the corner is used and 16 is stored") {
    const auto placed = RestoreWindowPosition(store, kScreen);
    REQUIRE(placed);
    CHECK(*placed == Rect{0, 0, 0, 0});
    CHECK(store.ValueNames(kPositionKey) ==
          std::vector<std::string>{"Left", "Top", "Right", "Bottom"});
    CHECK(Stored(store, "Left") == 16);
    CHECK(Stored(store, "Bottom") == 16);
  }
  SUBCASE("a stored position comes back, negative edges included") {
    PutPosition(store, {-40, 100, 170, 272});
    const auto placed = RestoreWindowPosition(store, kScreen);
    REQUIRE(placed);
    CHECK(*placed == Rect{-40, 100, 170, 272});
    CHECK(Stored(store, "Left") == -24);
    CHECK(Stored(store, "Top") == 116);
  }
  SUBCASE("a window mostly right of the screen moves to its left edge, keeping its width") {
    PutPosition(store, {1000, 100, 1210, 272});
    const auto placed = RestoreWindowPosition(store, kScreen);
    REQUIRE(placed);
    CHECK(*placed == Rect{0, 100, 210, 272});
  }
  SUBCASE("values that cannot be read count as 0") {
    PutPosition(store, {50, 60, 260, 232});
    store.Put(kPositionKey, "Top", kTypeBinary, {1, 2, 3, 4, 5, 6, 7, 8});
    store.FailOn(Op::Query, kPositionKey, "Right");
    const auto placed = RestoreWindowPosition(store, kScreen);
    REQUIRE(placed);
    CHECK(*placed == Rect{50, 0, 0, 232});
  }
  SUBCASE("a key that cannot be made gives nothing") {
    store.FailOn(Op::Create, kPositionKey);
    CHECK_FALSE(RestoreWindowPosition(store, kScreen));
  }
}

TEST_CASE("saving the position") {
  MemoryStore store;

  SUBCASE("the four edges in order") {
    CHECK(SaveWindowPosition(store, {-5, 20, 205, 192}));
    CHECK(store.ValueNames(kPositionKey) ==
          std::vector<std::string>{"Left", "Top", "Right", "Bottom"});
    CHECK(Stored(store, "Left") == -5);
    CHECK(Stored(store, "Bottom") == 192);
    CHECK(store.OpenKeyCount() == 0);
  }
  SUBCASE("the first failed write abandons the rest, leaving the earlier ones written") {
    PutPosition(store, {1, 2, 3, 4});
    store.FailOn(Op::Write, kPositionKey, "Right");
    CHECK_FALSE(SaveWindowPosition(store, {10, 20, 30, 40}));
    CHECK(Stored(store, "Left") == 10);
    CHECK(Stored(store, "Top") == 20);
    CHECK(Stored(store, "Right") == 3);
    CHECK(Stored(store, "Bottom") == 4);
    CHECK(store.OpenKeyCount() == 0);
  }
  SUBCASE("a key that cannot be made writes nothing") {
    store.FailOn(Op::Create, kPositionKey);
    CHECK_FALSE(SaveWindowPosition(store, {10, 20, 30, 40}));
    CHECK_FALSE(store.HasKey(kPositionKey));
  }
}
