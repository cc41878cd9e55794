// The rules both memo places share: the bound of a text, the month's map and how a save
// changes it, the lock around every write, and map bits whose write failed.
#include "memo/MemoStore.h"

#include "memo/StoreLockHold.h"
#include "settings/StoreValues.h"

namespace tembori {

std::string_view BoundMemoText(std::string_view text) {
  // A line break in a memo file would end the value and start a stray key.
  const std::size_t lineEnd = text.find_first_of(std::string_view("\r\n\0", 3));
  return TruncateMultibyte(text.substr(0, lineEnd), kMaxMemoBytes);
}

std::string MemoDateLabel(int month, int day) {
  return std::to_string(month) + "/" + std::to_string(day);
}

MemoStore::MemoStore(const MonthCalendar& calendar, const Settings& settings,
                     KeyValueStore& registry, ProfileFile& files, StoreLock& lock)
    : calendar_(calendar), settings_(settings), registry_(registry), files_(files), lock_(lock) {}

MemoBackend& MemoStore::CurrentBackend() {
  if (settings_.MemoFile != 0) return files_;
  return registry_;
}

DayMask MemoStore::WithPending(DayMask stored, const Location& location) const {
  const MapChange* pending = Find(pending_, location);
  return pending == nullptr ? stored : pending->AppliedTo(stored);
}

DayMask MemoStore::ShownMap(MemoBackend& backend, StoredMap::State& state) {
  const int year = ShownYear(), month = ShownMonth();
  const StoredMap stored = backend.Map(year, month);
  state = stored.state;
  if (stored.state != StoredMap::State::Damaged) {
    return WithPending(stored.map, {backend.Name(year), month});
  }
  return MapFromTexts([&](int day) { return !backend.Text(year, month, day).empty(); });
}

void MemoStore::LoadMonthMap() {
  MemoBackend& backend = CurrentBackend();
  StoredMap::State state = StoredMap::State::Missing;
  memoMap_ = ShownMap(backend, state);
  if (state != StoredMap::State::Damaged) return;
  // Stored again, so that the next save finds a map it can read.
  const StoreLockHold hold(lock_);
  DayMask written = 0;
  if (hold.Held() &&
      WriteMonth(backend, ShownYear(), ShownMonth(), {}, written) != MemoSaveResult::TextNotSaved) {
    memoMap_ = written;
  }
}

bool MemoStore::ReadMemo(int day, std::string& text) {
  const std::string memo = CurrentBackend().Text(ShownYear(), ShownMonth(), day);
  const std::string_view bounded = TruncateMultibyte(memo, kMaxMemoBytes);
  if (bounded.empty()) return false;
  text = std::string(bounded);
  return true;
}

bool MemoStore::BeginEdit(int day, std::string& text) {
  EndEdit();
  MemoBackend& backend = CurrentBackend();
  if (!backend.PrepareEdit(ShownYear(), ShownMonth())) return false;
  text =
      std::string(TruncateMultibyte(backend.Text(ShownYear(), ShownMonth(), day), kMaxMemoBytes));
  editBackend_ = &backend;
  return true;
}

MemoSaveResult MemoStore::CommitEdit(int day, std::string_view text) {
  // An edit ends in the store it began in.
  MemoBackend& backend = editBackend_ != nullptr ? *editBackend_ : CurrentBackend();
  EndEdit();
  MemoSaveResult result = MemoSaveResult::TextNotSaved;
  DayMask written = 0;
  {
    const StoreLockHold hold(lock_);
    if (hold.Held()) {
      result = WriteMonth(backend, ShownYear(), ShownMonth(),
                          {{day, std::string(BoundMemoText(text))}}, written);
    }
  }
  StoredMap::State state = StoredMap::State::Missing;
  memoMap_ = result == MemoSaveResult::TextNotSaved ? ShownMap(backend, state) : written;
  return result;
}

MemoSaveResult MemoStore::WriteMonth(MemoBackend& backend, int year, int month,
                                     const std::vector<DayText>& texts, DayMask& written) {
  const Location location{backend.Name(year), month};
  // The bits of earlier writes whose map was not saved, then this write's.
  const MapChange* pending = Find(pending_, location);
  MapChange change = pending != nullptr ? *pending : MapChange{};
  change.Add(texts);
  const MemoSaveResult result = backend.Write(year, month, texts, change, written);
  if (result == MemoSaveResult::Saved) {
    Erase(pending_, location);
  } else if (result == MemoSaveResult::MapNotSaved && !texts.empty()) {
    ValueOf(pending_, location).Add(texts);
  }
  return result;
}

}  // namespace tembori
