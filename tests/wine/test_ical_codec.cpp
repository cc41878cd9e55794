// The system's conversion between the memos' code page 932 and the UTF-8 of calendar files:
// every character of the code page there and back unchanged, each character it cannot hold one
// counted "?" (no look-alike), and the system's local time of a UTC time.
#include <doctest.h>
#include <windows.h>

#include <string>

#include "ical/win32/Cp932Codec.h"
#include "ical/win32/SystemTimeZone.h"

using namespace tembori;

TEST_CASE("code page 932 texts go to UTF-8 and back; a character it cannot hold is a counted ?") {
  const Cp932Codec codec;
  int replaced = 0;
  // Literals here are compiled to code page 932; u8 ones stay UTF-8.
  const std::string memo = "表ソ能 ﾒﾓ ～－∥ a,b;c\\d 日本語";
  CHECK(codec.ToUtf8(memo) == u8"表ソ能 ﾒﾓ ～－∥ a,b;c\\d 日本語");
  CHECK(codec.FromUtf8(codec.ToUtf8(memo), replaced) == memo);
  // Every double-byte character of the first rows of the code page survives.
  std::string all;
  for (int lead = 0x81; lead <= 0x84; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      WCHAR wide = 0;
      if (trail != 0x7F && MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, pair, 2, &wide, 1) == 1) {
        all.append(pair, 2);
      }
    }
  }
  CHECK(all.size() > 600);
  CHECK(codec.FromUtf8(codec.ToUtf8(all), replaced) == all);
  CHECK(replaced == 0);

  // An emoji (a surrogate pair), an accented letter that a best fit would turn into "e", and
  // a Korean syllable (outside the check, whose text of the expression is compiled to code
  // page 932 too).
  const std::string foreign = u8"🎂 café 한 寿司";
  CHECK(codec.FromUtf8(foreign, replaced) == "? caf? ? 寿司");
  CHECK(replaced == 3);
  CHECK(codec.FromUtf8("", replaced).empty());
  CHECK(codec.ToUtf8("").empty());
}

TEST_CASE("UTC times become the system's local time of their date") {
  const SystemTimeZone zone;
  const ICalDateTime utc{{2026, 7, 9}, 23, 30, 0};
  SYSTEMTIME universal = {2026, 7, 0, 9, 23, 30, 0, 0}, local = {};
  REQUIRE(SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local));
  const ICalDateTime converted = zone.FromUtc(utc);
  CHECK(converted.date == ICalDate{local.wYear, local.wMonth, local.wDay});
  CHECK(converted.hour == local.wHour);
  // Before the system's calendar starts, the time stays as it was.
  CHECK(zone.FromUtc({{1500, 1, 1}, 12, 0, 0}).date == ICalDate{1500, 1, 1});
}
