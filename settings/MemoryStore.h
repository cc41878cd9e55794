// An in-memory key-value store for tests: keys and values behave like the registry's,
// and any operation on a chosen key or value can be made to fail.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "settings/KeyValueStore.h"

namespace tembori {

class MemoryStore : public KeyValueStore {
 public:
  enum class Operation { Open, Create, Query, Write, Delete };

  struct Value {
    std::uint32_t type = kTypeNone;
    std::vector<std::uint8_t> data;
  };

  StoreResult OpenKey(std::string_view path, std::unique_ptr<StoreKey>& key) override;
  StoreResult OpenKeyToWrite(std::string_view path, std::unique_ptr<StoreKey>& key) override;
  StoreResult CreateKey(std::string_view path, std::unique_ptr<StoreKey>& key,
                        bool* createdNew) override;

  // Makes every later `operation` on key `path` fail (Open covers both ways of opening); for
  // Query, Write and Delete,
  // `name` limits it to one value (empty = every value of the key).
  void FailOn(Operation operation, std::string_view path, std::string_view name = {});
  // Makes them throw std::bad_alloc instead, as running out of memory inside the call would
  // (without exceptions, end the process).
  void ExhaustOn(Operation operation, std::string_view path, std::string_view name = {});
  void ClearFailures() {
    failures_.clear();
    exhaustions_.clear();
  }

  // Direct access for arranging and inspecting test data; key paths compare case-insensitively
  // like the registry's.
  bool HasKey(std::string_view path) const;
  const Value* Find(std::string_view path, std::string_view name) const;
  void Put(std::string_view path, std::string_view name, std::uint32_t type,
           std::vector<std::uint8_t> data);
  void PutDword(std::string_view path, std::string_view name, std::uint32_t value);
  void PutString(std::string_view path, std::string_view name, std::string_view text);
  bool ReadDword(std::string_view path, std::string_view name, std::uint32_t& value) const;
  std::vector<std::string> ValueNames(std::string_view path) const;  // in write order
  int OpenKeyCount() const { return *openKeys_; }  // keys opened and not yet closed

 private:
  class Key;
  StoreResult Open(std::string_view path, bool writable, std::unique_ptr<StoreKey>& key);
  struct Values {
    std::vector<std::pair<std::string, Value>> entries;  // names in the order first written
  };

  using Trigger = std::tuple<Operation, std::string, std::string>;
  static bool Matches(const std::set<Trigger>& triggers, Operation operation, std::string_view path,
                      std::string_view name);
  // Throws std::bad_alloc for an exhausted operation.
  bool Fails(Operation operation, std::string_view path, std::string_view name) const;
  Values* FindKey(std::string_view path);
  const Values* FindKey(std::string_view path) const;
  Values& MakeKey(std::string_view path);

  std::unordered_map<std::string, Values> keys_;  // by lower-cased path
  std::set<Trigger> failures_;
  std::set<Trigger> exhaustions_;
  std::shared_ptr<int> openKeys_ = std::make_shared<int>(0);
};

}  // namespace tembori
