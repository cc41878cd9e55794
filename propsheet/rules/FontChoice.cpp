// The font page's filtering, sizing, describing and matching rules.
#include "propsheet/rules/FontChoice.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>

#include "res/ResourceIds.h"
#include "settings/StoreValues.h"

namespace tembori {
namespace {

constexpr std::array<std::uint16_t, 16> kTrueTypeSizes = {8,  9,  10, 11, 12, 14, 16, 18,
                                                          20, 22, 24, 26, 28, 36, 48, 72};

char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether `text` begins with `prefix`, letters compared without case; the second byte of a
// double-byte character is compared as it is.
bool BeginsIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t index = 0; index < prefix.size(); ++index) {
    const char a = text[index], b = prefix[index];
    if (IsShiftJisLeadByte(static_cast<unsigned char>(a)) && index + 1 < prefix.size()) {
      if (a != b || text[index + 1] != prefix[index + 1]) return false;
      ++index;
    } else if (FoldAscii(a) != FoldAscii(b)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsListedFace(std::string_view faceName, std::uint8_t charSet) {
  if (!faceName.empty() && faceName.front() == '@') return false;
  return charSet == kAnsiCharSet || charSet == kShiftJisCharSet;
}

int MulDivRounded(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(number) * numerator;
  const long long half = std::llabs(denominator) / 2;
  const bool negative = (product < 0) != (denominator < 0);
  const long long magnitude = (std::llabs(product) + half) / std::llabs(denominator);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

std::vector<std::uint16_t> FaceSizes(std::uint8_t pitchAndFamily,
                                     const std::vector<SizeEntry>& ownSizes, int pixelsPerInch) {
  if ((pitchAndFamily & kTrueTypeBit) != 0) {
    return std::vector<std::uint16_t>(kTrueTypeSizes.begin(), kTrueTypeSizes.end());
  }
  std::vector<std::uint16_t> sizes;
  // A face has a few heights: each is put in its place, after the same size.
  for (const SizeEntry& entry : ownSizes) {
    const auto points = static_cast<std::uint16_t>(
        MulDivRounded(entry.CellHeight - entry.InternalLeading, 72, pixelsPerInch));
    sizes.insert(std::upper_bound(sizes.begin(), sizes.end(), points), points);
  }
  return sizes;
}

std::optional<std::uint32_t> FontKindStringId(std::uint8_t pitchAndFamily) {
  switch (pitchAndFamily & 0x0F) {
    case 0:
      return IDS_FONT_FIXED_RASTER;
    case kVariablePitchBit:
      return IDS_FONT_PROPORTIONAL_RASTER;
    case kTrueTypeBit | 0x02:
      return IDS_FONT_FIXED_TRUETYPE;
    case kTrueTypeBit | 0x02 | kVariablePitchBit:
      return IDS_FONT_PROPORTIONAL_TRUETYPE;
    default:
      return std::nullopt;
  }
}

std::string FontDescription(const std::string& kindText, std::uint8_t charSet) {
  switch (charSet) {
    case kAnsiCharSet:
      return kindText + " (ANSI)";
    case kShiftJisCharSet:
      return kindText + " (SHIFT JIS)";
    default:
      return kindText;
  }
}

std::optional<std::size_t> FindFaceItem(const std::vector<FaceEntry>& faces, std::string_view face,
                                        std::uint8_t charSet) {
  // Every name begins with the empty text.
  if (face.empty()) return std::nullopt;
  std::optional<std::size_t> sameName, beginning;
  for (std::size_t index = 0; index < faces.size(); ++index) {
    const FaceEntry& entry = faces[index];
    if (!BeginsIgnoringCase(entry.FaceName, face)) continue;
    if (entry.FaceName.size() != face.size()) {
      if (!beginning) beginning = index;
    } else if (entry.CharSet == charSet) {
      return index;
    } else if (!sameName) {
      sameName = index;
    }
  }
  return sameName ? sameName : beginning;
}

std::optional<std::size_t> FindSizeItem(const std::vector<std::uint16_t>& sizes,
                                        std::string_view size) {
  for (std::size_t index = 0; index < sizes.size(); ++index) {
    if (std::to_string(sizes[index]) == size) return index;
  }
  return std::nullopt;
}

std::optional<int> LeadingPoints(std::string_view pointSize) {
  int points = 0;
  const auto [stop, error] =
      std::from_chars(pointSize.data(), pointSize.data() + pointSize.size(), points);
  if (error != std::errc()) return std::nullopt;
  return points;
}

}  // namespace tembori
