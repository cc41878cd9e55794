// Files read and written whole through the ANSI file functions. A save writes a file of its
// own and then puts it in the place of the old one, so that a file is always the old one or
// the new one, never half of each.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tembori {

enum class WholeFileRead { Ok, NotFound, TooLarge, Failed };

// Refuses a file larger than `maxBytes` before reading it; `bytes` is set only on Ok.
WholeFileRead ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Creates `path` or empties it, writes `bytes` and flushes them to the disk; false when any
// step fails.
bool WriteNewFile(const std::string& path, std::string_view bytes);

// Puts `from` in the place of `to`, waiting out a moment in which another program reads `to`.
bool MoveIntoPlace(const std::string& from, const std::string& to);

}  // namespace tembori
