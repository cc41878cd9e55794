// The memo files as the platform offers them: values read through the profile functions,
// and the few file operations with which a file is written again as a whole. The Win32 build
// uses the real files; tests keep them in memory and inject failures.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tembori {

class ProfileFile {
 public:
  enum class ReadResult { Ok, NotFound, Failed };

  virtual ~ProfileFile() = default;

  // The whole value of `key` in `section` of `file`, as the profile functions read it; empty
  // when the file, the section or the key is missing (an empty value cannot be told from none).
  virtual std::string GetString(std::string_view file, std::string_view section,
                                std::string_view key) = 0;

  // The file's bytes; NotFound when there is no such file.
  virtual ReadResult ReadAll(const std::string& file, std::string& bytes) = 0;
  // Creates `file` (replacing one that is there), writes `bytes` and flushes them to the disk
  // before closing it. False when any step failed; what is left of the file is then the
  // caller's to remove.
  virtual bool WriteNew(const std::string& file, std::string_view bytes) = 0;
  // Puts `from` in the place of `to` in one step, also when the power fails meanwhile.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& file) = 0;

  // A file that starts with a Unicode byte-order mark is read and written in that encoding;
  // its text is changed in UTF-8. Conversions from the system code page and between UTF-16LE
  // (without a mark) and UTF-8.
  virtual std::string AnsiToUtf8(std::string_view text) = 0;
  virtual std::string Utf16ToUtf8(std::string_view bytes) = 0;
  virtual std::string Utf8ToUtf16(std::string_view text) = 0;
};

}  // namespace tembori
