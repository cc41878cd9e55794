// The files of an export or an import: read whole up to the reader's limit, written whole or
// not at all, and the years whose memo files exist.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tembori {

enum class ICalFileRead { Ok, Failed, TooLarge };

// Refuses a file larger than kMaxICalBytes before reading it.
ICalFileRead ReadICalFile(const std::string& path, std::string& bytes);

// Writes a file of its own beside `path` and puts it in the place of `path`: an existing file
// stays as it was when anything fails.
bool WriteICalFile(const std::string& path, std::string_view bytes);

// The years 1851..2150 that have a memo file (tbYYYY.mem) in `programDir`, in order.
std::vector<int> MemoFileYears(const std::string& programDir);

}  // namespace tembori
