// In-memory profile files with failure injection.
#include "memo/MemoryProfileFile.h"

#include <algorithm>

#include "memo/ProfileStruct.h"

namespace tembori {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return lower;
}

}  // namespace

MemoryProfileFile::Path MemoryProfileFile::PathOf(std::string_view file, std::string_view section) {
  return {Lower(file), Lower(section)};
}

bool MemoryProfileFile::Fails(Operation operation, std::string_view key) const {
  return failures_.count({operation, std::string()}) != 0 ||
         failures_.count({operation, Lower(key)}) != 0;
}

void MemoryProfileFile::FailOn(Operation operation, std::string_view key) {
  failures_.emplace(operation, Lower(key));
}

std::string MemoryProfileFile::GetString(std::string_view file, std::string_view section,
                                         std::string_view key) {
  if (Fails(Operation::Read, key)) return {};
  return Text(file, section, key);
}

bool MemoryProfileFile::WriteString(std::string_view file, std::string_view section,
                                    std::string_view key, std::string_view value) {
  if (Fails(Operation::Write, key)) return false;
  Put(file, section, key, value);
  return true;
}

bool MemoryProfileFile::DeleteKey(std::string_view file, std::string_view section,
                                  std::string_view key) {
  if (Fails(Operation::Delete, key)) return false;
  const auto found = sections_.find(PathOf(file, section));
  if (found != sections_.end()) found->second.erase(Lower(key));
  return true;
}

bool MemoryProfileFile::GetStruct(std::string_view file, std::string_view section,
                                  std::string_view key, std::uint32_t& value) {
  if (Fails(Operation::ReadStruct, key) || !Has(file, section, key)) return false;
  const std::optional<std::uint32_t> decoded = DecodeProfileStruct(Text(file, section, key));
  if (!decoded) return false;
  value = *decoded;
  return true;
}

bool MemoryProfileFile::WriteStruct(std::string_view file, std::string_view section,
                                    std::string_view key, std::uint32_t value) {
  if (Fails(Operation::WriteStruct, key)) return false;
  Put(file, section, key, EncodeProfileStruct(value));
  return true;
}

void MemoryProfileFile::Put(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view value) {
  sections_[PathOf(file, section)][Lower(key)] = std::string(value);
}

bool MemoryProfileFile::Has(std::string_view file, std::string_view section,
                            std::string_view key) const {
  const auto found = sections_.find(PathOf(file, section));
  return found != sections_.end() && found->second.count(Lower(key)) != 0;
}

std::string MemoryProfileFile::Text(std::string_view file, std::string_view section,
                                    std::string_view key) const {
  const auto found = sections_.find(PathOf(file, section));
  if (found == sections_.end()) return {};
  const auto value = found->second.find(Lower(key));
  return value == found->second.end() ? std::string() : value->second;
}

bool MemoryProfileFile::HasFile(std::string_view file) const {
  const std::string lower = Lower(file);
  return std::any_of(sections_.begin(), sections_.end(),
                     [&](const auto& entry) { return entry.first.first == lower; });
}

}  // namespace tembori
