// Memos of both stores through an export and an import: back byte for byte into empty
// stores, nothing to do when they go back where they came from, and an import whose store
// fails stops at that memo, leaving it as it was.
#include <doctest.h>

#include <string>
#include <vector>

#include "IconvCodec.h"
#include "ical/ICalReader.h"
#include "ical/MemoStoreAccess.h"
#include "memo/MemoryProfileFile.h"
#include "memo/MemoryStoreLock.h"
#include "settings/MemoryStore.h"

using namespace tembori;

namespace {

class UtcZone : public LocalTimeZone {
 public:
  ICalDateTime FromUtc(const ICalDateTime& utc) const override { return utc; }
};

const IconvCodec codec;
const ICalDateTime kStamp{{2026, 12, 6}, 1, 2, 3};

// Memos in code page 932 with the bytes that trouble careless code: second bytes that are a
// backslash (表, ソ, 能), half-width katakana, the wave dash and full-width signs, separators
// that iCalendar escapes; and memos as long as each store keeps, ending on a whole "あ".
const std::string kTricky = "\x95\x5C\x83\x5C\x94\x5C \xD2\xD3 \x81\x60\x81\x7C, a;b\\c";
const std::string k64 = std::string(62, 'x') + "\x82\xA0";

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
  ImportTarget target;
  target.everyYear = access.EveryYear();
  target.maxBytes = access.MaxBytes();
  target.current = [&access](const MemoPlace& place) { return access.Read(place); };
  return PlanImport(read.entries, target, codec);
}

ImportOutcome ApplyTo(MemoStoreAccess& access, const ImportPlan& plan, bool overwrite = false) {
  return ApplyImport(plan, overwrite,
                     [&access](const PlacedMemo& memo) { return access.Write(memo); });
}

std::vector<PlacedMemo> Fill(Stores& stores, const std::vector<PlacedMemo>& memos) {
  for (const PlacedMemo& memo : memos) REQUIRE(stores.access.Write(memo));
  return memos;
}

bool Same(const std::vector<PlacedMemo>& a, const std::vector<PlacedMemo>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!(a[i].place == b[i].place) || a[i].text != b[i].text) return false;
  }
  return true;
}

}  // namespace

TEST_CASE("memos of both stores go out and come back byte for byte") {
  for (const bool files : {false, true}) {
    CAPTURE(files);
    Stores from(files);
    const int year = files ? 2024 : 0;
    const std::vector<PlacedMemo> memos =
        Fill(from, {{{year, 1, 1}, kTricky}, {{year, 2, 29}, k64}, {{year, 12, 31}, "x"}});
    const std::vector<int> fileYears = {2023, 2024};
    const std::vector<PlacedMemo> collected = from.access.Collect(fileYears);
    CHECK(Same(collected, memos));
    const std::string file = ExportMemos(collected, 2026, kStamp, "2.63", codec);

    Stores to(files);
    const ImportPlan plan = PlanInto(to.access, file);
    CHECK(plan.firstOccurrenceOnly == 0);
    const ImportOutcome outcome = ApplyTo(to.access, plan);
    CHECK(outcome.written == 3);
    CHECK_FALSE(outcome.failed);
    CHECK(Same(to.access.Collect(fileYears), memos));

    // Back into the store it came from, the file changes nothing.
    const ImportPlan again = PlanInto(from.access, file);
    CHECK(again.Adds() + again.Conflicts() == 0);
    CHECK(again.Skips(true) == 3);
  }
}

TEST_CASE("an import whose memo file cannot be written stops at that memo") {
  Stores stores(true);
  Fill(stores, {{{2026, 3, 2}, "kept"}});
  const std::string file =
      ExportMemos({{{2026, 3, 1}, "one"}, {{2026, 3, 2}, "two"}, {{2026, 3, 3}, "three"}}, 2026,
                  kStamp, "2.63", codec);
  const ImportPlan plan = PlanInto(stores.access, file);

  // The second save fails as it puts its new file in the old one's place.
  int saves = 0;
  stores.lock.beforeTaken = [&] {
    if (++saves == 2) stores.files.FailOn(MemoryProfileFile::Step::Replace);
  };
  const ImportOutcome outcome = ApplyTo(stores.access, plan, true);
  CHECK(outcome.failed);
  CHECK(outcome.written == 1);
  CHECK(stores.access.Read({2026, 3, 2}) == "kept");
  CHECK(stores.access.Read({2026, 3, 3}).empty());  // nothing after the failure
}

TEST_CASE("an import whose registry map cannot be written puts the memo back as it was") {
  Stores stores(false);
  Fill(stores, {{{0, 3, 2}, "kept"}});
  const ImportPlan plan =
      PlanInto(stores.access,
               ExportMemos({{{0, 3, 1}, "one"}, {{0, 3, 2}, "two"}}, 2026, kStamp, "2.63", codec));
  stores.registry.FailOn(MemoryStore::Operation::Write, "Software\\Tembori\\Memo\\1996\\3",
                         "MapOfMemo");
  const ImportOutcome outcome = ApplyTo(stores.access, plan, true);
  CHECK(outcome.failed);
  CHECK(outcome.written == 0);
  CHECK(stores.access.Read({0, 3, 1}).empty());
  CHECK(stores.access.Read({0, 3, 2}) == "kept");
}

TEST_CASE("an import whose registry key cannot be written stops at that memo") {
  Stores stores(false);
  const std::string file =
      ExportMemos({{{0, 5, 1}, "may"}, {{0, 6, 1}, "june"}}, 2026, kStamp, "2.63", codec);
  stores.registry.FailOn(MemoryStore::Operation::Write, "Software\\Tembori\\Memo\\1996\\6");
  const ImportOutcome outcome = ApplyTo(stores.access, PlanInto(stores.access, file));
  CHECK(outcome.failed);
  CHECK(outcome.written == 1);
  CHECK(stores.access.Read({0, 5, 1}) == "may");
  CHECK(stores.access.Read({0, 6, 1}).empty());
}
