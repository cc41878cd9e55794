// The string table compiled into the program: every text must come out of LoadStringA as the
// Shift-JIS bytes the program expects, whole, and under its fixed identifier.
#include <doctest.h>
#include <windows.h>

#include <string>

#include "res/ResourceIds.h"

namespace {
std::string LoadResourceString(const UINT id) {
  char buffer[1024];
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}
}  // namespace

TEST_CASE("texts are stored as Shift-JIS bytes under their fixed identifiers") {
  // 57344 is the caption of every message box.
  CHECK(LoadResourceString(57344) == "Tembori");
  // 成人の日
  CHECK(LoadResourceString(57680) == "\x90\xAC\x90\x6C\x82\xCC\x93\xFA");
  // The registry messages are followed directly by a value name: the trailing space belongs
  // to the text.
  CHECK(LoadResourceString(57697) ==
        "\x83\x8C\x83\x57\x83\x58\x83\x67\x83\x8A\x82\xCC\x93\xC7\x82\xDD\x8E\xE6\x82\xE8"
        "\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD : ");
}

TEST_CASE("every text of the table loads as the program's own literal spells it") {
  struct Entry {
    UINT id;
    const char* text;
  };
  const Entry entries[] = {
#define TEMBORI_STRING(id, text) {id, text},
#include "res/Strings.def"
#undef TEMBORI_STRING
  };
  for (const Entry& entry : entries) {
    CAPTURE(entry.id);
    CHECK(LoadResourceString(entry.id) == entry.text);
  }
}
