// Memos out as iCalendar events and back, through the memo store of either kind: what an
// export holds, back byte for byte into empty stores and nothing to do where they came from;
// how an import plans its adds, replacements and skips before writing, joins and cuts texts,
// and stops at a memo its store fails to write, leaving it as it was.
#include <doctest.h>

#include <string>
#include <vector>

#include "IconvCodec.h"
#include "ical/ICalReader.h"
#include "ical/MemoStoreAccess.h"
#include "memo/MemoryProfileFile.h"
#include "memo/MemoryStoreLock.h"
#include "settings/MemoryStore.h"

namespace tembori {
bool operator==(const PlacedMemo& a, const PlacedMemo& b) {
  return a.place == b.place && a.text == b.text;
}
}  // namespace tembori

using namespace tembori;

namespace {

class UtcZone : public LocalTimeZone {
 public:
  ICalDateTime FromUtc(const ICalDateTime& utc) const override { return utc; }
};

const IconvCodec codec;
const ICalDateTime kStamp{{2026, 12, 6}, 15, 4, 5};

// Memos in code page 932 with the bytes that trouble careless code: second bytes that are a
// backslash (表, ソ, 能), half-width katakana, the wave dash and full-width signs, separators
// that iCalendar escapes; and memos as long as each store keeps, ending on a whole "あ".
const std::string kTricky = "\x95\x5C\x83\x5C\x94\x5C \xD2\xD3 \x81\x60\x81\x7C, a;b\\c";
const std::string k64 = std::string(62, 'x') + "\x82\xA0";

// The memo store of either kind, over a registry and memo files in memory.
struct Stores {
  explicit Stores(bool files) { settings.MemoFile = files ? 1 : 0; }
  Settings settings;
  MemoryStore registry;
  MemoryProfileFile files;
  MemoryStoreLock lock;
  MemoStoreAccess access{settings, registry, files, lock, "C:\\Tembori\\"};
};

ImportPlan PlanInto(MemoStoreAccess& access, const std::string& file) {
  const ICalReadResult read = ReadICalendar(file, UtcZone());
  REQUIRE(read.error == ICalReadError::None);
  return PlanImport(read.entries, access, codec);
}

ImportOutcome ApplyTo(MemoStoreAccess& access, const ImportPlan& plan, bool overwrite = false) {
  return ApplyImport(plan, overwrite,
                     [&access](const PlacedMemo& memo) { return access.Write(memo); });
}

std::vector<PlacedMemo> Fill(Stores& stores, const std::vector<PlacedMemo>& memos) {
  for (const PlacedMemo& memo : memos) REQUIRE(stores.access.Write(memo));
  return memos;
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

// The dates, rules and texts of exports are read back by an independent parser (the oracle
// test); here what it does not check.
TEST_CASE("an export names each place by a UID that stays, and skips a day no year has") {
  const std::vector<PlacedMemo> memos = {{{0, 12, 31}, "eve"}, {{0, 2, 30}, "no such day"}};
  const std::string file = ExportMemos(memos, 2026, kStamp, "2.63", codec);
  CHECK(Contains(file, "UID:yearly-1231.memo@tembori\r\nDTSTAMP:20261206T150405Z\r\n"));
  CHECK_FALSE(Contains(file, "no such day"));
  CHECK(Contains(ExportMemos({memos[0]}, 2031, kStamp, "2.63", codec),
                 "UID:yearly-1231.memo@tembori\r\n"));
  CHECK(Contains(ExportMemos({{{2026, 3, 1}, "x"}}, 2026, kStamp, "2.63", codec),
                 "UID:20260301.memo@tembori\r\n"));
}

TEST_CASE("an import plan counts adds, replacements and skips before anything is written") {
  Stores stores(true);
  Fill(stores, {{{2026, 5, 1}, "old"}, {{2026, 5, 2}, "same"}});
  const std::string file = Calendar(Event("20260501", "new") + Event("20260502", "same") +
                                    Event("20260503", "added") + Event("18500101", "too early") +
                                    Event("21510101", "too late") + Event("20260504", ""));
  const ImportPlan plan = PlanInto(stores.access, file);
  CHECK(plan.Adds() == 1);
  CHECK(plan.Conflicts() == 1);
  CHECK(plan.Replaces(false) == 0);
  CHECK(plan.Replaces(true) == 1);
  // Two out of range, one without text, one unchanged, and the kept old memo.
  CHECK(plan.Skips(false) == 5);
  CHECK(plan.Skips(true) == 4);

  SUBCASE("without overwriting, a day with a memo keeps it") {
    CHECK(ApplyTo(stores.access, plan).written == 1);
    CHECK(stores.access.Read({2026, 5, 1}) == "old");
    CHECK(stores.access.Read({2026, 5, 3}) == "added");
  }
  SUBCASE("overwriting replaces it") {
    CHECK(ApplyTo(stores.access, plan, true).written == 2);
    CHECK(stores.access.Read({2026, 5, 1}) == "new");
  }
}

TEST_CASE("events of one day join with a full-width slash, cut on a character, in code page 932") {
  Stores empty(true);
  const std::string a = std::string(30, 'a');
  const std::string ja = "日本語の予定";  // 18 bytes of UTF-8, 12 of code page 932
  const ImportPlan plan =
      PlanInto(empty.access,
               Calendar(Event("20260701", a) + Event("20260701", ja) + Event("20260701", ja + ja)));
  REQUIRE(plan.items.size() == 1);
  const std::string& text = plan.items[0].memo.text;
  int replaced = 0;
  const std::string jaSjis = codec.FromUtf8(ja, replaced);
  // 30 + 2 + 12 + 2 = 46: 18 bytes are left, nine characters of the last event.
  CHECK(text == a + kMemoJoiner + jaSjis + kMemoJoiner + (jaSjis + jaSjis).substr(0, 18));

  // An odd number of bytes left never splits a double-byte character.
  const ImportPlan odd =
      PlanInto(empty.access, Calendar(Event("20260702", std::string(61, 'b') + ja)));
  REQUIRE(odd.items.size() == 1);
  CHECK(odd.items[0].memo.text == std::string(61, 'b') + "\x93\xFA");  // 63 bytes, 日

  // Characters outside code page 932 become question marks, and are counted.
  const ImportPlan foreign = PlanInto(
      empty.access, Calendar(Event("20260720", "🍣 寿司 with 😀") + Event("20260721", "Ĳ and ǅ")));
  CHECK(foreign.replacedCharacters == 4);
  REQUIRE(foreign.items.size() == 2);
  CHECK(foreign.items[0].memo.text == "? \x8E\xF5\x8E\x69 with ?");
}

TEST_CASE("yearly events go to a month and day of the registry, the first year of the files") {
  Stores inFiles(true), inRegistry(false);
  const std::string file = Calendar(Event("19900815", "birthday", "FREQ=YEARLY") +
                                    Event("20260106", "weekly", "FREQ=WEEKLY") +
                                    Event("17000101", "old yearly", "FREQ=YEARLY"));
  const ImportPlan registry = PlanInto(inRegistry.access, file);
  REQUIRE(registry.items.size() == 3);
  CHECK(registry.items[0].memo.place == MemoPlace{0, 1, 1});  // years do not matter here
  CHECK(registry.items[1].memo.place == MemoPlace{0, 1, 6});
  CHECK(registry.items[2].memo.place == MemoPlace{0, 8, 15});
  CHECK(registry.firstOccurrenceOnly == 1);

  const ImportPlan files = PlanInto(inFiles.access, file);
  REQUIRE(files.items.size() == 2);
  CHECK(files.items[0].memo.place == MemoPlace{1990, 8, 15});
  CHECK(files.items[1].memo.place == MemoPlace{2026, 1, 6});
  CHECK(files.firstOccurrenceOnly == 2);
  CHECK(files.skippedEntries == 1);
}

TEST_CASE("memos of both stores go out and come back byte for byte") {
  for (const bool files : {false, true}) {
    CAPTURE(files);
    Stores from(files);
    const int year = files ? 2024 : 0;
    const std::vector<PlacedMemo> memos =
        Fill(from, {{{year, 1, 1}, kTricky}, {{year, 2, 29}, k64}, {{year, 12, 31}, "x"}});
    const std::vector<int> fileYears = {2023, 2024};
    const std::vector<PlacedMemo> collected = from.access.Collect(fileYears);
    CHECK(collected == memos);
    const std::string file = ExportMemos(collected, 2026, kStamp, "2.63", codec);

    Stores to(files);
    const ImportPlan plan = PlanInto(to.access, file);
    CHECK(plan.firstOccurrenceOnly == 0);
    const ImportOutcome outcome = ApplyTo(to.access, plan);
    CHECK(outcome.written == 3);
    CHECK_FALSE(outcome.failed);
    CHECK(to.access.Collect(fileYears) == memos);

    // Back into the store it came from, the file changes nothing.
    const ImportPlan again = PlanInto(from.access, file);
    CHECK(again.Adds() + again.Conflicts() == 0);
    CHECK(again.Skips(true) == 3);
  }
}

TEST_CASE("an import whose store fails stops at that memo and leaves it as it was") {
  // The second save fails: as its new file takes the old one's place, as its registry text is
  // written, or as its registry map is written, when the text is put back.
  enum class Failure { FileReplace, RegistryText, RegistryMap };
  for (const Failure failure :
       {Failure::FileReplace, Failure::RegistryText, Failure::RegistryMap}) {
    CAPTURE(static_cast<int>(failure));
    const bool files = failure == Failure::FileReplace;
    const int year = files ? 2026 : 0;
    Stores stores(files);
    Fill(stores, {{{year, 3, 2}, "kept"}});
    const ImportPlan plan = PlanInto(
        stores.access,
        ExportMemos({{{year, 3, 1}, "one"}, {{year, 3, 2}, "two"}, {{year, 3, 3}, "three"}}, 2026,
                    kStamp, "2.63", codec));
    int saves = 0;
    stores.lock.beforeTaken = [&] {
      if (++saves != 2) return;
      if (files) {
        stores.files.FailOn(MemoryProfileFile::Step::Replace);
        return;
      }
      stores.registry.FailOn(MemoryStore::Operation::Write, "Software\\Tembori\\Memo\\1996\\3",
                             failure == Failure::RegistryMap ? "MapOfMemo" : "2");
    };
    const ImportOutcome outcome = ApplyTo(stores.access, plan, true);
    CHECK(outcome.failed);
    CHECK(outcome.written == 1);
    CHECK(stores.access.Read({year, 3, 1}) == "one");
    CHECK(stores.access.Read({year, 3, 2}) == "kept");
    CHECK(stores.access.Read({year, 3, 3}).empty());  // nothing after the failure
  }
}
