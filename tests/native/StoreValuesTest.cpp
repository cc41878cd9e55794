// Reading numbers and texts written by other writers, and cutting Shift-JIS text.
#include <doctest.h>

#include "settings/MemoryStore.h"
#include "settings/StoreValues.h"

using namespace tembori;

namespace {

constexpr char kPath[] = "Software\\TemboriTest";

// A key whose size query and read disagree, as when another program rewrites the value
// between the two calls.
class ChangingKey : public StoreKey {
 public:
  ChangingKey(std::uint32_t sizeAnswer, std::string data)
      : sizeAnswer_(sizeAnswer), data_(std::move(data)) {}

  StoreResult Query(std::string_view, std::uint32_t*, std::uint8_t* data,
                    std::uint32_t* size) override {
    const auto length = static_cast<std::uint32_t>(data_.size());
    if (data == nullptr) {
      *size = sizeAnswer_;
      return StoreResult::Ok;
    }
    const bool fits = *size >= length;
    if (fits) data_.copy(reinterpret_cast<char*>(data), length);
    *size = length;
    return fits ? StoreResult::Ok : StoreResult::MoreData;
  }
  StoreResult WriteDword(std::string_view, std::uint32_t) override { return StoreResult::Failed; }
  StoreResult WriteString(std::string_view, std::string_view) override {
    return StoreResult::Failed;
  }
  StoreResult DeleteValue(std::string_view) override { return StoreResult::Failed; }

 private:
  const std::uint32_t sizeAnswer_;
  const std::string data_;
};

std::uint32_t Number(MemoryStore& store, std::uint32_t type, std::vector<std::uint8_t> bytes,
                     StoreResult expected = StoreResult::Ok) {
  store.Put(kPath, "Value", type, std::move(bytes));
  std::unique_ptr<StoreKey> key;
  REQUIRE(store.OpenKey(kPath, key) == StoreResult::Ok);
  std::uint32_t value = 0xDEADBEEF;
  CHECK(ReadNumber(*key, "Value", value) == expected);
  return value;
}

std::string Text(MemoryStore& store, std::vector<std::uint8_t> bytes,
                 StoreResult expected = StoreResult::Ok) {
  store.Put(kPath, "Value", kTypeString, std::move(bytes));
  std::unique_ptr<StoreKey> key;
  REQUIRE(store.OpenKey(kPath, key) == StoreResult::Ok);
  std::string text = "untouched";
  CHECK(ReadString(*key, "Value", text) == expected);
  return text;
}

}  // namespace

TEST_CASE("numbers are read whatever their stored type and length") {
  MemoryStore store;
  CHECK(Number(store, kTypeDword, {0x78, 0x56, 0x34, 0x12}) == 0x12345678);
  CHECK(Number(store, kTypeBinary, {0x80, 0, 0, 0}) == 128);
  // Short values are zero-extended, never sign-extended nor filled from stale bytes.
  CHECK(Number(store, kTypeBinary, {0x2A}) == 42);
  CHECK(Number(store, kTypeBinary, {0xFF, 0xFF, 0xFF}) == 0x00FFFFFF);
  CHECK(Number(store, kTypeBinary, {}) == 0);
  // Too long or missing: the value is not touched.
  CHECK(Number(store, kTypeQword, {5, 0, 0, 0, 0, 0, 0, 0}, StoreResult::Failed) == 0xDEADBEEF);
  std::unique_ptr<StoreKey> key;
  REQUIRE(store.OpenKey(kPath, key) == StoreResult::Ok);
  std::uint32_t value = 7;
  CHECK(ReadNumber(*key, "Missing", value) == StoreResult::NotFound);
  CHECK(value == 7);
}

TEST_CASE("texts come back bounded and terminated") {
  MemoryStore store;
  CHECK(Text(store, {'M', 'S', 0}) == "MS");
  CHECK(Text(store, {'M', 'S'}) == "MS");
  CHECK(Text(store, {'a', 0, 'b', 0}) == "a");
  CHECK(Text(store, {}).empty());
  std::vector<std::uint8_t> oversized(kMaxStoredTextBytes + 1, 'x');
  CHECK(Text(store, oversized, StoreResult::Failed) == "untouched");
  oversized.pop_back();
  CHECK(Text(store, oversized).size() == kMaxStoredTextBytes);

  std::string text = "untouched";
  ChangingKey grown(4, "much longer than four bytes");
  CHECK(ReadString(grown, "Value", text) == StoreResult::Failed);
  CHECK(text == "untouched");
  ChangingKey shrunk(40, "ab");
  CHECK(ReadString(shrunk, "Value", text) == StoreResult::Ok);
  CHECK(text == "ab");
}

TEST_CASE("truncation never leaves half a double-byte character") {
  const std::string mincho = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9";  // "ＭＳ 明朝" in Shift-JIS
  CHECK(TruncateMultibyte(mincho, 100) == mincho);
  CHECK(TruncateMultibyte(mincho, 5) == mincho.substr(0, 5));
  CHECK(TruncateMultibyte(mincho, 6) == mincho.substr(0, 5));
  CHECK(TruncateMultibyte(mincho, 4) == mincho.substr(0, 4));
  CHECK(TruncateMultibyte(mincho, 3) == mincho.substr(0, 2));
  // Half-width katakana are single bytes; a lead byte at the very end has lost its trail.
  CHECK(TruncateMultibyte("\xB6\xC5\xFC", 10) == "\xB6\xC5");
  CHECK(TruncateMultibyte("\xE0\x40\x9F\x81x", 5) == "\xE0\x40\x9F\x81x");
  // A face name of any length fits the 31 bytes a LOGFONT face name holds.
  const std::string longFace(40, '\x88');  // 20 double-byte characters
  CHECK(TruncateMultibyte(longFace, 31).size() == 30);
}
