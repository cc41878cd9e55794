// Reading numbers and texts out of a registry-shaped store safely, whatever another writer
// left there, and cutting Shift-JIS text to a byte limit without splitting a character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/KeyValueStore.h"

namespace tembori {

// Texts longer than this are refused rather than read: no value of the program comes near
// it, and the size of a stored value must not decide how much memory we take.
inline constexpr std::uint32_t kMaxStoredTextBytes = 64 * 1024;

// Reads a value into a 4-byte buffer, as the registry's numbers are read. The stored type is
// not examined. A value longer than 4 bytes fails (Failed); a missing one gives NotFound. A
// shorter value is taken as the low bytes of the number, least significant first, and the
// missing high bytes are zero: 1 byte 0x2A reads as 42.
StoreResult ReadNumber(StoreKey& key, std::string_view name, std::uint32_t& value);

// The two steps of reading a text. The first asks for the stored size in bytes.
StoreResult QueryValueSize(StoreKey& key, std::string_view name, std::uint32_t& size);

// The second reads a value whose first step gave `size` into a buffer of exactly that size.
// The text ends at the first zero byte or at the end of the data, so a missing terminator
// is harmless. Fails (Failed, text untouched) when `size` exceeds kMaxStoredTextBytes or when
// the value has grown since its size was asked. Throws std::bad_alloc when memory runs out.
StoreResult ReadTextOfSize(StoreKey& key, std::string_view name, std::uint32_t size,
                           std::string& text);

// Both steps: a value of size 0 gives Ok and the empty text; a failing first step returns its
// result with the text untouched.
StoreResult ReadString(StoreKey& key, std::string_view name, std::string& text);

// CP932 lead bytes: 0x81-0x9F and 0xE0-0xFC.
bool IsShiftJisLeadByte(unsigned char byte);

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a character
// boundary: a double-byte character that does not fit whole is dropped, and so is a lead
// byte that has no trail byte.
std::string_view TruncateMultibyte(std::string_view text, std::size_t maxBytes);

}  // namespace tembori
