// Code page 932 and UTF-8 through the system's conversion tables.
#pragma once

#include "ical/TextCodec.h"

namespace tembori {

class Cp932Codec : public TextCodec {
 public:
  std::string ToUtf8(std::string_view cp932) const override;
  std::string FromUtf8(std::string_view utf8, int& replaced) const override;
};

}  // namespace tembori
