// Code page 932 and UTF-8 for the native tests, through the C library's iconv tables, with
// the same rules as the program's own conversion: each character that code page 932 cannot
// hold becomes "?" and is counted.
#pragma once

#include "ical/TextCodec.h"

namespace tembori {

class IconvCodec : public TextCodec {
 public:
  std::string ToUtf8(std::string_view cp932) const override;
  std::string FromUtf8(std::string_view utf8, int& replaced) const override;
};

}  // namespace tembori
