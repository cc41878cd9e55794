// The rules both memo places share: the bound of a text, the month's map and how a save
// changes it, the lock around every write, and map bits whose write failed.
#include "memo/MemoStore.h"

#include "settings/StoreValues.h"

namespace tembori {
namespace {

// Holds the store's lock for a scope, when it could be had.
class LockHold {
 public:
  explicit LockHold(StoreLock& lock) : lock_(lock), held_(lock.Acquire()) {}
  ~LockHold() {
    if (held_) lock_.Release();
  }
  LockHold(const LockHold&) = delete;
  LockHold& operator=(const LockHold&) = delete;
  bool Held() const { return held_; }

 private:
  StoreLock& lock_;
  const bool held_;
};

constexpr int kMapDays = 31;

DayMask MapFromTexts(const std::function<bool(int day)>& hasText) {
  DayMask map = 0;
  for (int day = 1; day <= kMapDays; ++day) {
    if (hasText(day)) map |= DayBit(day);
  }
  return map;
}

// A failed text is worse than a failed map.
MemoSaveResult Worse(MemoSaveResult a, MemoSaveResult b) {
  if (a == MemoSaveResult::TextNotSaved || b == MemoSaveResult::TextNotSaved) {
    return MemoSaveResult::TextNotSaved;
  }
  return a == MemoSaveResult::Saved ? b : a;
}

}  // namespace

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
  const auto found = pending_.find(location);
  if (found == pending_.end()) return stored;
  return (stored | found->second.set) & ~found->second.clear;
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
  const LockHold hold(lock_);
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
    const LockHold hold(lock_);
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
  const MemoSaveResult result =
      backend.Write(year, month, texts, [&](const StoredMap& stored, const auto& hasText) {
        // A map that another writer left damaged, or left out, is made from the texts.
        if (stored.state != StoredMap::State::Read) return written = MapFromTexts(hasText);
        DayMask map = WithPending(stored.map, location);
        for (const DayText& text : texts) {
          map = text.text.empty() ? map & ~DayBit(text.day) : map | DayBit(text.day);
        }
        return written = map;
      });
  Remember(location, texts, result);
  return result;
}

void MemoStore::Remember(const Location& location, const std::vector<DayText>& texts,
                         MemoSaveResult result) {
  if (result == MemoSaveResult::Saved) {
    pending_.erase(location);
  } else if (result == MemoSaveResult::MapNotSaved && !texts.empty()) {
    PendingBits& pending = pending_[location];
    for (const DayText& text : texts) {
      const DayMask bit = DayBit(text.day);
      pending.set = text.text.empty() ? pending.set & ~bit : pending.set | bit;
      pending.clear = text.text.empty() ? pending.clear | bit : pending.clear & ~bit;
    }
  }
}

MemoSaveResult MemoStore::WriteMemos(const std::vector<DatedMemo>& memos) {
  MemoBackend& backend = CurrentBackend();
  const bool inFiles = &backend == &files_;
  MemoSaveResult result = MemoSaveResult::Saved;
  std::map<std::pair<int, int>, std::vector<DayText>> months;  // by year (files) and month
  for (const DatedMemo& memo : memos) {
    const bool known = memo.month >= 1 && memo.month <= 12 && memo.day >= 1 &&
                       memo.day <= kMapDays &&
                       (!inFiles || (memo.year >= 1000 && memo.year <= 9999));
    if (!known) {
      result = MemoSaveResult::TextNotSaved;
      continue;
    }
    months[{inFiles ? memo.year : 0, memo.month}].push_back(
        {memo.day, std::string(BoundMemoText(memo.text))});
  }
  {
    const LockHold hold(lock_);
    if (!hold.Held()) return MemoSaveResult::TextNotSaved;
    for (const auto& [when, texts] : months) {
      DayMask written = 0;
      result = Worse(result, WriteMonth(backend, when.first, when.second, texts, written));
    }
  }
  StoredMap::State state = StoredMap::State::Missing;
  memoMap_ = ShownMap(backend, state);
  return result;
}

std::vector<DatedMemo> MemoStore::ReadAllMemos() {
  MemoBackend& backend = CurrentBackend();
  std::vector<DatedMemo> memos;
  for (const int year : backend.Years()) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= kMapDays; ++day) {
        const std::string text = backend.Text(year, month, day);
        const std::string_view bounded = TruncateMultibyte(text, kMaxMemoBytes);
        if (!bounded.empty()) memos.push_back({year, month, day, std::string(bounded)});
      }
    }
  }
  return memos;
}

}  // namespace tembori
