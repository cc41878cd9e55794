// Finding the program's directory in its path.
#include "app/ProgramDir.h"

#include <cstddef>

namespace tembori {

std::string ProgramDirFromPath(std::string_view modulePath, LeadBytePredicate isLeadByte) {
  std::size_t directoryLength = 0;
  for (std::size_t position = 0; position < modulePath.size();) {
    const char byte = modulePath[position];
    if (byte == '\\' || byte == '/') directoryLength = position + 1;
    const bool doubleByte =
        isLeadByte(static_cast<unsigned char>(byte)) && position + 1 < modulePath.size();
    position += doubleByte ? 2 : 1;
  }
  return std::string(modulePath.substr(0, directoryLength));
}

}  // namespace tembori
