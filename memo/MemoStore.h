// The memos of the shown month: one line of text per day, kept in the registry (one set per
// month, shown in every year) or in a memo file per year in the program's directory, as the
// MemoFile setting chooses at each operation. Nothing is copied between the two places.
// Alongside the texts each month keeps a map, bit (day - 1) set when the day has a memo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

#include "calendar/MonthCalendar.h"
#include "memo/ProfileFile.h"
#include "settings/KeyValueStore.h"
#include "settings/Settings.h"

namespace tembori {

// The longest memo the dialog takes and the stores keep, in bytes.
inline constexpr std::size_t kMaxMemoBytes = 64;
// A memo file gives back one byte less, as the program always read it.
inline constexpr std::size_t kMaxFileMemoBytes = kMaxMemoBytes - 1;

// Registry memos: one key per month below this one; the year in it is a fixed name.
inline constexpr char kMemoKey[] = "Software\\Tembori\\Memo\\1996";
inline constexpr char kMemoMapName[] = "MapOfMemo";

// What a store may hold of a memo: its first line, at most kMaxMemoBytes bytes, ending on
// a whole Shift-JIS character.
std::string_view BoundMemoText(std::string_view text);

// The dialog's label for a day: month/day without leading zeros, 12/5.
std::string MemoDateLabel(int month, int day);

enum class MemoSaveResult {
  Saved,
  TextNotSaved,  // nothing changed; the user must be told
  MapNotSaved,   // the text is stored; the month's map is put right at its next save
};

class MemoStore {
 public:
  // Every operation works on the month that `calendar` shows, in the store that `settings`
  // chooses at that moment.
  MemoStore(const MonthCalendar& calendar, const Settings& settings, KeyValueStore& registry,
            ProfileFile& files);
  ~MemoStore();
  MemoStore(const MemoStore&) = delete;
  MemoStore& operator=(const MemoStore&) = delete;

  // The directory of the memo files, with its trailing backslash; empty leaves the choice
  // of directory to the profile functions (the Windows directory).
  void SetProgramDir(std::string programDir) { programDir_ = std::move(programDir); }

  // Reads the shown month's map; a month whose map is missing or damaged has none.
  void LoadMonthMap();
  DayMask MemoMap() const { return memoMap_; }

  // The day's memo, when it has one; the map is not consulted.
  bool ReadMemo(int day, std::string& text);

  // Starts an edit of the day's memo and gives its current text (empty for none). False
  // when the store cannot be opened for writing: there is then nothing to edit. A registry
  // edit keeps the month's key, created if need be, open until CommitEdit or EndEdit.
  bool BeginEdit(int day, std::string& text);
  // Stores the new text (bounded by BoundMemoText; empty deletes the memo) and sets or clears
  // the day's bit in the map as stored now, keeping the bits that another copy of the
  // program may have stored meanwhile. Ends the edit.
  MemoSaveResult CommitEdit(int day, std::string_view text);
  // Ends an edit without writing.
  void EndEdit();

  std::uint16_t ShownMonth() const { return calendar_.Shown().wMonth; }
  // The memo file of the shown year.
  std::string FileName() const;

 private:
  // Where a month's map is kept: the file (empty for the registry) and the month.
  using Location = std::tuple<std::string, int>;
  // Bit changes whose map write failed, made good at the month's next save.
  struct PendingBits {
    DayMask set = 0, clear = 0;
  };

  bool UsesFiles() const { return settings_.MemoFile != 0; }
  std::string MonthKeyPath() const;
  Location CurrentLocation(bool inFile) const;
  DayMask WithPending(DayMask stored, bool inFile) const;
  DayMask ReadStoredMap(bool inFile, StoreKey* key);

  const MonthCalendar& calendar_;
  const Settings& settings_;
  KeyValueStore& registry_;
  ProfileFile& files_;
  std::string programDir_;
  DayMask memoMap_ = 0;
  std::unique_ptr<StoreKey> editKey_;  // open during a registry edit
  std::map<Location, PendingBits> pending_;
};

}  // namespace tembori
