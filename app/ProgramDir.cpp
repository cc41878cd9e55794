// Finding the program's directory in its path.
#include "app/ProgramDir.h"

#include <cstddef>

namespace tembori {
namespace {

// The first occurrence of `needle` in `text` that begins on a character boundary (never on
// the second byte of a double-byte character), or npos.
std::size_t FindOnCharacterBoundary(std::string_view text, std::string_view needle,
                                    LeadBytePredicate isLeadByte) {
  for (std::size_t position = 0; position < text.size();) {
    if (text.compare(position, needle.size(), needle) == 0) return position;
    const bool doubleByte =
        isLeadByte(static_cast<unsigned char>(text[position])) && position + 1 < text.size();
    position += doubleByte ? 2 : 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::string ProgramDirFromPath(std::string_view modulePath, LeadBytePredicate isLeadByte) {
  for (const std::string_view name :
       {std::string_view("Tembori.exe"), std::string_view("TEMBORI.EXE")}) {
    const std::size_t found = FindOnCharacterBoundary(modulePath, name, isLeadByte);
    if (found != std::string_view::npos) return std::string(modulePath.substr(0, found));
  }
  return {};
}

}  // namespace tembori
