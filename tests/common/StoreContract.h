// What every key-value store must do the way the registry does it, run against each store
// through a fixture type that provides:
//   store                                   the store under test
//   root                                    a key path the test may use freely
#pragma once

#include <doctest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "settings/KeyValueStore.h"

// doctest finds the template's instantiations by its name at global scope.
TEST_CASE_TEMPLATE_DEFINE("key-value store contract", Fixture, store_contract) {
  using namespace tembori;
  using Bytes = std::vector<std::uint8_t>;
  // The value's exact bytes, read the two-step way, once its type is checked.
  const auto readStored = [](StoreKey& key, const char* name, std::uint32_t type) {
    std::uint32_t storedType = kTypeNone, size = 0;
    REQUIRE(key.Query(name, &storedType, nullptr, &size) == StoreResult::Ok);
    CHECK(storedType == type);
    Bytes bytes(size);
    REQUIRE(key.Query(name, nullptr, bytes.data(), &size) == StoreResult::Ok);
    CHECK(size == bytes.size());
    return bytes;
  };
  Fixture fixture;
  KeyValueStore& store = fixture.store;
  const std::string path = fixture.root + "\\Key";
  std::unique_ptr<StoreKey> key;
  std::uint32_t size = 0;

  SUBCASE("missing keys and values are NotFound; keys are made with their parents") {
    CHECK(store.OpenKey(path, key) == StoreResult::NotFound);
    CHECK(key == nullptr);
    CHECK(store.OpenKeyToWrite(path, key) == StoreResult::NotFound);  // and not made
    CHECK(store.OpenKey(path, key) == StoreResult::NotFound);
    bool createdNew = false;
    REQUIRE(store.CreateKey(path + "\\Year", key, &createdNew) == StoreResult::Ok);
    CHECK(createdNew);
    CHECK(key->Query("Missing", nullptr, nullptr, &size) == StoreResult::NotFound);
    CHECK(key->DeleteValue("Missing") == StoreResult::NotFound);
    CHECK(store.OpenKey(path, key) == StoreResult::Ok);
    CHECK(store.CreateKey(path + "\\YEAR", key, &createdNew) == StoreResult::Ok);
    CHECK_FALSE(createdNew);
  }

  REQUIRE(store.CreateKey(path, key, nullptr) == StoreResult::Ok);

  SUBCASE("numbers and texts keep their registry types and exact bytes until replaced") {
    REQUIRE(key->WriteDword("Number", 0x12345678) == StoreResult::Ok);
    REQUIRE(key->WriteString("Text", "Face") == StoreResult::Ok);
    REQUIRE(key->WriteString("Empty", "") == StoreResult::Ok);
    CHECK(readStored(*key, "number", kTypeDword) == Bytes{0x78, 0x56, 0x34, 0x12});  // any case
    CHECK(readStored(*key, "Text", kTypeString) == Bytes{'F', 'a', 'c', 'e', 0});
    CHECK(readStored(*key, "Empty", kTypeString) == Bytes{0});
    REQUIRE(key->WriteString("Number", "x") == StoreResult::Ok);
    CHECK(readStored(*key, "Number", kTypeString) == Bytes{'x', 0});
    CHECK(key->DeleteValue("Number") == StoreResult::Ok);
    CHECK(key->Query("Number", nullptr, nullptr, &size) == StoreResult::NotFound);
  }

  SUBCASE("a query reports the size, and MoreData when the buffer is too small") {
    REQUIRE(key->WriteString("Wide", "1234567") == StoreResult::Ok);
    std::uint8_t buffer[16] = {};
    std::uint32_t type = kTypeNone;
    size = 4;
    CHECK(key->Query("Wide", &type, buffer, &size) == StoreResult::MoreData);
    CHECK(size == 8);
    CHECK(type == kTypeString);
    size = sizeof buffer;
    REQUIRE(key->Query("Wide", nullptr, buffer, &size) == StoreResult::Ok);
    CHECK(size == 8);
    CHECK(buffer[6] == '7');
    CHECK(key->Query("Wide", nullptr, buffer, nullptr) == StoreResult::Failed);
  }

  SUBCASE("a key opened for reading refuses writes and deletes; one opened to write takes them") {
    REQUIRE(key->WriteDword("Kept", 7) == StoreResult::Ok);
    std::unique_ptr<StoreKey> reading;
    REQUIRE(store.OpenKey(path, reading) == StoreResult::Ok);
    CHECK(reading->WriteDword("Kept", 8) == StoreResult::Failed);  // Failed, not NotFound
    CHECK(reading->WriteString("New", "x") == StoreResult::Failed);
    CHECK(reading->DeleteValue("Kept") == StoreResult::Failed);
    CHECK(readStored(*reading, "Kept", kTypeDword) == Bytes{7, 0, 0, 0});
    std::unique_ptr<StoreKey> writing;
    REQUIRE(store.OpenKeyToWrite(path, writing) == StoreResult::Ok);
    CHECK(writing->WriteDword("Kept", 9) == StoreResult::Ok);
    CHECK(readStored(*writing, "Kept", kTypeDword) == Bytes{9, 0, 0, 0});
    CHECK(writing->DeleteValue("Kept") == StoreResult::Ok);
  }
}
