// Reading memo files and saving them whole.
#include "memo/FileMemoBackend.h"

#include "memo/ProfileStruct.h"
#include "memo/ProfileText.h"

namespace tembori {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

StoredMap MapOf(const std::string& value) {
  if (value.empty()) return {};
  const std::optional<std::uint32_t> map = DecodeProfileStruct(value);
  if (!map) return {StoredMap::State::Damaged, 0};
  return {StoredMap::State::Read, *map};
}

}  // namespace

std::string FileMemoBackend::Name(int year) const {
  return directory_ + "tb" + std::to_string(year) + ".mem";
}

std::string FileMemoBackend::Text(int year, int month, int day) {
  return files_.GetString(Name(year), std::to_string(month), std::to_string(day));
}

StoredMap FileMemoBackend::Map(int year, int month) {
  return MapOf(files_.GetString(Name(year), std::to_string(month), kMemoMapName));
}

// The file is read, changed in memory and written whole; its byte-order mark, if any, and its
// encoding stay. The map is read from the bytes read here, under the lock, and not through the
// profile functions, which may hold an older copy of the file.
MemoSaveResult FileMemoBackend::Write(int year, int month, const std::vector<DayText>& texts,
                                      const MapChange& change, DayMask& written) {
  const std::string file = Name(year);
  std::string bytes;
  const ProfileFile::ReadResult read = files_.ReadAll(file, bytes);
  if (read == ProfileFile::ReadResult::Failed) return MemoSaveResult::TextNotSaved;

  const bool utf16 = bytes.compare(0, kUtf16Mark.size(), kUtf16Mark) == 0;
  const bool unicode = utf16 || bytes.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0;
  std::string text = utf16
                         ? std::string(kUtf8Mark) +
                               files_.Utf16ToUtf8(std::string_view(bytes).substr(kUtf16Mark.size()))
                         : std::move(bytes);
  const std::string section = std::to_string(month);
  for (const DayText& day : texts) {
    const std::string key = std::to_string(day.day);
    text = day.text.empty() ? RemoveProfileValue(text, section, key)
                            : SetProfileValue(text, section, key,
                                              unicode ? files_.AnsiToUtf8(day.text) : day.text);
  }
  written =
      NewMap(MapOf(ProfileValue(text, section, kMemoMapName).value_or("")), change, [&](int day) {
        return !ProfileValue(text, section, std::to_string(day)).value_or("").empty();
      });
  text = SetProfileValue(text, section, kMemoMapName, EncodeProfileStruct(written));
  if (utf16) {
    text = std::string(kUtf16Mark) +
           files_.Utf8ToUtf16(std::string_view(text).substr(kUtf8Mark.size()));
  }

  // A new name in the same directory, so that the replacement is a rename on the same disk;
  // a file left there by a save cut short is simply written over.
  const std::string temporary = file + ".tmp";
  if (!files_.WriteNew(temporary, text) || !files_.Replace(temporary, file)) {
    files_.Remove(temporary);
    return MemoSaveResult::TextNotSaved;
  }
  return MemoSaveResult::Saved;
}

}  // namespace tembori
