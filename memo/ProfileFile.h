// An initialisation (profile) file store shaped like the platform's profile functions:
// sections and keys of text values, and small binary records written as hexadecimal text
// with a checksum. The Win32 build uses the real profile files; tests keep them in memory
// and inject failures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tembori {

class ProfileFile {
 public:
  virtual ~ProfileFile() = default;

  // The whole value of `key` in `section` of `file`; empty when the file, the section or the
  // key is missing. Like the platform's reader, an empty value cannot be told from none.
  virtual std::string GetString(std::string_view file, std::string_view section,
                                std::string_view key) = 0;
  // Writes the value, creating the file and the section as needed; false when it failed.
  virtual bool WriteString(std::string_view file, std::string_view section, std::string_view key,
                           std::string_view value) = 0;
  // Removes the key; a key that is not there counts as removed. False when it failed.
  virtual bool DeleteKey(std::string_view file, std::string_view section, std::string_view key) = 0;

  // A 4-byte record, least significant byte first, stored as ProfileStruct.h describes.
  // Reading fails (value untouched) for a missing key and for a value of the wrong length or
  // with a wrong checksum.
  virtual bool GetStruct(std::string_view file, std::string_view section, std::string_view key,
                         std::uint32_t& value) = 0;
  virtual bool WriteStruct(std::string_view file, std::string_view section, std::string_view key,
                           std::uint32_t value) = 0;
};

}  // namespace tembori
