// Face names in font records.
#include "framework/FontFace.h"

#include <cstring>

namespace tembori {
namespace {

// The program's texts are Shift-JIS whatever the system's code page.
constexpr UINT kTextCodePage = 932;

}  // namespace

std::string FaceNameOf(const LOGFONTA& font) {
  return std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
}

void SetFaceName(LOGFONTA& font, std::string_view face) {
  std::size_t end = 0;
  while (end < face.size()) {
    const auto byte = static_cast<BYTE>(face[end]);
    const std::size_t width = IsDBCSLeadByteEx(kTextCodePage, byte) ? 2 : 1;
    if (end + width > LF_FACESIZE - 1 || end + width > face.size()) break;
    end += width;
  }
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::memcpy(font.lfFaceName, face.data(), end);
}

}  // namespace tembori
