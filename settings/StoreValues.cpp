// Safe readers of stored numbers and texts, and Shift-JIS-aware truncation.
#include "settings/StoreValues.h"

#include <vector>

namespace tembori {

StoreResult ReadNumber(StoreKey& key, std::string_view name, std::uint32_t& value) {
  std::uint8_t buffer[4] = {};
  std::uint32_t size = sizeof buffer;
  const StoreResult result = key.Query(name, nullptr, buffer, &size);
  if (result == StoreResult::MoreData) return StoreResult::Failed;
  if (result != StoreResult::Ok) return result;
  if (size > sizeof buffer) return StoreResult::Failed;
  // Only the bytes the store reports as written count, so a short value is zero-extended.
  std::uint32_t number = 0;
  for (std::uint32_t i = 0; i < size; ++i)
    number |= static_cast<std::uint32_t>(buffer[i]) << (8 * i);
  value = number;
  return StoreResult::Ok;
}

StoreResult QueryValueSize(StoreKey& key, std::string_view name, std::uint32_t& size) {
  std::uint32_t queried = 0;
  const StoreResult result = key.Query(name, nullptr, nullptr, &queried);
  if (result == StoreResult::Ok) size = queried;
  return result;
}

StoreResult ReadTextOfSize(StoreKey& key, std::string_view name, std::uint32_t size,
                           std::string& text) {
  if (size > kMaxStoredTextBytes) return StoreResult::Failed;
  std::vector<std::uint8_t> buffer(size);
  std::uint32_t read = size;
  const StoreResult result = key.Query(name, nullptr, buffer.data(), &read);
  // MoreData here means the value grew after its size was asked: refuse it rather than guess.
  if (result != StoreResult::Ok) return StoreResult::Failed;
  if (read > size) return StoreResult::Failed;
  std::size_t length = 0;
  while (length < read && buffer[length] != 0) ++length;
  text.assign(buffer.begin(), buffer.begin() + length);
  return StoreResult::Ok;
}

StoreResult ReadString(StoreKey& key, std::string_view name, std::string& text) {
  std::uint32_t size = 0;
  const StoreResult result = QueryValueSize(key, name, size);
  if (result != StoreResult::Ok) return result;
  if (size == 0) {
    text.clear();
    return StoreResult::Ok;
  }
  return ReadTextOfSize(key, name, size, text);
}

bool IsShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string_view TruncateMultibyte(std::string_view text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = IsShiftJisLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > maxBytes || end + width > text.size()) break;
    end += width;
  }
  return text.substr(0, end);
}

}  // namespace tembori
