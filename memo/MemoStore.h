// The memos: one line of text per day, kept in the registry (one set of months, shown in
// every year) or in a memo file per year, as the MemoFile setting chooses at each operation.
// Nothing is copied between the two places. Alongside the texts each month keeps a map, bit
// (day - 1) set when the day has a memo. Every write takes the lock that all running copies
// share and reads what it changes afresh under it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "calendar/MonthCalendar.h"
#include "memo/FileMemoBackend.h"
#include "memo/KeyedList.h"
#include "memo/MemoBackend.h"
#include "memo/ProfileFile.h"
#include "memo/RegistryMemoBackend.h"
#include "memo/StoreLock.h"
#include "settings/KeyValueStore.h"
#include "settings/Settings.h"

namespace tembori {

// The longest memo the dialog takes and the stores keep, in bytes.
inline constexpr std::size_t kMaxMemoBytes = 64;

// What a store may hold of a memo: its first line, at most kMaxMemoBytes bytes, ending on
// a whole Shift-JIS character.
std::string_view BoundMemoText(std::string_view text);

// The dialog's label for a day: month/day without leading zeros, 12/5.
std::string MemoDateLabel(int month, int day);

class MemoStore {
 public:
  // Every operation on one day works on the month that `calendar` shows, in the store that
  // `settings` chooses at that moment.
  MemoStore(const MonthCalendar& calendar, const Settings& settings, KeyValueStore& registry,
            ProfileFile& files, StoreLock& lock);
  MemoStore(const MemoStore&) = delete;
  MemoStore& operator=(const MemoStore&) = delete;

  // The directory of the memo files, with its trailing backslash; empty leaves the choice
  // of directory to the profile functions (the Windows directory).
  void SetProgramDir(std::string programDir) { files_.SetDirectory(std::move(programDir)); }

  // Reads the shown month's map. A damaged map is made again from the texts there are, and
  // stored; a missing one is empty.
  void LoadMonthMap();
  DayMask MemoMap() const { return memoMap_; }

  // The day's memo, when it has one; the map is not consulted.
  bool ReadMemo(int day, std::string& text);

  // Starts an edit of the day's memo and gives its current text (empty for none). False
  // when the store cannot be opened for writing: there is then nothing to edit.
  bool BeginEdit(int day, std::string& text);
  // Stores the new text (bounded by BoundMemoText; empty deletes the memo) in the store the
  // edit began in, and sets or clears the day's bit in the map as stored now. Ends the edit.
  MemoSaveResult CommitEdit(int day, std::string_view text);
  // Ends an edit without writing.
  void EndEdit() { editBackend_ = nullptr; }

  std::uint16_t ShownMonth() const { return calendar_.Shown().wMonth; }
  // The memo file of the shown year.
  std::string FileName() const { return files_.Name(calendar_.Shown().wYear); }

 private:
  // Where a month's map is kept: the backend's name for the year, and the month.
  using Location = std::tuple<std::string, int>;

  MemoBackend& CurrentBackend();
  int ShownYear() const { return calendar_.Shown().wYear; }
  DayMask WithPending(DayMask stored, const Location& location) const;
  // The shown month's map as `backend` holds it, made from its texts when it is damaged.
  DayMask ShownMap(MemoBackend& backend, StoredMap::State& state);
  // Writes the texts of one month with its new map; `written` receives the map.
  MemoSaveResult WriteMonth(MemoBackend& backend, int year, int month,
                            const std::vector<DayText>& texts, DayMask& written);

  const MonthCalendar& calendar_;
  const Settings& settings_;
  RegistryMemoBackend registry_;
  FileMemoBackend files_;
  StoreLock& lock_;
  DayMask memoMap_ = 0;
  MemoBackend* editBackend_ = nullptr;  // where the open edit began
  // Bit changes whose map write failed, made good at the month's next save.
  KeyedList<Location, MapChange> pending_;
};

}  // namespace tembori
