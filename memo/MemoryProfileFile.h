// Profile files kept in memory for tests: named like the platform's (file, section and key
// names compare without regard to case), records kept in the platform's text form, and any
// operation on a chosen key can be made to fail.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "memo/ProfileFile.h"

namespace tembori {

class MemoryProfileFile : public ProfileFile {
 public:
  enum class Operation { Read, Write, Delete, ReadStruct, WriteStruct };

  std::string GetString(std::string_view file, std::string_view section,
                        std::string_view key) override;
  bool WriteString(std::string_view file, std::string_view section, std::string_view key,
                   std::string_view value) override;
  bool DeleteKey(std::string_view file, std::string_view section, std::string_view key) override;
  bool GetStruct(std::string_view file, std::string_view section, std::string_view key,
                 std::uint32_t& value) override;
  bool WriteStruct(std::string_view file, std::string_view section, std::string_view key,
                   std::uint32_t value) override;

  // Makes every later `operation` fail, in any file and section; `key` limits it to one key
  // (empty = every key). A failing write or delete changes nothing; a failing read reads as
  // missing.
  void FailOn(Operation operation, std::string_view key = {});
  void ClearFailures() { failures_.clear(); }

  // Direct access for arranging and inspecting test data, as the file's text holds it.
  void Put(std::string_view file, std::string_view section, std::string_view key,
           std::string_view value);
  bool Has(std::string_view file, std::string_view section, std::string_view key) const;
  std::string Text(std::string_view file, std::string_view section, std::string_view key) const;
  bool HasFile(std::string_view file) const;

 private:
  using Path = std::pair<std::string, std::string>;  // lower-cased file and section
  static Path PathOf(std::string_view file, std::string_view section);
  bool Fails(Operation operation, std::string_view key) const;

  std::map<Path, std::map<std::string, std::string>> sections_;  // keys lower-cased
  std::set<std::pair<Operation, std::string>> failures_;
};

}  // namespace tembori
