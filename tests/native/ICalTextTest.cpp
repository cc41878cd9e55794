// The text rules of iCalendar lines: escapes both ways, folding that never splits a UTF-8
// character nor passes 75 octets, and the UTF-8 checks behind refusing a file.
#include <doctest.h>

#include <string>

#include "ical/ICalText.h"

using namespace tembori;

TEST_CASE("texts escape, and their first line with text unescapes back to itself") {
  const std::string text = "a,b;c\\d";
  CHECK(FirstTextLine(EscapeText(" \r\n" + text + "\ne")) == text);
  CHECK(EscapeText("x\r\ny") == "x\\ny");
  CHECK(FirstTextLine(" \\N\t\\n\\:C\\") == ":C\\");
}

TEST_CASE("lines fold within 75 octets, the leading space counted, between characters") {
  // Folds inside Japanese characters are also read back from the exports by python3-icalendar.
  const std::string x74(74, 'x'), x75 = x74 + "x";
  CHECK(FoldLine(x75) == x75 + "\r\n");
  CHECK(FoldLine(x75 + x74 + "y") == x75 + "\r\n " + x74 + "\r\n y\r\n");
  CHECK(FoldLine(x74 + "\xF0\x9F\x8E\x82") == x74 + "\r\n \xF0\x9F\x8E\x82\r\n");  // 🎂 whole
  CHECK(FoldLine(std::string(80, '\x80')).size() == 80 + 3 + 2);  // no character: cut anyway
}

TEST_CASE("UTF-8 checks refuse malformed bytes and cut only between characters") {
  CHECK(IsValidUtf8("plain \xE3\x81\x82 \xF0\x9F\x98\x80"));
  CHECK_FALSE(IsValidUtf8("\x82\xA0"));          // Shift-JIS
  CHECK_FALSE(IsValidUtf8("\xE3\x81"));          // cut short
  CHECK_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  CHECK_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  CHECK_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
  CHECK(TruncateUtf8("a\xE3\x81\x82", 3) == "a");
  CHECK(TruncateUtf8("a\xE3\x81\x82", 4) == "a\xE3\x81\x82");
}
