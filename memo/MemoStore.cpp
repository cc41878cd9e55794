// Reading and writing memos and the month's map in either store.
#include "memo/MemoStore.h"

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
                     KeyValueStore& registry, ProfileFile& files)
    : calendar_(calendar), settings_(settings), registry_(registry), files_(files) {}

MemoStore::~MemoStore() = default;

std::string MemoStore::FileName() const {
  return programDir_ + "tb" + std::to_string(calendar_.Shown().wYear) + ".mem";
}

std::string MemoStore::MonthKeyPath() const {
  return std::string(kMemoKey) + "\\" + std::to_string(ShownMonth());
}

MemoStore::Location MemoStore::CurrentLocation(bool inFile) const {
  return {inFile ? FileName() : std::string(), ShownMonth()};
}

DayMask MemoStore::WithPending(DayMask stored, bool inFile) const {
  const auto found = pending_.find(CurrentLocation(inFile));
  if (found == pending_.end()) return stored;
  return (stored | found->second.set) & ~found->second.clear;
}

// The map as the store holds it, 0 when it cannot be read; `key` is the open month key of
// the registry store.
DayMask MemoStore::ReadStoredMap(bool inFile, StoreKey* key) {
  std::uint32_t map = 0;
  if (inFile) {
    if (!files_.GetStruct(FileName(), std::to_string(ShownMonth()), kMemoMapName, map)) map = 0;
  } else if (key == nullptr || ReadNumber(*key, kMemoMapName, map) != StoreResult::Ok) {
    map = 0;
  }
  return map;
}

void MemoStore::LoadMonthMap() {
  const bool inFile = UsesFiles();
  std::unique_ptr<StoreKey> key;
  if (!inFile) registry_.OpenKey(MonthKeyPath(), key);
  memoMap_ = WithPending(ReadStoredMap(inFile, key.get()), inFile);
}

bool MemoStore::ReadMemo(int day, std::string& text) {
  const std::string dayName = std::to_string(day);
  std::string memo;
  if (UsesFiles()) {
    memo = TruncateMultibyte(files_.GetString(FileName(), std::to_string(ShownMonth()), dayName),
                             kMaxFileMemoBytes);
  } else {
    std::unique_ptr<StoreKey> key;
    if (registry_.OpenKey(MonthKeyPath(), key) != StoreResult::Ok) return false;
    // Other writers may have left any type, any length and no terminator.
    if (ReadString(*key, dayName, memo) != StoreResult::Ok) return false;
    memo.resize(TruncateMultibyte(memo, kMaxMemoBytes).size());
  }
  if (memo.empty()) return false;
  text = std::move(memo);
  return true;
}

bool MemoStore::BeginEdit(int day, std::string& text) {
  EndEdit();
  if (!UsesFiles()) {
    // Created now, so that a cancelled edit of a new month leaves its empty key behind.
    if (registry_.CreateKey(MonthKeyPath(), editKey_, nullptr) != StoreResult::Ok) {
      editKey_.reset();
      return false;
    }
    std::string memo;
    if (ReadString(*editKey_, std::to_string(day), memo) != StoreResult::Ok) memo.clear();
    text = TruncateMultibyte(memo, kMaxMemoBytes);
    return true;
  }
  if (!ReadMemo(day, text)) text.clear();
  return true;
}

MemoSaveResult MemoStore::CommitEdit(int day, std::string_view text) {
  const std::string_view memo = BoundMemoText(text);
  const std::string dayName = std::to_string(day);
  const std::string section = std::to_string(ShownMonth());
  // An edit begun in the registry ends there.
  const bool inFile = editKey_ == nullptr && UsesFiles();
  if (!inFile && editKey_ == nullptr &&
      registry_.CreateKey(MonthKeyPath(), editKey_, nullptr) != StoreResult::Ok) {
    editKey_.reset();
    LoadMonthMap();
    return MemoSaveResult::TextNotSaved;
  }

  bool textSaved = false;
  if (inFile) {
    textSaved = memo.empty() ? files_.DeleteKey(FileName(), section, dayName)
                             : files_.WriteString(FileName(), section, dayName, memo);
  } else if (memo.empty()) {
    const StoreResult deleted = editKey_->DeleteValue(dayName);
    textSaved = deleted == StoreResult::Ok || deleted == StoreResult::NotFound;
  } else {
    textSaved = editKey_->WriteString(dayName, memo) == StoreResult::Ok;
  }
  // Read again: another copy of the program may have stored other days meanwhile.
  DayMask map = WithPending(ReadStoredMap(inFile, editKey_.get()), inFile);
  if (!textSaved) {
    memoMap_ = map;
    EndEdit();
    return MemoSaveResult::TextNotSaved;
  }

  const DayMask bit = DayBit(day);
  map = memo.empty() ? map & ~bit : map | bit;
  const bool mapSaved = inFile ? files_.WriteStruct(FileName(), section, kMemoMapName, map)
                               : editKey_->WriteDword(kMemoMapName, map) == StoreResult::Ok;
  memoMap_ = map;
  EndEdit();
  const Location location = CurrentLocation(inFile);
  if (mapSaved) {
    pending_.erase(location);
    return MemoSaveResult::Saved;
  }
  PendingBits& pending = pending_[location];
  pending.set = memo.empty() ? pending.set & ~bit : pending.set | bit;
  pending.clear = memo.empty() ? pending.clear | bit : pending.clear & ~bit;
  return MemoSaveResult::MapNotSaved;
}

void MemoStore::EndEdit() {
  editKey_.reset();
}

}  // namespace tembori
