// The text rules of iCalendar lines: escapes both ways, folding that never splits a UTF-8
// character nor passes 75 octets, and the UTF-8 checks behind refusing a file.
#include <doctest.h>

#include <string>

#include "ical/ICalText.h"

using namespace tembori;

TEST_CASE("texts escape and unescape back to themselves") {
  const std::string text = "a,b;c\\d\ne";
  CHECK(EscapeText(text) == "a\\,b\\;c\\\\d\\ne");
  CHECK(UnescapeText(EscapeText(text)) == text);
  CHECK(EscapeText("x\r\ny") == "x\\ny");
  CHECK(UnescapeText("A\\NB\\:C\\") == "A\nB:C\\");
}

TEST_CASE("folded lines stay within 75 octets, keep every character whole and unfold back") {
  std::string line = "SUMMARY:";
  for (int i = 0; i < 60; ++i) line += i % 7 == 0 ? "\xF0\x9F\x8E\x82" : "\xE6\x97\xA5";  // 🎂 日
  const std::string folded = FoldLine(line);
  std::string unfolded;
  std::size_t start = 0;
  int lines = 0;
  while (start < folded.size()) {
    const std::size_t end = folded.find("\r\n", start);
    REQUIRE(end != std::string::npos);
    const std::string physical = folded.substr(start, end - start);
    CHECK(physical.size() <= kICalLineOctets);
    CHECK(IsValidUtf8(physical));  // no character cut in two
    unfolded += lines++ == 0 ? physical : physical.substr(1);
    start = end + 2;
  }
  CHECK(lines > 2);
  CHECK(unfolded == line);
  // A line of exactly 75 octets stays whole.
  CHECK(FoldLine(std::string(75, 'x')) == std::string(75, 'x') + "\r\n");
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
