// One of the two places that keep memos: the registry (one set of months for every year) or
// the memo files (one per year). The rules shared by both, the bound of a text and how the
// month's map changes, are the memo store's; a backend only reads and writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/CalendarArithmetic.h"

namespace tembori {

inline constexpr char kMemoMapName[] = "MapOfMemo";
// The days a month's map has a bit for.
inline constexpr int kMapDays = 31;

// A day's new text; empty deletes its memo.
struct DayText {
  int day;
  std::string text;
};

// A month's map as stored: missing, damaged (there, but not readable), or read.
struct StoredMap {
  enum class State { Missing, Damaged, Read } state = State::Missing;
  DayMask map = 0;
};

// How a write changes the month's map: bits to set and bits to clear in the map as stored.
struct MapChange {
  DayMask set = 0, clear = 0;

  // Sets the bit of each day with a text and clears the bit of each day without; of two
  // texts for one day, the later counts.
  void Add(const std::vector<DayText>& texts) {
    for (const DayText& text : texts) {
      const DayMask bit = DayBit(text.day);
      set = text.text.empty() ? set & ~bit : set | bit;
      clear = text.text.empty() ? clear | bit : clear & ~bit;
    }
  }
  DayMask AppliedTo(DayMask map) const { return (map | set) & ~clear; }
};

// The map of the days for which `hasText(day)` is true.
template <typename HasText>
DayMask MapFromTexts(const HasText& hasText) {
  DayMask map = 0;
  for (int day = 1; day <= kMapDays; ++day) {
    if (hasText(day)) map |= DayBit(day);
  }
  return map;
}

// A month's new map once the new texts are in: the change applied to the map as stored; a
// map that another writer left damaged, or left out, is made from the texts.
template <typename HasText>
DayMask NewMap(const StoredMap& stored, const MapChange& change, const HasText& hasText) {
  if (stored.state != StoredMap::State::Read) return MapFromTexts(hasText);
  return change.AppliedTo(stored.map);
}

enum class MemoSaveResult {
  Saved,
  TextNotSaved,  // nothing changed; the user must be told
  MapNotSaved,   // the texts are stored; the month's map is put right at its next save
};

class MemoBackend {
 public:
  virtual ~MemoBackend() = default;

  // The day's text as stored, not bounded; empty for none and when it cannot be read.
  virtual std::string Text(int year, int month, int day) = 0;
  virtual StoredMap Map(int year, int month) = 0;
  // False when the month cannot be written, so that there is nothing to edit.
  virtual bool PrepareEdit(int year, int month) = 0;
  // Stores the texts and then the map that NewMap makes with `change`, reading what it needs
  // afresh, and gives that map in `written`; the caller holds the store's lock. TextNotSaved
  // leaves the map as it was.
  virtual MemoSaveResult Write(int year, int month, const std::vector<DayText>& texts,
                               const MapChange& change, DayMask& written) = 0;
  // Where the year's memos are kept (the memo file's name; empty for the registry).
  virtual std::string Name(int year) const = 0;
};

}  // namespace tembori
