// The font page's rules, apart from the platform that enumerates the fonts: which faces are
// listed, which sizes a face offers, how its kind is described, and which list items match
// the stored face and size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tembori {

// Bits of a text-metric pitch-and-family byte.
inline constexpr std::uint8_t kVariablePitchBit = 0x01;
inline constexpr std::uint8_t kTrueTypeBit = 0x04;

inline constexpr std::uint8_t kAnsiCharSet = 0;
inline constexpr std::uint8_t kShiftJisCharSet = 128;

// One face in one character set, as enumerated.
struct FaceEntry {
  std::uint8_t CharSet = 0;
  std::uint8_t PitchAndFamily = 0;  // text-metric form, used unchanged in a logical font
  std::string FaceName;
};

// One available height of a face that is not scalable, in device units.
struct SizeEntry {
  std::int32_t CellHeight = 0;
  std::int32_t InternalLeading = 0;
};

// Only ANSI and Shift-JIS faces can draw the calendar; "@" faces are the vertical-writing
// variants of others.
bool IsListedFace(std::string_view faceName, std::uint8_t charSet);

// number × numerator / denominator rounded to the nearest, halves away from zero, without
// overflow; -1 for a zero denominator (the platform's MulDiv).
int MulDivRounded(int number, int numerator, int denominator);

// The sizes in points that a face offers: the fixed list for TrueType, else the face's own
// heights at the screen's resolution, ascending, repeated sizes kept.
std::vector<std::uint16_t> FaceSizes(std::uint8_t pitchAndFamily,
                                     const std::vector<SizeEntry>& ownSizes, int pixelsPerInch);

// The string-table entry that names a face's kind, or none for a kind without a name.
std::optional<std::uint32_t> FontKindStringId(std::uint8_t pitchAndFamily);
// The kind's text followed by the character set.
std::string FontDescription(const std::string& kindText, std::uint8_t charSet);

// The face that shows the stored face among the listed faces: the same name in the stored
// character set, else the same name, else the first that begins with the stored text (letters
// compared without case, as the list compares them); none when nothing matches or no face is
// stored.
std::optional<std::size_t> FindFaceItem(const std::vector<FaceEntry>& faces, std::string_view face,
                                        std::uint8_t charSet);
// The size whose text is the stored size; none when there is none, so that a size typed
// earlier is kept rather than replaced by another.
std::optional<std::size_t> FindSizeItem(const std::vector<std::uint16_t>& sizes,
                                        std::string_view size);

// The whole points at the start of a stored size ("12"); none when it has no leading number.
std::optional<int> LeadingPoints(std::string_view pointSize);

}  // namespace tembori
