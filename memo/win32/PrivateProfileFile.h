// Profile files on disk, through the platform's own profile functions, in the system code
// page. A file name without a directory is looked for in the Windows directory.
#pragma once

#include "memo/ProfileFile.h"

namespace tembori {

class PrivateProfileFile : public ProfileFile {
 public:
  std::string GetString(std::string_view file, std::string_view section,
                        std::string_view key) override;
  bool WriteString(std::string_view file, std::string_view section, std::string_view key,
                   std::string_view value) override;
  bool DeleteKey(std::string_view file, std::string_view section, std::string_view key) override;
  bool GetStruct(std::string_view file, std::string_view section, std::string_view key,
                 std::uint32_t& value) override;
  bool WriteStruct(std::string_view file, std::string_view section, std::string_view key,
                   std::uint32_t value) override;
};

}  // namespace tembori
