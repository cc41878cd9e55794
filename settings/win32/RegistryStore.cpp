// Registry implementation of the key-value store over the ANSI registry functions.
#include "settings/win32/RegistryStore.h"

#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "settings/win32/RegistryKey.h"

namespace tembori {
namespace {

static_assert(sizeof(DWORD) == sizeof(std::uint32_t), "registry sizes are 32-bit");

StoreResult FromError(LONG error) {
  switch (error) {
    case ERROR_SUCCESS:
      return StoreResult::Ok;
    case ERROR_FILE_NOT_FOUND:
      return StoreResult::NotFound;
    case ERROR_MORE_DATA:
      return StoreResult::MoreData;
    default:
      return StoreResult::Failed;
  }
}

// The API wants terminated names; a name with a zero byte inside would silently name
// another value, so it is refused.
std::optional<std::string> Terminated(std::string_view name) {
  if (name.find('\0') != std::string_view::npos) return std::nullopt;
  return std::string(name);
}

class RegistryStoreKey : public StoreKey {
 public:
  explicit RegistryStoreKey(RegistryKey key) : key_(std::move(key)) {}

  StoreResult Query(std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override {
    const auto valueName = Terminated(name);
    if (!valueName) return StoreResult::Failed;
    DWORD storedType = REG_NONE;
    DWORD length = size != nullptr ? *size : 0;
    const LONG error = RegQueryValueExA(key_.Get(), valueName->c_str(), nullptr, &storedType, data,
                                        size != nullptr ? &length : nullptr);
    const StoreResult result = FromError(error);
    if (result == StoreResult::Ok || result == StoreResult::MoreData) {
      if (type != nullptr) *type = storedType;
      if (size != nullptr) *size = length;
    }
    return result;
  }

  StoreResult WriteDword(std::string_view name, std::uint32_t value) override {
    const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                           static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
    return Set(name, REG_DWORD, bytes, sizeof bytes);
  }

  StoreResult WriteString(std::string_view name, std::string_view text) override {
    // The stored size counts the terminating zero and must fit the API's 32-bit size.
    if (text.size() >= std::numeric_limits<DWORD>::max()) return StoreResult::Failed;
    const std::string terminated(text);
    return Set(name, REG_SZ, reinterpret_cast<const BYTE*>(terminated.c_str()),
               static_cast<DWORD>(terminated.size() + 1));
  }

  StoreResult DeleteValue(std::string_view name) override {
    const auto valueName = Terminated(name);
    if (!valueName) return StoreResult::Failed;
    return FromError(RegDeleteValueA(key_.Get(), valueName->c_str()));
  }

 private:
  StoreResult Set(std::string_view name, DWORD type, const BYTE* data, DWORD size) {
    const auto valueName = Terminated(name);
    if (!valueName) return StoreResult::Failed;
    return FromError(RegSetValueExA(key_.Get(), valueName->c_str(), 0, type, data, size));
  }

  RegistryKey key_;
};

}  // namespace

StoreResult RegistryStore::Open(std::string_view path, REGSAM access,
                                std::unique_ptr<StoreKey>& key) {
  key.reset();
  const auto keyPath = Terminated(path);
  if (!keyPath) return StoreResult::Failed;
  RegistryKey opened;
  const StoreResult result =
      FromError(OpenRegistryKey(HKEY_CURRENT_USER, keyPath->c_str(), access, opened));
  if (result == StoreResult::Ok) key = std::make_unique<RegistryStoreKey>(std::move(opened));
  return result;
}

StoreResult RegistryStore::OpenKey(std::string_view path, std::unique_ptr<StoreKey>& key) {
  return Open(path, KEY_READ, key);
}

StoreResult RegistryStore::OpenKeyToWrite(std::string_view path, std::unique_ptr<StoreKey>& key) {
  return Open(path, KEY_READ | KEY_WRITE, key);
}

StoreResult RegistryStore::CreateKey(std::string_view path, std::unique_ptr<StoreKey>& key,
                                     bool* createdNew) {
  key.reset();
  const auto keyPath = Terminated(path);
  if (!keyPath) return StoreResult::Failed;
  RegistryKey created;
  const StoreResult result = FromError(CreateRegistryKey(
      HKEY_CURRENT_USER, keyPath->c_str(), KEY_READ | KEY_WRITE, created, createdNew));
  if (result == StoreResult::Ok) key = std::make_unique<RegistryStoreKey>(std::move(created));
  return result;
}

}  // namespace tembori
