// What every key-value store must do the way the registry does it, run against each store
// through a fixture type that provides:
//   KeyValueStore& Store();                      the store under test
//   std::string Root() const;                    a key path the test may use freely
//   void PutRaw(path, name, type, bytes);        stores a value as another writer would
//   KeyValueStore& WriteProtected(path);         a store on which writes to path fail
#pragma once

#include <doctest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "settings/KeyValueStore.h"

namespace tembori::contract {

struct Stored {
  std::uint32_t type = kTypeNone;
  std::vector<std::uint8_t> bytes;
};

// The value's exact type and bytes, read the two-step way.
inline Stored ReadStored(StoreKey& key, const char* name) {
  Stored stored;
  std::uint32_t size = 0;
  REQUIRE(key.Query(name, &stored.type, nullptr, &size) == StoreResult::Ok);
  stored.bytes.resize(size);
  REQUIRE(key.Query(name, nullptr, stored.bytes.data(), &size) == StoreResult::Ok);
  CHECK(size == stored.bytes.size());
  return stored;
}

}  // namespace tembori::contract

// doctest finds the template's instantiations by its name at global scope.
TEST_CASE_TEMPLATE_DEFINE("key-value store contract", Fixture, store_contract) {
  Fixture fixture;
  using namespace tembori;
  using contract::ReadStored;
  using contract::Stored;
  using Bytes = std::vector<std::uint8_t>;
  KeyValueStore& store = fixture.Store();
  const std::string path = fixture.Root() + "\\Key";
  std::unique_ptr<StoreKey> key;

  SUBCASE("a missing key or value is NotFound") {
    CHECK(store.OpenKey(path, key) == StoreResult::NotFound);
    CHECK(key == nullptr);
    REQUIRE(store.CreateKey(path, key, nullptr) == StoreResult::Ok);
    std::uint32_t size = 0;
    CHECK(key->Query("Missing", nullptr, nullptr, &size) == StoreResult::NotFound);
    CHECK(key->DeleteValue("Missing") == StoreResult::NotFound);
  }

  SUBCASE("creating a key creates its parents and tells whether it is new") {
    bool createdNew = false;
    REQUIRE(store.CreateKey(path + "\\Year\\Month", key, &createdNew) == StoreResult::Ok);
    CHECK(key != nullptr);
    CHECK(createdNew);
    CHECK(store.OpenKey(path + "\\Year", key) == StoreResult::Ok);
    CHECK(store.CreateKey(path + "\\YEAR\\month", key, &createdNew) == StoreResult::Ok);
    CHECK_FALSE(createdNew);
  }

  REQUIRE(store.CreateKey(path, key, nullptr) == StoreResult::Ok);

  SUBCASE("numbers and texts are stored with their registry types and exact bytes") {
    REQUIRE(key->WriteDword("Number", 0x12345678) == StoreResult::Ok);
    REQUIRE(key->WriteString("Text", "Face") == StoreResult::Ok);
    REQUIRE(key->WriteString("Empty", "") == StoreResult::Ok);
    const Stored number = ReadStored(*key, "number");  // names ignore case
    CHECK(number.type == kTypeDword);
    CHECK(number.bytes == Bytes{0x78, 0x56, 0x34, 0x12});
    const Stored text = ReadStored(*key, "Text");
    CHECK(text.type == kTypeString);
    CHECK(text.bytes == Bytes{'F', 'a', 'c', 'e', 0});
    CHECK(ReadStored(*key, "Empty").bytes == Bytes{0});
  }

  SUBCASE("a query reports the size, and MoreData when the buffer is too small") {
    fixture.PutRaw(path, "Wide", kTypeQword, {1, 2, 3, 4, 5, 6, 7, 8});
    std::uint8_t buffer[16] = {};
    std::uint32_t type = kTypeNone;
    std::uint32_t size = 4;
    CHECK(key->Query("Wide", &type, buffer, &size) == StoreResult::MoreData);
    CHECK(size == 8);
    CHECK(type == kTypeQword);
    size = sizeof buffer;
    REQUIRE(key->Query("Wide", nullptr, buffer, &size) == StoreResult::Ok);
    CHECK(size == 8);
    CHECK(buffer[7] == 8);
    CHECK(key->Query("Wide", nullptr, buffer, nullptr) == StoreResult::Failed);
  }

  SUBCASE("a value can be replaced by another type and deleted") {
    REQUIRE(key->WriteDword("Value", 1) == StoreResult::Ok);
    REQUIRE(key->WriteString("Value", "x") == StoreResult::Ok);
    CHECK(ReadStored(*key, "Value").type == kTypeString);
    CHECK(key->DeleteValue("Value") == StoreResult::Ok);
    std::uint32_t size = 0;
    CHECK(key->Query("Value", nullptr, nullptr, &size) == StoreResult::NotFound);
  }

  SUBCASE("a refused write or delete is Failed, not NotFound, and changes nothing") {
    REQUIRE(key->WriteDword("Kept", 7) == StoreResult::Ok);
    std::unique_ptr<StoreKey> protectedKey;
    REQUIRE(fixture.WriteProtected(path).OpenKey(path, protectedKey) == StoreResult::Ok);
    CHECK(protectedKey->WriteDword("Kept", 8) == StoreResult::Failed);
    CHECK(protectedKey->WriteString("New", "x") == StoreResult::Failed);
    CHECK(protectedKey->DeleteValue("Kept") == StoreResult::Failed);
    CHECK(ReadStored(*key, "Kept").bytes == Bytes{7, 0, 0, 0});
  }
}
