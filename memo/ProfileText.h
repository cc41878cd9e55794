// The text of a profile file, read and changed the way the platform's profile functions read
// and write it, so that a memo file can be rewritten as a whole: sections "[name]", lines
// "key=value", names compared without regard to ASCII case, spaces around names and values
// ignored, and one pair of quote marks around a value taken off. Every line that is not changed
// keeps its bytes and its line end; new lines end in CR LF. The text must be in an encoding whose
// ASCII bytes mean ASCII (the system code page or UTF-8); a UTF-8 byte-order mark before the first
// line is kept.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tembori {

// The value of `key` in the first section named `section`, as the profile functions give it
// back; none when the section or the key is missing.
std::optional<std::string> ProfileValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// The text with `key` of the first section named `section` set to `value`: its line is
// rewritten in place, or a new line follows the section's last line, or a new section ends
// the text. A value that the profile functions would give back changed (spaces or quote marks
// around it) is written in quotes, which they take off.
std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);

// The text without the lines of `key` in the first section named `section`.
std::string RemoveProfileValue(std::string_view text, std::string_view section,
                               std::string_view key);

}  // namespace tembori
