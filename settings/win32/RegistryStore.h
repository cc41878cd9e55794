// The key-value store kept in the registry below HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include "settings/KeyValueStore.h"

namespace tembori {

class RegistryStore : public KeyValueStore {
 public:
  // Keys are opened and created with `access`; writing a window position needs only
  // KEY_WRITE.
  explicit RegistryStore(REGSAM access = KEY_ALL_ACCESS) : access_(access) {}

  StoreResult OpenKey(std::string_view path, std::unique_ptr<StoreKey>& key) override;
  StoreResult CreateKey(std::string_view path, std::unique_ptr<StoreKey>& key,
                        bool* createdNew) override;

 private:
  const REGSAM access_;
};

}  // namespace tembori
