// Memo export and the plan and writing of a memo import.
#include "ical/MemoCalendar.h"

#include <algorithm>

#include "calendar/MonthCalendar.h"
#include "ical/ICalText.h"
#include "ical/ICalWriter.h"
#include "ical/MemoStoreAccess.h"
#include "settings/StoreValues.h"

namespace tembori {

namespace {

std::string MemoUid(const MemoPlace& place) {
  std::string uid;
  if (place.EveryYear()) {
    uid = "yearly-";
  } else {
    AppendZeroPadded(uid, place.year, 4);
  }
  AppendZeroPadded(uid, place.month, 2);
  AppendZeroPadded(uid, place.day, 2);
  uid += ".memo@tembori";
  return uid;
}

// Cuts a text to what a store can hold: no line break or NUL, whole characters up to `maxBytes`.
void CutToStorable(std::string& text, std::size_t maxBytes) {
  const std::string_view line =
      std::string_view(text).substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
  text.resize(TruncateMultibyte(line, maxBytes).size());
}

}  // namespace

std::string ExportMemos(const std::vector<PlacedMemo>& memos, int exportYear,
                        const ICalDateTime& stampUtc, std::string_view version,
                        const TextCodec& codec) {
  ICalWriter writer(version, stampUtc);
  for (const PlacedMemo& memo : memos) {
    const std::string uid = MemoUid(memo.place);
    const std::string summary = codec.ToUtf8(memo.text);
    AllDayEvent event;
    event.uid = uid;
    event.summary = summary;
    const bool leapDay = memo.place.month == 2 && memo.place.day == 29;
    if (memo.place.EveryYear()) {
      event.date = {leapDay ? FirstLeapYearFrom(exportYear) : exportYear, memo.place.month,
                    memo.place.day};
      event.rule = leapDay ? "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29" : "FREQ=YEARLY";
    } else {
      event.date = {memo.place.year, memo.place.month, memo.place.day};
    }
    if (!IsValidDate(event.date)) continue;  // 30 February and the like: no day to put it on
    writer.Add(event);
  }
  return writer.Finish();
}

int ImportPlan::Count(Change change) const {
  return static_cast<int>(std::count_if(
      items.begin(), items.end(), [change](const Item& item) { return item.change == change; }));
}

int ImportPlan::Skips(bool overwrite) const {
  return skippedEntries + Count(Change::Same) + (overwrite ? 0 : Conflicts());
}

ImportPlan PlanImport(const std::vector<ICalEntry>& entries, MemoStoreAccess& store,
                      const TextCodec& codec) {
  const bool everyYear = store.EveryYear();
  const std::size_t maxBytes = store.MaxBytes();
  ImportPlan plan;
  // The items are kept in the order of their places, each day's texts joined, before the
  // change that each makes is known.
  std::vector<ImportPlan::Item>& items = plan.items;
  for (const ICalEntry& entry : entries) {
    const bool yearly = entry.recurrence == ICalRecurrence::YearlyForever;
    const bool byMonthAndDay = everyYear && yearly;
    if (!entry.dated || entry.text.empty() ||
        (!byMonthAndDay && (entry.date.year < MinYear || entry.date.year > MaxYear))) {
      ++plan.skippedEntries;
      continue;
    }
    if (entry.recurrence == ICalRecurrence::Other || (yearly && !everyYear)) {
      ++plan.firstOccurrenceOnly;
    }
    const MemoPlace place{everyYear ? 0 : entry.date.year, entry.date.month, entry.date.day};
    auto item = std::lower_bound(items.begin(), items.end(), place,
                                 [](const ImportPlan::Item& other, const MemoPlace& wanted) {
                                   return other.memo.place < wanted;
                                 });
    const bool firstOfDay = item == items.end() || place < item->memo.place;
    if (firstOfDay) item = items.insert(item, {{place, {}}, ImportPlan::Change::Add});
    std::string& text = item->memo.text;
    if (!firstOfDay) text += kMemoJoiner;
    // A character takes at least one byte in the store and at most four in the file.
    text += codec.FromUtf8(TruncateUtf8(entry.text, maxBytes * 4), plan.replacedCharacters);
    CutToStorable(text, maxBytes);
  }
  // A day whose texts came to nothing is skipped.
  const auto empty = std::remove_if(items.begin(), items.end(), [](const ImportPlan::Item& item) {
    return item.memo.text.empty();
  });
  plan.skippedEntries += static_cast<int>(items.end() - empty);
  items.erase(empty, items.end());
  for (ImportPlan::Item& item : items) {
    const std::string current = store.Read(item.memo.place);
    item.change = current.empty()             ? ImportPlan::Change::Add
                  : current == item.memo.text ? ImportPlan::Change::Same
                                              : ImportPlan::Change::Replace;
  }
  return plan;
}

}  // namespace tembori
