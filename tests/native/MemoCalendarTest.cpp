// Memos out as events and back: what an export holds for each store, how an import plans its
// adds, replacements and skips before writing, how it joins and cuts texts, how a failing
// write stops it.
#include <doctest.h>

#include <map>
#include <string>
#include <vector>

#include "IconvCodec.h"
#include "ical/ICalReader.h"
#include "ical/MemoCalendar.h"

using namespace tembori;

namespace {

class UtcZone : public LocalTimeZone {
 public:
  ICalDateTime FromUtc(const ICalDateTime& utc) const override { return utc; }
};

const ICalDateTime kStamp{{2026, 12, 6}, 15, 4, 5};
const IconvCodec codec;

using Store = std::map<MemoPlace, std::string>;

ImportTarget TargetOf(const Store& store, bool everyYear, std::size_t maxBytes = 64) {
  ImportTarget target;
  target.everyYear = everyYear;
  target.maxBytes = maxBytes;
  target.current = [&store](const MemoPlace& place) {
    const auto found = store.find(place);
    return found == store.end() ? std::string() : found->second;
  };
  return target;
}

ImportPlan Plan(const std::string& file, const Store& store, bool everyYear) {
  const ICalReadResult read = ReadICalendar(file, UtcZone());
  REQUIRE(read.error == ICalReadError::None);
  return PlanImport(read.entries, TargetOf(store, everyYear), codec);
}

// Writes into `store`, as the store would.
ImportOutcome Apply(const ImportPlan& plan, bool overwrite, Store& store) {
  return ApplyImport(plan, overwrite, [&store](const PlacedMemo& memo) {
    store[memo.place] = memo.text;
    return true;
  });
}

std::string Event(const char* start, const std::string& summary, const char* rule = nullptr) {
  std::string event = "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:" + std::string(start) + "\r\n";
  if (rule != nullptr) event += "RRULE:" + std::string(rule) + "\r\n";
  return event + "SUMMARY:" + summary + "\r\nEND:VEVENT\r\n";
}

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + events + "END:VCALENDAR\r\n";
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST_CASE("an export of memos of every year repeats them from the export's year") {
  const std::vector<PlacedMemo> memos = {
      {{0, 12, 31}, "\x91\xE5\x82\xDD\x82\xBB\x82\xA9"},  // 大みそか
      {{0, 2, 29}, "leap"},
      {{0, 2, 30}, "no such day"},
  };
  const std::string file = ExportMemos(memos, 2026, kStamp, "2.63", codec);
  CHECK(file.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tembori//Tembori 2.63//JA\r\n",
                   0) == 0);
  CHECK(Contains(file,
                 "UID:yearly-1231.memo@tembori\r\nDTSTAMP:20261206T150405Z\r\n"
                 "DTSTART;VALUE=DATE:20261231\r\nDTEND;VALUE=DATE:20270101\r\n"
                 "RRULE:FREQ=YEARLY\r\nSUMMARY:大みそか\r\n"));
  // 29 February waits for the next leap year and says which day it keeps.
  CHECK(Contains(file,
                 "DTSTART;VALUE=DATE:20280229\r\nDTEND;VALUE=DATE:20280301\r\n"
                 "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29\r\n"));
  CHECK_FALSE(Contains(file, "no such day"));
  CHECK(file.size() >= 15);
  CHECK(file.substr(file.size() - 15) == "END:VCALENDAR\r\n");
  // Every line break is CRLF.
  for (std::size_t i = file.find('\n'); i != std::string::npos; i = file.find('\n', i + 1)) {
    CHECK(file[i - 1] == '\r');
  }
  // The same place keeps its UID in another year's export; a dated memo's names its date.
  CHECK(Contains(ExportMemos({memos[0]}, 2031, kStamp, "2.63", codec),
                 "UID:yearly-1231.memo@tembori\r\n"));
  CHECK(Contains(ExportMemos({{{2026, 3, 1}, "x"}}, 2026, kStamp, "2.63", codec),
                 "UID:20260301.memo@tembori\r\n"));
}

TEST_CASE("an import plan counts adds, replacements and skips before anything is written") {
  Store store = {{{2026, 5, 1}, "old"}, {{2026, 5, 2}, "same"}};
  const std::string file = Calendar(Event("20260501", "new") + Event("20260502", "same") +
                                    Event("20260503", "added") + Event("18500101", "too early") +
                                    Event("21510101", "too late") + Event("20260504", ""));
  const ImportPlan plan = Plan(file, store, false);
  CHECK(plan.Adds() == 1);
  CHECK(plan.Conflicts() == 1);
  CHECK(plan.Replaces(false) == 0);
  CHECK(plan.Replaces(true) == 1);
  // Two out of range, one without text, one unchanged, and the kept old memo.
  CHECK(plan.Skips(false) == 5);
  CHECK(plan.Skips(true) == 4);
  const Store before = store;
  CHECK(store == before);  // planning wrote nothing

  SUBCASE("without overwriting, a day with a memo keeps it") {
    CHECK(Apply(plan, false, store).written == 1);
    CHECK(store[{2026, 5, 1}] == "old");
    CHECK(store[{2026, 5, 3}] == "added");
  }
  SUBCASE("overwriting replaces it") {
    CHECK(Apply(plan, true, store).written == 2);
    CHECK(store[{2026, 5, 1}] == "new");
  }
}

TEST_CASE("events of one day join with a full-width slash and are cut on a character") {
  const Store empty;
  const std::string a = std::string(30, 'a');
  const std::string ja = "日本語の予定";  // 18 bytes of UTF-8, 12 of code page 932
  const ImportPlan plan =
      Plan(Calendar(Event("20260701", a) + Event("20260701", ja) + Event("20260701", ja + ja)),
           empty, false);
  REQUIRE(plan.items.size() == 1);
  const std::string& text = plan.items[0].memo.text;
  int replaced = 0;
  const std::string jaSjis = codec.FromUtf8(ja, replaced);
  // 30 + 2 + 12 + 2 = 46: 18 bytes are left, nine characters of the last event.
  CHECK(text == a + kMemoJoiner + jaSjis + kMemoJoiner + (jaSjis + jaSjis).substr(0, 18));
  CHECK(text.size() == 64);

  // An odd number of bytes left never splits a double-byte character.
  const ImportPlan odd = Plan(Calendar(Event("20260702", std::string(61, 'b') + ja)), empty, false);
  REQUIRE(odd.items.size() == 1);
  CHECK(odd.items[0].memo.text == std::string(61, 'b') + "\x93\xFA");  // 63 bytes, 日
}

TEST_CASE("characters outside code page 932 become question marks and are counted") {
  const Store empty;
  const ImportPlan plan = Plan(
      Calendar(Event("20260720", "🍣 寿司 with 😀") + Event("20260721", "Ĳ and ǅ")), empty, false);
  CHECK(plan.replacedCharacters == 4);
  REQUIRE(plan.items.size() == 2);
  CHECK(plan.items[0].memo.text == "? \x8E\xF5\x8E\x69 with ?");
}

TEST_CASE("yearly events go to a month and day of the registry, the first year of the files") {
  const Store empty;
  const std::string file = Calendar(Event("19900815", "birthday", "FREQ=YEARLY") +
                                    Event("20260106", "weekly", "FREQ=WEEKLY") +
                                    Event("17000101", "old yearly", "FREQ=YEARLY"));
  const ImportPlan registry = Plan(file, empty, true);
  REQUIRE(registry.items.size() == 3);
  CHECK(registry.items[0].memo.place == MemoPlace{0, 1, 1});  // years do not matter here
  CHECK(registry.items[1].memo.place == MemoPlace{0, 1, 6});
  CHECK(registry.items[2].memo.place == MemoPlace{0, 8, 15});
  CHECK(registry.firstOccurrenceOnly == 1);

  const ImportPlan files = Plan(file, empty, false);
  REQUIRE(files.items.size() == 2);
  CHECK(files.items[0].memo.place == MemoPlace{1990, 8, 15});
  CHECK(files.items[1].memo.place == MemoPlace{2026, 1, 6});
  CHECK(files.firstOccurrenceOnly == 2);
  CHECK(files.skippedEntries == 1);
}

TEST_CASE("an import whose store fails stops there and says how many it wrote") {
  const Store empty;
  const ImportPlan plan = Plan(
      Calendar(Event("20260101", "one") + Event("20260102", "two") + Event("20260103", "three")),
      empty, false);
  std::vector<std::string> written;
  const ImportOutcome outcome = ApplyImport(plan, false, [&written](const PlacedMemo& memo) {
    if (memo.text == "two") return false;
    written.push_back(memo.text);
    return true;
  });
  CHECK(outcome.failed);
  CHECK(outcome.written == 1);
  CHECK(written == std::vector<std::string>{"one"});  // nothing tried after the failure
}
