// Reaches every place through the memo store, over a month model of its own that shows the
// place's month. The model computes nothing, so it neither reads nor writes any marks.
#include "ical/MemoStoreAccess.h"

#include <utility>

#include "calendar/FixedClock.h"
#include "calendar/MonthCalendar.h"
#include "memo/MemoStore.h"

namespace tembori {

namespace {

// The registry's memos belong to no year: a leap year gives 29 February its place.
constexpr int kEveryYearCalendar = 2000;

// A memo store whose shown month is the place's.
class PlaceStore {
 public:
  PlaceStore(const MemoPlace& place, const Settings& settings, KeyValueStore& registry,
             ProfileFile& files, StoreLock& lock, const std::string& programDir)
      : clock_(MakeDate(
            static_cast<std::uint16_t>(place.EveryYear() ? kEveryYearCalendar : place.year),
            static_cast<std::uint16_t>(place.month), 1)),
        calendar_(clock_, registry, settings),
        store_(calendar_, settings, registry, files, lock) {
    store_.SetProgramDir(programDir);
  }
  MemoStore& Store() { return store_; }

 private:
  FixedClock clock_;
  MonthCalendar calendar_;
  MemoStore store_;
};

}  // namespace

MemoStoreAccess::MemoStoreAccess(const Settings& settings, KeyValueStore& registry,
                                 ProfileFile& files, StoreLock& lock, std::string programDir)
    : settings_(settings),
      registry_(registry),
      files_(files),
      lock_(lock),
      programDir_(std::move(programDir)) {}

std::size_t MemoStoreAccess::MaxBytes() const {
  return kMaxMemoBytes;
}

std::vector<PlacedMemo> MemoStoreAccess::Collect(const std::vector<int>& fileYears) {
  std::vector<PlacedMemo> memos;
  // The registry's memos are one set, kept as year 0.
  const int registryYear = 0;
  const int* const years = EveryYear() ? &registryYear : fileYears.data();
  const std::size_t count = EveryYear() ? 1 : fileYears.size();
  for (std::size_t i = 0; i < count; ++i) {
    const int year = years[i];
    for (int month = 1; month <= 12; ++month) {
      const MemoPlace first{year, month, 1};
      PlaceStore place(first, settings_, registry_, files_, lock_, programDir_);
      const int days = DaysInMonth(year == 0 ? kEveryYearCalendar : year, month);
      for (int day = 1; day <= days; ++day) {
        std::string text;
        if (place.Store().ReadMemo(day, text))
          memos.push_back({{year, month, day}, std::move(text)});
      }
    }
  }
  return memos;
}

std::string MemoStoreAccess::Read(const MemoPlace& place) {
  PlaceStore store(place, settings_, registry_, files_, lock_, programDir_);
  std::string text;
  if (!store.Store().ReadMemo(place.day, text)) text.clear();
  return text;
}

bool MemoStoreAccess::Write(const PlacedMemo& memo) {
  PlaceStore place(memo.place, settings_, registry_, files_, lock_, programDir_);
  MemoStore& store = place.Store();
  std::string before;
  if (!store.BeginEdit(memo.place.day, before)) return false;
  const MemoSaveResult result = store.CommitEdit(memo.place.day, memo.text);
  if (result == MemoSaveResult::Saved) return true;
  // A text without its bit in the map would be a memo that the calendar does not show.
  std::string written;
  if (result == MemoSaveResult::MapNotSaved && store.BeginEdit(memo.place.day, written)) {
    store.CommitEdit(memo.place.day, before);
  }
  return false;
}

}  // namespace tembori
