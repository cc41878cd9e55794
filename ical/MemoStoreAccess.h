// Every memo of the store that the settings choose, one place at a time, for an export or an
// import: the registry's memos by month and day, or the memo files' by date.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ical/MemoCalendar.h"
#include "memo/ProfileFile.h"
#include "memo/StoreLock.h"
#include "settings/KeyValueStore.h"
#include "settings/Settings.h"

namespace tembori {

class MemoStoreAccess {
 public:
  // `programDir` is where the memo files are, with its trailing backslash; every write takes
  // the store's `lock`.
  MemoStoreAccess(const Settings& settings, KeyValueStore& registry, ProfileFile& files,
                  StoreLock& lock, std::string programDir);

  // True for the registry, whose memos are shown in every year.
  bool EveryYear() const { return settings_.MemoFile == 0; }
  // The longest memo the store gives back whole.
  std::size_t MaxBytes() const;
  const std::string& ProgramDir() const { return programDir_; }

  // The memos of the registry, or of the memo files of `fileYears`, in date order.
  std::vector<PlacedMemo> Collect(const std::vector<int>& fileYears);
  // The memo at `place`, empty for none.
  std::string Read(const MemoPlace& place);
  // Stores the memo with its day's bit in the month's map. False when either write failed;
  // then the day is put back as it was, as far as the store allows.
  bool Write(const PlacedMemo& memo);

 private:
  const Settings& settings_;
  KeyValueStore& registry_;
  ProfileFile& files_;
  StoreLock& lock_;
  const std::string programDir_;
};

}  // namespace tembori
