// The font page's rules: which faces are listed, the sizes offered, the description, and
// which items match the stored face and size.
#include <doctest.h>

#include <cstdint>
#include <vector>

#include "propsheet/rules/FontChoice.h"
#include "res/ResourceIds.h"

using namespace tembori;

TEST_CASE("only ANSI and Shift-JIS faces are listed, never a vertical-writing one") {
  const char* const gothic = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ ゴシック
  CHECK(IsListedFace(gothic, 128));
  CHECK(IsListedFace("Arial", 0));
  CHECK_FALSE(IsListedFace(std::string("@") + gothic, 128));
  for (const std::uint8_t other : {1, 2, 129, 134, 255}) CHECK_FALSE(IsListedFace("Arial", other));
}

TEST_CASE("sizes: the fixed list for TrueType, the face's own heights otherwise") {
  const std::vector<std::uint16_t> trueType = {8,  9,  10, 11, 12, 14, 16, 18,
                                               20, 22, 24, 26, 28, 36, 48, 72};
  const std::vector<SizeEntry> own = {{20, 4}, {13, 3}, {16, 3}, {13, 3}, {0, 0}};
  // Any face with the TrueType bit, whatever heights it reports.
  CHECK(FaceSizes(0x04, own, 96) == trueType);
  CHECK(FaceSizes(0x37, {}, 96) == trueType);
  // (20 - 4) at 96 dpi is 12 points, 10 at 13 ÷ 96 × 72 = 7.5, rounded half away from zero;
  // ascending with repeats kept.
  CHECK(FaceSizes(0x01, own, 96) == std::vector<std::uint16_t>{0, 8, 8, 10, 12});
  CHECK(FaceSizes(0x30, own, 72) == std::vector<std::uint16_t>{0, 10, 10, 13, 16});
  CHECK(FaceSizes(0x00, {}, 96).empty());
}

TEST_CASE("the description names the kind and the character set") {
  CHECK(FontKindStringId(0x00) == IDS_FONT_FIXED_RASTER);
  CHECK(FontKindStringId(0x31) == IDS_FONT_PROPORTIONAL_RASTER);  // family bits do not count
  CHECK(FontKindStringId(0x36) == IDS_FONT_FIXED_TRUETYPE);
  CHECK(FontKindStringId(0x17) == IDS_FONT_PROPORTIONAL_TRUETYPE);
  for (const std::uint8_t other : {0x02, 0x05, 0x0F}) CHECK_FALSE(FontKindStringId(other));
  CHECK(FontDescription("A fixed pitch raster font.", 0) == "A fixed pitch raster font. (ANSI)");
  CHECK(FontDescription("K", 128) == "K (SHIFT JIS)");
  CHECK(FontDescription("", 0) == " (ANSI)");  // a device font has no kind of its own
  CHECK(FontDescription("K", 2) == "K");
}

TEST_CASE("the stored face selects its own item, in its own character set where it has two") {
  const std::vector<FaceEntry> items = {{0, 0, "Arial"},
                                        {0, 0, "Arial Black"},
                                        {0, 0, "Gothic"},
                                        {128, 0, "Gothic"},
                                        {128, 0, "Gothic UI"}};
  CHECK(FindFaceItem(items, "Gothic", 128) == 3u);
  CHECK(FindFaceItem(items, "Gothic", 0) == 2u);
  CHECK(FindFaceItem(items, "gothic", 1) == 2u);   // the name alone, without case
  CHECK(FindFaceItem(items, "Arial", 128) == 0u);  // equal before longer names beginning alike
  CHECK(FindFaceItem(items, "Arial B", 0) == 1u);  // else the first that begins with it
  CHECK_FALSE(FindFaceItem(items, "Courier", 0).has_value());
  // No stored face (the system font) is no item, although every name begins with "".
  CHECK_FALSE(FindFaceItem(items, "", 128).has_value());

  // Letters are compared without case, the second byte of a double-byte character as it is:
  // 0x83 0x61 and 0x83 0x41 are two different katakana.
  const std::vector<FaceEntry> japanese = {{128, 0, "\x83\x61"}, {128, 0, "\x83\x41"}};
  CHECK(FindFaceItem(japanese, "\x83\x41", 128) == 1u);
}

TEST_CASE("a stored size selects only the item equal to it") {
  const std::vector<std::uint16_t> sizes = {8, 9, 10, 12, 14};
  CHECK(FindSizeItem(sizes, "12") == 3u);
  // 13 is not offered, and 1 only begins 10 and 12: the stored text must stay as it is.
  CHECK_FALSE(FindSizeItem(sizes, "13").has_value());
  CHECK_FALSE(FindSizeItem(sizes, "1").has_value());
  CHECK_FALSE(FindSizeItem(sizes, "").has_value());

  CHECK(LeadingPoints("12") == 12);
  CHECK(LeadingPoints("13pt") == 13);
  CHECK_FALSE(LeadingPoints("pt").has_value());
}
