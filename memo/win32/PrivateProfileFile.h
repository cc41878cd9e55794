// Memo files on disk: values read through the platform's own profile functions in the system
// code page (a file name without a directory is looked for in the Windows directory), and
// files written whole with a flush before they take the old one's place.
#pragma once

#include "memo/ProfileFile.h"

namespace tembori {

class PrivateProfileFile : public ProfileFile {
 public:
  std::string GetString(std::string_view file, std::string_view section,
                        std::string_view key) override;
  ReadResult ReadAll(const std::string& file, std::string& bytes) override;
  bool WriteNew(const std::string& file, std::string_view bytes) override;
  bool Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& file) override;
  std::string AnsiToUtf8(std::string_view text) override;
  std::string Utf16ToUtf8(std::string_view bytes) override;
  std::string Utf8ToUtf16(std::string_view text) override;
};

}  // namespace tembori
