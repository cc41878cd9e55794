// A per-user key-value store shaped like the registry below HKEY_CURRENT_USER: key paths,
// REG_DWORD and REG_SZ values. The Win32 build keeps it in the registry; tests keep it in
// memory and inject failures.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace tembori {

enum class StoreResult {
  Ok,
  NotFound,  // the key or value does not exist: nothing is stored yet
  MoreData,  // the value is larger than the buffer offered; the size says how large
  Failed,    // any other failure
};

// Value types, numbered as the registry numbers them.
enum : std::uint32_t {
  kTypeNone = 0,
  kTypeString = 1,  // REG_SZ
  kTypeBinary = 3,  // REG_BINARY
  kTypeDword = 4,   // REG_DWORD
  kTypeQword = 11,  // REG_QWORD
};

// An open key; destroying it closes the key.
class StoreKey {
 public:
  virtual ~StoreKey() = default;

  // Works like RegQueryValueExA: type may be null; with data null only *size is set;
  // when *size is too small for the value the result is MoreData and *size the size needed.
  // The bytes come back exactly as stored: a string need not be terminated.
  virtual StoreResult Query(std::string_view name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) = 0;
  virtual StoreResult WriteDword(std::string_view name, std::uint32_t value) = 0;
  // Stored as REG_SZ with its terminating zero.
  virtual StoreResult WriteString(std::string_view name, std::string_view text) = 0;
  virtual StoreResult DeleteValue(std::string_view name) = 0;
};

class KeyValueStore {
 public:
  virtual ~KeyValueStore() = default;

  // Paths are relative to HKEY_CURRENT_USER, with backslashes: "Software\\Tembori\\Config".
  // Opens an existing key for reading: writes and deletes through it fail, and a key that may
  // be read but not written opens all the same.
  virtual StoreResult OpenKey(std::string_view path, std::unique_ptr<StoreKey>& key) = 0;
  // Opens an existing key for reading and writing; a key that refuses writing fails to open.
  virtual StoreResult OpenKeyToWrite(std::string_view path, std::unique_ptr<StoreKey>& key) = 0;
  // Opens the key for reading and writing or creates it with all missing parents; createdNew
  // (may be null) tells whether the key itself was newly created.
  virtual StoreResult CreateKey(std::string_view path, std::unique_ptr<StoreKey>& key,
                                bool* createdNew) = 0;
};

}  // namespace tembori
