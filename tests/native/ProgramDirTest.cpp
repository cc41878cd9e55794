// Cutting the program's directory out of its path, Shift-JIS paths included.
#include <doctest.h>

#include "app/ProgramDir.h"
#include "settings/StoreValues.h"

using namespace tembori;

namespace {

std::string DirOf(std::string_view path) {
  return ProgramDirFromPath(path, &IsShiftJisLeadByte);
}

}  // namespace

TEST_CASE("program directory is everything before the program file's name") {
  CHECK(DirOf("C:\\Program Files\\Tembori\\Tembori.exe") == "C:\\Program Files\\Tembori\\");
  CHECK(DirOf("C:\\APPS\\TEMBORI.EXE") == "C:\\APPS\\");
  // A directory of that name comes first and is where the path is cut.
  CHECK(DirOf("C:\\Tembori.exe\\bin\\Tembori.exe") == "C:\\");
  // The mixed-case name is looked for first, wherever it is.
  CHECK(DirOf("C:\\TEMBORI.EXE\\Tembori.exe") == "C:\\TEMBORI.EXE\\");
}

TEST_CASE("program directory is empty when the file has another name") {
  CHECK(DirOf("C:\\Tools\\tembori.exe").empty());
  CHECK(DirOf("C:\\Tools\\Calendar.exe").empty());
  CHECK(DirOf("").empty());
}

TEST_CASE("program directory search never starts inside a double-byte character") {
  // 0x83 0x54 is one katakana character whose second byte is 'T'.
  CHECK(DirOf("C:\\\x83Tembori.exe") == "");
  CHECK(DirOf("C:\\\x83Tembori.exe\\Tembori.exe") == "C:\\\x83Tembori.exe\\");
  // A lead byte without its trail byte at the end does not run past the text.
  CHECK(FindOnCharacterBoundary("ab\x83", "x", &IsShiftJisLeadByte) == std::string_view::npos);
  // Without any lead bytes the same path matches at the second byte.
  CHECK(FindOnCharacterBoundary("\x83Tembori.exe", "Tembori.exe",
                                [](unsigned char) { return false; }) == 1);
}
