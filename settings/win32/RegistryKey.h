// An owned registry key handle, closed when its owner goes away, and the two ways the
// program gets one: opening an existing key and creating a key with every missing parent.
#pragma once

#include <windows.h>

namespace tembori {

class RegistryKey {
 public:
  RegistryKey() = default;
  RegistryKey(RegistryKey&& other) noexcept : key_(other.Release()) {}
  RegistryKey& operator=(RegistryKey&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() { Reset(); }

  HKEY Get() const { return key_; }

  HKEY Release() {
    const HKEY key = key_;
    key_ = nullptr;
    return key;
  }

  void Reset(HKEY key = nullptr) {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = key;
  }

 private:
  HKEY key_ = nullptr;
};

// RegOpenKeyExA; on failure `key` is left empty and the error code comes back.
LONG OpenRegistryKey(HKEY root, const char* path, REGSAM access, RegistryKey& key);

// RegCreateKeyExA with the program's key class and a non-volatile key; `createdNew` (may be
// null) tells whether the key itself did not exist before.
LONG CreateRegistryKey(HKEY root, const char* path, REGSAM access, RegistryKey& key,
                       bool* createdNew);

}  // namespace tembori
