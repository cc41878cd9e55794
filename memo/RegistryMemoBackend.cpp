// Reading and writing registry memos.
#include "memo/RegistryMemoBackend.h"

#include <memory>

#include "settings/StoreValues.h"

namespace tembori {
namespace {

std::string MonthKeyPath(int month) {
  return std::string(kMemoKey) + "\\" + std::to_string(month);
}

// Other writers may have left any type, any length and no terminator.
std::string StoredText(StoreKey& key, int day) {
  std::string text;
  if (ReadString(key, std::to_string(day), text) != StoreResult::Ok) return {};
  return text;
}

// The program stores the map as a number; a value of any other type is damaged.
StoredMap ReadMap(StoreKey& key) {
  std::uint32_t type = kTypeNone, size = 0;
  const StoreResult queried = key.Query(kMemoMapName, &type, nullptr, &size);
  if (queried == StoreResult::NotFound) return {};
  std::uint32_t map = 0;
  if (queried != StoreResult::Ok || type != kTypeDword ||
      ReadNumber(key, kMemoMapName, map) != StoreResult::Ok) {
    return {StoredMap::State::Damaged, 0};
  }
  return {StoredMap::State::Read, map};
}

}  // namespace

std::string RegistryMemoBackend::Text(int, int month, int day) {
  std::unique_ptr<StoreKey> key;
  if (registry_.OpenKey(MonthKeyPath(month), key) != StoreResult::Ok) return {};
  return StoredText(*key, day);
}

StoredMap RegistryMemoBackend::Map(int, int month) {
  std::unique_ptr<StoreKey> key;
  if (registry_.OpenKey(MonthKeyPath(month), key) != StoreResult::Ok) return {};
  return ReadMap(*key);
}

// The key is created now, so that a cancelled edit of a new month leaves it behind, as the
// program always did.
bool RegistryMemoBackend::PrepareEdit(int, int month) {
  std::unique_ptr<StoreKey> key;
  return registry_.CreateKey(MonthKeyPath(month), key, nullptr) == StoreResult::Ok;
}

MemoSaveResult RegistryMemoBackend::Write(int, int month, const std::vector<DayText>& texts,
                                          const MapChange& change, DayMask& written) {
  std::unique_ptr<StoreKey> key;
  if (registry_.CreateKey(MonthKeyPath(month), key, nullptr) != StoreResult::Ok) {
    return MemoSaveResult::TextNotSaved;
  }
  for (const DayText& text : texts) {
    const std::string name = std::to_string(text.day);
    if (text.text.empty()) {
      const StoreResult deleted = key->DeleteValue(name);
      if (deleted != StoreResult::Ok && deleted != StoreResult::NotFound) {
        return MemoSaveResult::TextNotSaved;
      }
    } else if (key->WriteString(name, text.text) != StoreResult::Ok) {
      return MemoSaveResult::TextNotSaved;
    }
  }
  written = NewMap(ReadMap(*key), change, [&](int day) { return !StoredText(*key, day).empty(); });
  return key->WriteDword(kMemoMapName, written) == StoreResult::Ok ? MemoSaveResult::Saved
                                                                   : MemoSaveResult::MapNotSaved;
}

}  // namespace tembori
