// iconv over whole texts one way, one character at a time the other.
#include "IconvCodec.h"

#include <iconv.h>

#include <stdexcept>

namespace tembori {

namespace {

// False when iconv refuses the text (a character without a place in `to`).
bool Convert(const char* to, const char* from, std::string_view text, std::string& out) {
  const iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no iconv table");
  std::string input(text);
  char* in = input.data();
  std::size_t inLeft = input.size();
  out.assign(input.size() * 4 + 8, '\0');
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const bool ok = iconv(converter, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(converter);
  out.resize(out.size() - outLeft);
  return ok;
}

}  // namespace

std::string IconvCodec::ToUtf8(std::string_view cp932) const {
  std::string utf8;
  Convert("UTF-8", "CP932", cp932, utf8);
  return utf8;
}

std::string IconvCodec::FromUtf8(std::string_view utf8, int& replaced) const {
  std::string cp932, converted;
  for (std::size_t i = 0, length = 1; i < utf8.size(); i += length) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const bool ok = Convert("CP932", "UTF-8", utf8.substr(i, length), converted);
    cp932 += ok ? converted : "?";
    replaced += ok ? 0 : 1;
  }
  return cp932;
}

}  // namespace tembori
