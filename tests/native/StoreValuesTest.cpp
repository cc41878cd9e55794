// Reading numbers and texts written by other writers, and cutting Shift-JIS text.
#include <doctest.h>

#include <tuple>

#include "settings/MemoryStore.h"
#include "settings/StoreValues.h"

using namespace tembori;

namespace {

using Bytes = std::vector<std::uint8_t>;

std::unique_ptr<StoreKey> KeyHolding(MemoryStore& store, Bytes bytes) {
  store.Put("Software\\TemboriTest", "Value", kTypeBinary, std::move(bytes));
  std::unique_ptr<StoreKey> key;
  REQUIRE(store.OpenKey("Software\\TemboriTest", key) == StoreResult::Ok);
  return key;
}

}  // namespace

TEST_CASE("numbers are read whatever their stored length") {
  // Short values are zero-extended, never sign-extended nor filled from stale bytes; a value
  // too long (a REG_QWORD) or missing leaves the number untouched.
  const std::tuple<Bytes, StoreResult, std::uint32_t> cases[] = {
      {{0x78, 0x56, 0x34, 0x12}, StoreResult::Ok, 0x12345678},     {{0x2A}, StoreResult::Ok, 42},
      {{0xFF, 0xFF, 0xFF}, StoreResult::Ok, 0x00FFFFFF},           {{}, StoreResult::Ok, 0},
      {{5, 0, 0, 0, 0, 0, 0, 0}, StoreResult::Failed, 0xDEADBEEF},
  };
  for (const auto& [bytes, result, expected] : cases) {
    MemoryStore store;
    const auto key = KeyHolding(store, bytes);
    std::uint32_t value = 0xDEADBEEF;
    CHECK(ReadNumber(*key, "Value", value) == result);
    CHECK(ReadNumber(*key, "Missing", value) == StoreResult::NotFound);
    CHECK(value == expected);
  }
}

TEST_CASE("texts come back bounded and terminated") {
  const std::tuple<Bytes, StoreResult, std::string> cases[] = {
      {{'M', 'S', 0}, StoreResult::Ok, "MS"},
      {{'M', 'S'}, StoreResult::Ok, "MS"},
      {{'a', 0, 'b', 0}, StoreResult::Ok, "a"},
      {{}, StoreResult::Ok, ""},
      {Bytes(kMaxStoredTextBytes + 1, 'x'), StoreResult::Failed, "untouched"},
      {Bytes(kMaxStoredTextBytes, 'x'), StoreResult::Ok, std::string(kMaxStoredTextBytes, 'x')},
  };
  for (const auto& [bytes, result, expected] : cases) {
    MemoryStore store;
    std::string text = "untouched";
    CHECK(ReadString(*KeyHolding(store, bytes), "Value", text) == result);
    CHECK(text == expected);
  }
  // The value changed between asking its size and reading it.
  MemoryStore store;
  const auto key = KeyHolding(store, {'l', 'o', 'n', 'g', 'e', 'r', 0});
  std::string text = "untouched";
  CHECK(ReadTextOfSize(*key, "Value", 4, text) == StoreResult::Failed);
  CHECK(text == "untouched");
  CHECK(ReadTextOfSize(*key, "Value", 40, text) == StoreResult::Ok);
  CHECK(text == "longer");
}

TEST_CASE("truncation never leaves half a double-byte character") {
  const std::string mincho = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9";  // "ＭＳ 明朝" in Shift-JIS
  // Half-width katakana (0xB6, 0xC5) are single bytes; a lead byte at the very end has lost
  // its trail; 40 bytes of face name become the 30 that fit a LOGFONT's 31.
  const std::tuple<std::string, std::size_t, std::string> cases[] = {
      {mincho, 100, mincho},
      {mincho, 6, mincho.substr(0, 5)},
      {mincho, 4, mincho.substr(0, 4)},
      {mincho, 3, mincho.substr(0, 2)},
      {"\xB6\xC5\xFC", 10, "\xB6\xC5"},
      {"\xE0\x40\x9F\x81x", 4, "\xE0\x40\x9F\x81"},
      {std::string(40, '\x88'), 31, std::string(30, '\x88')},
  };
  for (const auto& [text, maxBytes, expected] : cases) {
    CHECK(TruncateMultibyte(text, maxBytes) == expected);
  }
}
