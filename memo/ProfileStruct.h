// The text form in which the platform's profile functions keep a binary record: each byte as
// two upper-case hexadecimal digits, followed by two digits of the bytes' sum modulo 256.
// A 32-bit value goes least significant byte first, so 5 is written as 0500000005.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tembori {

std::string EncodeProfileStruct(std::uint32_t value);

// None for a text of another length, with a character that is not a hexadecimal digit, or
// whose checksum does not match. Lower-case digits are accepted, as the platform accepts them.
std::optional<std::uint32_t> DecodeProfileStruct(std::string_view text);

}  // namespace tembori
