// The profile-file store over GetPrivateProfileStringA, WritePrivateProfileStringA,
// GetPrivateProfileStructA and WritePrivateProfileStructA.
#include "memo/win32/PrivateProfileFile.h"

#include <windows.h>

#include <vector>

#include "settings/StoreValues.h"

namespace tembori {

std::string PrivateProfileFile::GetString(std::string_view file, std::string_view section,
                                          std::string_view key) {
  const std::string fileName(file), sectionName(section), keyName(key);
  // The reader cuts a value to its buffer without saying so: a value that fills the buffer
  // is read again with a larger one, up to a bound that no memo comes near.
  for (DWORD size = 256;; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD copied = GetPrivateProfileStringA(sectionName.c_str(), keyName.c_str(), "",
                                                  buffer.data(), size, fileName.c_str());
    if (copied + 1 < size || size >= kMaxStoredTextBytes) {
      return std::string(buffer.data(), copied < size ? copied : size - 1);
    }
  }
}

bool PrivateProfileFile::WriteString(std::string_view file, std::string_view section,
                                     std::string_view key, std::string_view value) {
  const std::string fileName(file), sectionName(section), keyName(key), text(value);
  return WritePrivateProfileStringA(sectionName.c_str(), keyName.c_str(), text.c_str(),
                                    fileName.c_str()) != FALSE;
}

bool PrivateProfileFile::DeleteKey(std::string_view file, std::string_view section,
                                   std::string_view key) {
  const std::string fileName(file), sectionName(section), keyName(key);
  return WritePrivateProfileStringA(sectionName.c_str(), keyName.c_str(), nullptr,
                                    fileName.c_str()) != FALSE;
}

bool PrivateProfileFile::GetStruct(std::string_view file, std::string_view section,
                                   std::string_view key, std::uint32_t& value) {
  const std::string fileName(file), sectionName(section), keyName(key);
  BYTE bytes[4] = {};
  if (!GetPrivateProfileStructA(sectionName.c_str(), keyName.c_str(), bytes, sizeof bytes,
                                fileName.c_str())) {
    return false;
  }
  value =
      bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
  return true;
}

bool PrivateProfileFile::WriteStruct(std::string_view file, std::string_view section,
                                     std::string_view key, std::uint32_t value) {
  const std::string fileName(file), sectionName(section), keyName(key);
  BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                   static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
  return WritePrivateProfileStructA(sectionName.c_str(), keyName.c_str(), bytes, sizeof bytes,
                                    fileName.c_str()) != FALSE;
}

}  // namespace tembori
