// Memo files kept in memory for tests: file names compare without regard to case, values are
// read from the files' text as the profile functions read it, and any step of a save can be
// made to fail.
#pragma once

#include <map>
#include <set>
#include <string>

#include "memo/ProfileFile.h"

namespace tembori {

class MemoryProfileFile : public ProfileFile {
 public:
  // The steps of a save: reading the old file, creating the new one, writing its bytes,
  // flushing them, and putting it in the old one's place.
  enum class Step { Read, Create, Write, Flush, Replace };

  std::string GetString(std::string_view file, std::string_view section,
                        std::string_view key) override;
  ReadResult ReadAll(const std::string& file, std::string& bytes) override;
  bool WriteNew(const std::string& file, std::string_view bytes) override;
  bool Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& file) override;
  // Only ASCII is converted: enough to see that a file keeps its encoding.
  std::string AnsiToUtf8(std::string_view text) override { return std::string(text); }
  std::string Utf16ToUtf8(std::string_view bytes) override;
  std::string Utf8ToUtf16(std::string_view text) override;

  // Makes every later `step` fail. A failing write leaves half of the bytes in the new file.
  void FailOn(Step step) { failures_.insert(step); }
  void ClearFailures() { failures_.clear(); }

  // Direct access for arranging and inspecting test data.
  void Put(std::string_view file, std::string_view section, std::string_view key,
           std::string_view value);
  bool Has(std::string_view file, std::string_view section, std::string_view key) const;
  std::string Text(std::string_view file, std::string_view section, std::string_view key) const;
  bool HasFile(std::string_view file) const;
  const std::map<std::string, std::string>& Files() const { return files_; }  // by lower-cased name
  std::string& Bytes(std::string_view file) { return files_[Lower(file)]; }

 private:
  static std::string Lower(std::string_view text);
  bool Fails(Step step) const { return failures_.count(step) != 0; }

  std::map<std::string, std::string> files_;
  std::set<Step> failures_;
};

}  // namespace tembori
