// The program hands Shift-JIS bytes to the ANSI API and counts lengths in bytes: the system it
// runs on must use code page 932, and the compiler must spell string literals in it.
#include <doctest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {
// 成人の日, as the program stores and draws it.
const char kComingOfAgeDay[] = "\x90\xAC\x90\x6C\x82\xCC\x93\xFA";
}  // namespace

TEST_CASE("the system runs with the Shift-JIS code page") {
  CHECK(GetACP() == 932);
  CHECK(IsDBCSLeadByte(0x90));
  CHECK_FALSE(IsDBCSLeadByte('A'));
  // Half-width katakana are single bytes, not lead bytes.
  CHECK_FALSE(IsDBCSLeadByte(0xD2));

  wchar_t wide[8] = {};
  CHECK(MultiByteToWideChar(CP_ACP, 0, kComingOfAgeDay, -1, wide, 8) == 5);
  CHECK(std::wstring(wide) == L"\u6210\u4EBA\u306E\u65E5");
}

TEST_CASE("string literals are compiled to Shift-JIS") {
  const char fullWidth[] = "成人の日";
  CHECK(sizeof fullWidth == sizeof kComingOfAgeDay);
  CHECK(std::strcmp(fullWidth, kComingOfAgeDay) == 0);

  const char halfWidth[] = "ﾒﾓ";
  CHECK(std::string(halfWidth) == "\xD2\xD3");
}
