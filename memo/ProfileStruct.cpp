// Encoding and checking profile-file records.
#include "memo/ProfileStruct.h"

namespace tembori {
namespace {

constexpr int kRecordBytes = 4;

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

std::optional<int> HexByte(std::string_view digits) {
  const auto high = HexDigit(digits[0]);
  const auto low = HexDigit(digits[1]);
  if (!high || !low) return std::nullopt;
  return *high * 16 + *low;
}

}  // namespace

std::string EncodeProfileStruct(std::uint32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  unsigned sum = 0;
  const auto append = [&](unsigned byte) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  };
  for (int i = 0; i < kRecordBytes; ++i) {
    const unsigned byte = (value >> (8 * i)) & 0xFF;
    sum += byte;
    append(byte);
  }
  append(sum & 0xFF);
  return text;
}

std::optional<std::uint32_t> DecodeProfileStruct(std::string_view text) {
  if (text.size() != 2 * (kRecordBytes + 1)) return std::nullopt;
  std::uint32_t value = 0;
  unsigned sum = 0;
  for (int i = 0; i < kRecordBytes; ++i) {
    const auto byte = HexByte(text.substr(2 * i, 2));
    if (!byte) return std::nullopt;
    sum += static_cast<unsigned>(*byte);
    value |= static_cast<std::uint32_t>(*byte) << (8 * i);
  }
  const auto checksum = HexByte(text.substr(2 * kRecordBytes, 2));
  if (!checksum || static_cast<unsigned>(*checksum) != (sum & 0xFF)) return std::nullopt;
  return value;
}

}  // namespace tembori
