// The program's own directory, the directory part of its module path, where the memo files
// are kept. Platform-free: the lead bytes of the system code page are passed in.
#pragma once

#include <string>
#include <string_view>

namespace tembori {

using LeadBytePredicate = bool (*)(unsigned char byte);

// Everything up to and including the last backslash (or slash) of `modulePath`, whatever the
// program file is called; empty when there is none. A separator byte that is the second byte
// of a double-byte character is no separator.
std::string ProgramDirFromPath(std::string_view modulePath, LeadBytePredicate isLeadByte);

}  // namespace tembori
