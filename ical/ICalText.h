// The text rules of iCalendar content lines: escaping of TEXT values, folding of long lines
// and the UTF-8 that every line must be.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tembori {

// A line of content may be at most this many octets long, without its line break.
inline constexpr std::size_t kICalLineOctets = 75;

// Backslash, semicolon and comma escaped, line breaks written as \n.
std::string EscapeText(std::string_view text);
// The first line of an escaped text that is not blank, unescaped: \n and \N break lines, as
// CR and LF do; an unknown escape gives the escaped character. Empty when every line is blank.
std::string FirstTextLine(std::string_view escaped);

// The line with CRLF, folded so that no physical line exceeds kICalLineOctets octets and no
// UTF-8 character is split between two of them.
std::string FoldLine(std::string_view line);

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The longest prefix of at most `maxBytes` that ends between two UTF-8 characters.
std::string_view TruncateUtf8(std::string_view text, std::size_t maxBytes);

}  // namespace tembori
