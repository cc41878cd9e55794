// Conversion between the program's texts (code page 932) and the UTF-8 of iCalendar files.
// Behind an interface so that the core stays platform-free: the program converts with the
// system's code page tables, the tests with their own.
#pragma once

#include <string>
#include <string_view>

namespace tembori {

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  virtual std::string ToUtf8(std::string_view cp932) const = 0;
  // `utf8` is well-formed. Each character that code page 932 cannot hold becomes "?" and
  // adds one to `replaced`.
  virtual std::string FromUtf8(std::string_view utf8, int& replaced) const = 0;
};

}  // namespace tembori
