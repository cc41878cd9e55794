// The key-value store kept in the registry below HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include "settings/KeyValueStore.h"

namespace tembori {

// Keys are opened with read access only, so that a key the user may read but not change is
// still read, and created (or opened to be written) with read and write access; a key that
// refuses writing then fails to be created, and the writer reports it.
class RegistryStore : public KeyValueStore {
 public:
  StoreResult OpenKey(std::string_view path, std::unique_ptr<StoreKey>& key) override;
  StoreResult OpenKeyToWrite(std::string_view path, std::unique_ptr<StoreKey>& key) override;
  StoreResult CreateKey(std::string_view path, std::unique_ptr<StoreKey>& key,
                        bool* createdNew) override;

 private:
  static StoreResult Open(std::string_view path, REGSAM access, std::unique_ptr<StoreKey>& key);
};

}  // namespace tembori
