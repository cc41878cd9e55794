// The program's own directory, cut out of its full path by the program file's name, where
// the memo files are kept. Platform-free: the lead bytes of the system code page are passed in.
#pragma once

#include <string>
#include <string_view>

namespace tembori {

using LeadBytePredicate = bool (*)(unsigned char byte);

// Everything before the first "Tembori.exe", or failing that the first "TEMBORI.EXE", so
// that it ends with the directory's backslash; empty when neither occurs. Case matters.
std::string ProgramDirFromPath(std::string_view modulePath, LeadBytePredicate isLeadByte);

}  // namespace tembori
