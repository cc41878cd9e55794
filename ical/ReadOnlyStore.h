// A view of a store that only reads: an export of the holidays takes the user's marks from
// where the calendar keeps them, and must not change them (the month model puts marks right as
// it computes a year).
#pragma once

#include "settings/KeyValueStore.h"

namespace tembori {

class ReadOnlyStore : public KeyValueStore {
 public:
  explicit ReadOnlyStore(KeyValueStore& store) : store_(store) {}

  StoreResult OpenKey(std::string_view path, std::unique_ptr<StoreKey>& key) override {
    return store_.OpenKey(path, key);
  }
  StoreResult OpenKeyToWrite(std::string_view, std::unique_ptr<StoreKey>&) override {
    return StoreResult::Failed;
  }
  StoreResult CreateKey(std::string_view, std::unique_ptr<StoreKey>&, bool*) override {
    return StoreResult::Failed;
  }

 private:
  KeyValueStore& store_;
};

}  // namespace tembori
