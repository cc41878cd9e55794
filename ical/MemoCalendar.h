// Memos as calendar events and back: the export of a store's memos as all-day events, and the
// plan of an import, which says before anything is written which memos a file adds, replaces
// and leaves alone, and then writes them one by one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ical/ICalDate.h"
#include "ical/ICalReader.h"
#include "ical/TextCodec.h"

namespace tembori {

// Where a memo is kept: a date in a memo file, or (year 0) a month and day of the registry,
// shown in every year.
struct MemoPlace {
  int year = 0;
  int month = 0;
  int day = 0;

  bool EveryYear() const { return year == 0; }
  friend bool operator==(const MemoPlace& a, const MemoPlace& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
  }
  friend bool operator<(const MemoPlace& a, const MemoPlace& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
  }
};

struct PlacedMemo {
  MemoPlace place;
  std::string text;  // code page 932
};

// The file's events, one per memo. Memos of every year start in `exportYear` (29 February in
// the first leap year from then) and repeat yearly; each UID names the place and stays the
// same from one export to the next.
std::string ExportMemos(const std::vector<PlacedMemo>& memos, int exportYear,
                        const ICalDateTime& stampUtc, std::string_view version,
                        const TextCodec& codec);

// The separator of two events that fall on one day, in code page 932 ("／").
inline constexpr char kMemoJoiner[] = "\x81\x5E";

struct ImportPlan {
  enum class Change { Add, Replace, Same };
  struct Item {
    PlacedMemo memo;
    Change change;
  };

  std::vector<Item> items;  // in the order of the places
  int skippedEntries = 0;   // no date, no text, or outside the calendar's years
  int replacedCharacters = 0;
  int firstOccurrenceOnly = 0;

  int Adds() const { return Count(Change::Add); }
  // Days that have a different memo now: replaced when the user asks for it, else kept.
  int Conflicts() const { return Count(Change::Replace); }
  int Replaces(bool overwrite) const { return overwrite ? Conflicts() : 0; }
  int Skips(bool overwrite) const;

 private:
  int Count(Change change) const;
};

class MemoStoreAccess;

// Plans against the memos that `store` holds now: an entry goes to its date in the calendar's
// years (1851..2150), or to its month and day in the registry, where a yearly one goes whatever
// its year.
ImportPlan PlanImport(const std::vector<ICalEntry>& entries, MemoStoreAccess& store,
                      const TextCodec& codec);

struct ImportOutcome {
  int written = 0;
  bool failed = false;  // the write after the last one written failed; nothing after it tried
};

// Writes the plan's adds, and its replacements when `overwrite`, in order; stops at the first
// write that fails. `write(const PlacedMemo&)` stores one memo whole or not at all.
template <typename WriteMemo>
ImportOutcome ApplyImport(const ImportPlan& plan, bool overwrite, WriteMemo&& write) {
  ImportOutcome outcome;
  for (const ImportPlan::Item& item : plan.items) {
    const bool wanted = item.change == ImportPlan::Change::Add ||
                        (overwrite && item.change == ImportPlan::Change::Replace);
    if (!wanted) continue;
    if (!write(item.memo)) {
      outcome.failed = true;
      break;
    }
    ++outcome.written;
  }
  return outcome;
}

}  // namespace tembori
