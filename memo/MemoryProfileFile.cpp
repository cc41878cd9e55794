// In-memory memo files with failure injection.
#include "memo/MemoryProfileFile.h"

#include <algorithm>

#include "memo/ProfileText.h"

namespace tembori {

std::string MemoryProfileFile::Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return lower;
}

std::string MemoryProfileFile::GetString(std::string_view file, std::string_view section,
                                         std::string_view key) {
  return Text(file, section, key);
}

ProfileFile::ReadResult MemoryProfileFile::ReadAll(const std::string& file, std::string& bytes) {
  if (Fails(Step::Read)) return ReadResult::Failed;
  const auto found = files_.find(Lower(file));
  if (found == files_.end()) return ReadResult::NotFound;
  bytes = found->second;
  return ReadResult::Ok;
}

bool MemoryProfileFile::WriteNew(const std::string& file, std::string_view bytes) {
  if (Fails(Step::Create)) return false;
  std::string& written = files_[Lower(file)];
  if (Fails(Step::Write)) {
    written = std::string(bytes.substr(0, bytes.size() / 2));
    return false;
  }
  written = std::string(bytes);
  return !Fails(Step::Flush);
}

bool MemoryProfileFile::Replace(const std::string& from, const std::string& to) {
  const auto found = files_.find(Lower(from));
  if (Fails(Step::Replace) || found == files_.end()) return false;
  files_[Lower(to)] = std::move(found->second);
  files_.erase(found);
  return true;
}

void MemoryProfileFile::Remove(const std::string& file) {
  files_.erase(Lower(file));
}

std::string MemoryProfileFile::Utf16ToUtf8(std::string_view bytes) {
  std::string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) text += bytes[i];
  return text;
}

std::string MemoryProfileFile::Utf8ToUtf16(std::string_view text) {
  std::string bytes;
  for (const char c : text) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

void MemoryProfileFile::Put(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view value) {
  std::string& bytes = Bytes(file);
  bytes = SetProfileValue(bytes, section, key, value);
}

bool MemoryProfileFile::Has(std::string_view file, std::string_view section,
                            std::string_view key) const {
  const auto found = files_.find(Lower(file));
  return found != files_.end() && ProfileValue(found->second, section, key).has_value();
}

std::string MemoryProfileFile::Text(std::string_view file, std::string_view section,
                                    std::string_view key) const {
  const auto found = files_.find(Lower(file));
  if (found == files_.end()) return {};
  return ProfileValue(found->second, section, key).value_or("");
}

bool MemoryProfileFile::HasFile(std::string_view file) const {
  return files_.count(Lower(file)) != 0;
}

}  // namespace tembori
