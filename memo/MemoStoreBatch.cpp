// Many memos at once, for an import or an export: kept apart from the calendar's own edits, so
// that a program that never calls them does not carry them.
#include <algorithm>

#include "memo/MemoStore.h"
#include "memo/StoreLockHold.h"
#include "settings/StoreValues.h"

namespace tembori {
namespace {

// A failed text is worse than a failed map.
MemoSaveResult Worse(MemoSaveResult a, MemoSaveResult b) {
  if (a == MemoSaveResult::TextNotSaved || b == MemoSaveResult::TextNotSaved) {
    return MemoSaveResult::TextNotSaved;
  }
  return a == MemoSaveResult::Saved ? b : a;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<int> MemoFileYear(std::string_view fileName) {
  if (fileName.size() != 10) return std::nullopt;
  std::string lower(fileName);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  const std::string_view name = lower;
  if (name.substr(0, 2) != "tb" || name.substr(6) != ".mem" ||
      !std::all_of(name.begin() + 2, name.begin() + 6, IsDigit)) {
    return std::nullopt;
  }
  int year = 0;
  for (const char digit : name.substr(2, 4)) year = year * 10 + (digit - '0');
  return year;
}

std::vector<int> MemoStore::Years(bool inFiles) {
  if (!inFiles) return {0};
  std::vector<int> years;
  for (const std::string& name : files_.FileNames()) {
    if (const auto year = MemoFileYear(name)) years.push_back(*year);
  }
  std::sort(years.begin(), years.end());
  return years;
}

MemoSaveResult MemoStore::WriteMemos(const std::vector<DatedMemo>& memos) {
  MemoBackend& backend = CurrentBackend();
  const bool inFiles = &backend == &files_;
  MemoSaveResult result = MemoSaveResult::Saved;
  KeyedList<std::pair<int, int>, std::vector<DayText>> months;  // by year (files) and month
  for (const DatedMemo& memo : memos) {
    const bool known = memo.month >= 1 && memo.month <= 12 && memo.day >= 1 &&
                       memo.day <= kMapDays &&
                       (!inFiles || (memo.year >= 1000 && memo.year <= 9999));
    if (!known) {
      result = MemoSaveResult::TextNotSaved;
      continue;
    }
    ValueOf(months, {inFiles ? memo.year : 0, memo.month})
        .push_back({memo.day, std::string(BoundMemoText(memo.text))});
  }
  {
    const StoreLockHold hold(lock_);
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
  for (const int year : Years(&backend == &files_)) {
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
