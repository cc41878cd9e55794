// One of the two places that keep memos: the registry (one set of months for every year) or
// the memo files (one per year). The rules shared by both, the bound of a text and how the
// month's map changes, are the memo store's; a backend only reads and writes.
#pragma once

#include <cstdint>
#include <functional>
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

enum class MemoSaveResult {
  Saved,
  TextNotSaved,  // nothing changed; the user must be told
  MapNotSaved,   // the texts are stored; the month's map is put right at its next save
};

class MemoBackend {
 public:
  // Makes the month's map from the map as stored now and whether a day has a text, once the
  // new texts are in.
  using MapUpdate =
      std::function<DayMask(const StoredMap& stored, const std::function<bool(int day)>& hasText)>;

  virtual ~MemoBackend() = default;

  // The day's text as stored, not bounded; empty for none and when it cannot be read.
  virtual std::string Text(int year, int month, int day) = 0;
  virtual StoredMap Map(int year, int month) = 0;
  // False when the month cannot be written, so that there is nothing to edit.
  virtual bool PrepareEdit(int year, int month) = 0;
  // Stores the texts and then the map that `update` makes, reading what it needs afresh;
  // the caller holds the store's lock. TextNotSaved leaves the map as it was.
  virtual MemoSaveResult Write(int year, int month, const std::vector<DayText>& texts,
                               const MapUpdate& update) = 0;
  // Where the year's memos are kept (the memo file's name; empty for the registry).
  virtual std::string Name(int year) const = 0;
};

}  // namespace tembori
