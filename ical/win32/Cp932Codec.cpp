// Converts through UTF-16 with MultiByteToWideChar and WideCharToMultiByte. Going to code page
// 932 each character is converted alone, so that every one without a place there is counted,
// and none is replaced by a look-alike ("best fit").
#include "ical/win32/Cp932Codec.h"

#include <windows.h>

#include <climits>
#include <vector>

namespace tembori {

namespace {

constexpr UINT kCodePage = 932;

std::vector<wchar_t> Widen(UINT codePage, std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::vector<wchar_t> wide(static_cast<std::size_t>(length));
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

}  // namespace

std::string Cp932Codec::ToUtf8(std::string_view cp932) const {
  const std::vector<wchar_t> wide = Widen(kCodePage, cp932);
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string Cp932Codec::FromUtf8(std::string_view utf8, int& replaced) const {
  const std::vector<wchar_t> wide = Widen(CP_UTF8, utf8);
  std::string cp932;
  cp932.reserve(wide.size() * 2);
  for (std::size_t i = 0; i < wide.size();) {
    // A surrogate pair is one character; no code page 932 character lies beyond U+FFFF.
    const bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size();
    const int units = pair ? 2 : 1;
    char bytes[4];
    BOOL defaulted = FALSE;
    const int length = pair ? 0
                            : WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &wide[i], units,
                                                  bytes, sizeof bytes, "?", &defaulted);
    if (length <= 0 || defaulted) {
      cp932 += '?';
      ++replaced;
    } else {
      cp932.append(bytes, static_cast<std::size_t>(length));
    }
    i += static_cast<std::size_t>(units);
  }
  return cp932;
}

}  // namespace tembori
