// Memos in the registry: a key per month below kMemoKey, a value per day and the month's map
// as a number, shown in every year.
#pragma once

#include "memo/MemoBackend.h"
#include "settings/KeyValueStore.h"

namespace tembori {

// The year in the key is a fixed name.
inline constexpr char kMemoKey[] = "Software\\Tembori\\Memo\\1996";

class RegistryMemoBackend : public MemoBackend {
 public:
  explicit RegistryMemoBackend(KeyValueStore& registry) : registry_(registry) {}

  std::string Text(int year, int month, int day) override;
  StoredMap Map(int year, int month) override;
  bool PrepareEdit(int year, int month) override;
  MemoSaveResult Write(int year, int month, const std::vector<DayText>& texts,
                       const MapChange& change, DayMask& written) override;
  std::string Name(int) const override { return {}; }

 private:
  KeyValueStore& registry_;
};

}  // namespace tembori
