// Memo export and the plan and writing of a memo import.
#include "ical/MemoCalendar.h"

#include <algorithm>

#include "ical/ICalText.h"
#include "ical/ICalWriter.h"
#include "memo/KeyedList.h"
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
  return uid + ".memo@tembori";
}

// What a store can hold of a text: no line break or NUL, whole characters up to `maxBytes`.
std::string StorableText(std::string_view text, std::size_t maxBytes) {
  text = text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
  return std::string(TruncateMultibyte(text, maxBytes));
}

}  // namespace

std::string ExportMemos(const std::vector<PlacedMemo>& memos, int exportYear,
                        const ICalDateTime& stampUtc, std::string_view version,
                        const TextCodec& codec) {
  ICalWriter writer(version, stampUtc);
  for (const PlacedMemo& memo : memos) {
    AllDayEvent event;
    event.uid = MemoUid(memo.place);
    event.summary = codec.ToUtf8(memo.text);
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

int ImportPlan::Adds() const {
  return static_cast<int>(std::count_if(
      items.begin(), items.end(), [](const Item& item) { return item.change == Change::Add; }));
}

int ImportPlan::Conflicts() const {
  return static_cast<int>(std::count_if(
      items.begin(), items.end(), [](const Item& item) { return item.change == Change::Replace; }));
}

int ImportPlan::Skips(bool overwrite) const {
  const int same = static_cast<int>(items.size()) - Adds() - Conflicts();
  return skippedEntries + same + (overwrite ? 0 : Conflicts());
}

ImportPlan PlanImport(const std::vector<ICalEntry>& entries, const ImportTarget& target,
                      const TextCodec& codec) {
  ImportPlan plan;
  KeyedList<MemoPlace, std::string> texts;
  for (const ICalEntry& entry : entries) {
    const bool yearly = entry.recurrence == ICalRecurrence::YearlyForever;
    const bool byMonthAndDay = target.everyYear && yearly;
    if (!entry.dated || entry.text.empty() ||
        (!byMonthAndDay &&
         (entry.date.year < target.firstYear || entry.date.year > target.lastYear))) {
      ++plan.skippedEntries;
      continue;
    }
    if (entry.recurrence == ICalRecurrence::Other || (yearly && !target.everyYear)) {
      ++plan.firstOccurrenceOnly;
    }
    const MemoPlace place{target.everyYear ? 0 : entry.date.year, entry.date.month, entry.date.day};
    // A character takes at least one byte in the store and at most four in the file.
    const std::string text =
        codec.FromUtf8(TruncateUtf8(entry.text, target.maxBytes * 4), plan.replacedCharacters);
    const auto joined = PlaceOf(texts, place);
    if (joined == texts.end() || place < joined->first) {
      texts.insert(joined, {place, StorableText(text, target.maxBytes)});
    } else {
      joined->second = StorableText(joined->second + kMemoJoiner + text, target.maxBytes);
    }
  }
  for (auto& [place, text] : texts) {
    if (text.empty()) {
      ++plan.skippedEntries;
      continue;
    }
    const std::string current = target.current(place);
    const ImportPlan::Change change = current.empty()   ? ImportPlan::Change::Add
                                      : current == text ? ImportPlan::Change::Same
                                                        : ImportPlan::Change::Replace;
    plan.items.push_back({{place, std::move(text)}, change});
  }
  return plan;
}

ImportOutcome ApplyImport(const ImportPlan& plan, bool overwrite,
                          const std::function<bool(const PlacedMemo&)>& write) {
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
