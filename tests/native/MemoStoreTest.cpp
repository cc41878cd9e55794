// The memo store over the in-memory registry and memo files: where memos go in each store,
// the month's map and how a save changes it or makes a damaged one again, texts bounded to
// whole characters, the lock around every write, a save cut short at each of its steps, and
// the lines and map records of memo files.
#include <doctest.h>

#include <string>

#include "memo/MemoryProfileFile.h"
#include "memo/MemoryStoreLock.h"
#include "memo/ProfileStruct.h"
#include "memo/ProfileText.h"
#include "settings/MemoryStore.h"
#include "tests/common/MemoFixture.h"

using namespace tembori;

namespace {

using RegistryOp = MemoryStore::Operation;
using FileStep = MemoryProfileFile::Step;

constexpr char kDecember[] = "Software\\Tembori\\Memo\\1996\\12";
constexpr char kFile2003[] = "C:\\Tembori\\tb2003.mem";
const std::string kA = "\x82\xA0";  // "あ" in Shift-JIS
const std::string x62(62, 'x');

// December 2003 is shown; memos go to the registry until MemoFile is set.
struct Memos : MemoFixture<MemoryStore, MemoryProfileFile, MemoryStoreLock> {
  explicit Memos(int memoFile = 0) : MemoFixture(MakeDate(2003, 12, 5), memoFile) {
    store.SetProgramDir("C:\\Tembori\\");
  }

  // The map and the day's entry as the store holds them.
  DayMask StoredMap() const {
    if (settings.MemoFile != 0) {
      return DecodeProfileStruct(files.Text(kFile2003, "12", "MapOfMemo")).value_or(0xDEAD);
    }
    std::uint32_t map = 0xDEAD;
    registry.ReadDword(kDecember, "MapOfMemo", map);
    return map;
  }
  // Stores the map, or a damaged one, as another writer would.
  void PutStoredMap(DayMask map, bool damaged = false) {
    if (settings.MemoFile != 0) {
      files.Put(kFile2003, "12", "MapOfMemo", damaged ? "0500000006" : EncodeProfileStruct(map));
    } else if (damaged) {
      registry.PutString(kDecember, "MapOfMemo", std::to_string(map));
    } else {
      registry.PutDword(kDecember, "MapOfMemo", map);
    }
  }
  void PutText(int day, const std::string& text) {
    if (settings.MemoFile != 0) {
      files.Put(kFile2003, "12", std::to_string(day), text);
    } else {
      registry.PutString(kDecember, std::to_string(day), text);
    }
  }
  std::string Entry(int day) const {
    const std::string name = std::to_string(day);
    if (settings.MemoFile != 0) {
      return files.Has(kFile2003, "12", name) ? files.Text(kFile2003, "12", name) : "(none)";
    }
    const MemoryStore::Value* value = registry.Find(kDecember, name);
    return value != nullptr ? std::string(value->data.begin(), value->data.end()) : "(none)";
  }
};

}  // namespace

TEST_CASE("the registry keeps a memo for its day in every year, a memo file only in its year") {
  Memos memos;
  CHECK(memos.Save(5, "Registry") == MemoSaveResult::Saved);
  CHECK(memos.Entry(5) == std::string("Registry\0", 9));
  CHECK(memos.StoredMap() == DayBit(5));

  memos.settings.MemoFile = 1;
  CHECK(memos.Loaded() == 0);  // switching stores moves nothing
  CHECK(memos.Save(5, "File") == MemoSaveResult::Saved);
  CHECK(memos.files.Bytes(kFile2003) == "[12]\r\n5=File\r\nMapOfMemo=1000000010\r\n");

  memos.calendar.SetYear(2004);
  CHECK(memos.Loaded() == 0);
  CHECK(memos.Read(5) == "(none)");
  memos.settings.MemoFile = 0;
  CHECK(memos.Loaded() == DayBit(5));
  CHECK(memos.Read(5) == "Registry");
}

TEST_CASE("saves in either store: deleting, other writers' days, a damaged map, cancelling") {
  for (const int memoFile : {0, 1}) {
    CAPTURE(memoFile);
    Memos memos(memoFile);
    REQUIRE(memos.Save(1, "one") == MemoSaveResult::Saved);
    REQUIRE(memos.Save(3, "three") == MemoSaveResult::Saved);
    CHECK(memos.StoredMap() == 5);

    // Saving an empty text removes the entry and only its bit.
    std::string text;
    CHECK(memos.Save(1, "") == MemoSaveResult::Saved);
    CHECK(memos.Entry(1) == "(none)");
    CHECK(memos.StoredMap() == DayBit(3));

    // Another writer stores day 9 while the dialog is open, and day 11 just before this
    // save takes the lock: the save reads the map again under the lock and keeps both.
    REQUIRE(memos.store.BeginEdit(20, text));
    memos.PutText(9, "nine");
    memos.PutStoredMap(DayBit(3) | DayBit(9));
    memos.lock.beforeTaken = [&] {
      memos.PutText(11, "eleven");
      memos.PutStoredMap(DayBit(3) | DayBit(9) | DayBit(11));
    };
    CHECK(memos.store.CommitEdit(20, "twenty") == MemoSaveResult::Saved);
    memos.lock.beforeTaken = nullptr;
    const DayMask all = DayBit(3) | DayBit(9) | DayBit(11) | DayBit(20);
    CHECK(memos.store.MemoMap() == all);
    CHECK(memos.StoredMap() == all);
    CHECK(memos.Read(11) == "eleven");
    CHECK(memos.lock.held == 0);

    // A damaged map is made again from the texts there are, shown and stored.
    memos.PutStoredMap(DayBit(1), true);
    CHECK(memos.Loaded() == all);
    CHECK(memos.StoredMap() == all);
    // Also when a save finds it damaged.
    memos.PutStoredMap(DayBit(1), true);
    CHECK(memos.Save(7, "seven") == MemoSaveResult::Saved);
    CHECK(memos.StoredMap() == (all | DayBit(7)));

    // Cancelling writes nothing; no registry key stays open.
    REQUIRE(memos.store.BeginEdit(3, text));
    memos.store.EndEdit();
    CHECK(memos.Read(3) == "three");
    CHECK(memos.registry.OpenKeyCount() == 0);
  }

  // A cancelled registry edit of a new month leaves its empty key behind.
  Memos memos;
  std::string text = "stale";
  REQUIRE(memos.store.BeginEdit(5, text));
  CHECK(text.empty());
  memos.store.EndEdit();
  CHECK(memos.registry.HasKey(kDecember));
  CHECK(memos.registry.ValueNames(kDecember).empty());
}

TEST_CASE("memo texts are one line of at most 64 bytes of whole characters, read whole") {
  const struct {
    std::string text, bound;
  } cases[] = {
      {x62 + "yz" + "tail", x62 + "yz"},  {x62 + "y" + kA, x62 + "y"},  // "あ" would end at byte 65
      {"first\r\nsecond", "first"},       {"first\nsecond", "first"},
      {kA + "\xB6\xC5", kA + "\xB6\xC5"},  // half-width katakana: one byte each
  };
  for (const auto& c : cases) CHECK(BoundMemoText(c.text) == c.bound);

  Memos memos;
  for (const int memoFile : {0, 1}) {
    CAPTURE(memoFile);
    memos.settings.MemoFile = memoFile;
    REQUIRE(memos.Save(2, x62 + "y" + kA) == MemoSaveResult::Saved);
    CHECK(memos.Read(2) == x62 + "y");
    // A 64-byte memo reads whole and stays whole when OK is pressed on it unchanged.
    std::string text;
    REQUIRE(memos.Save(4, x62 + kA) == MemoSaveResult::Saved);
    REQUIRE(memos.store.BeginEdit(4, text));
    CHECK(text == x62 + kA);
    CHECK(memos.store.CommitEdit(4, text) == MemoSaveResult::Saved);
    CHECK(memos.Read(4) == x62 + kA);
    // Longer texts that other writers left are read to whole characters.
    memos.PutText(6, x62 + "y" + kA + "zz");
    CHECK(memos.Read(6) == x62 + "y");
  }
}

TEST_CASE("a save cut short at any step leaves the old file whole and is reported") {
  Memos memos(1);
  REQUIRE(memos.Save(3, "kept") == MemoSaveResult::Saved);
  const std::string before = memos.files.Bytes(kFile2003);
  for (const FileStep step :
       {FileStep::Read, FileStep::Create, FileStep::Write, FileStep::Flush, FileStep::Replace}) {
    CAPTURE(static_cast<int>(step));
    memos.files.FailOn(step);
    CHECK(memos.Save(5, "lost") == MemoSaveResult::TextNotSaved);
    CHECK(memos.Save(3, "") == MemoSaveResult::TextNotSaved);
    memos.files.ClearFailures();
    CHECK(memos.files.Bytes(kFile2003) == before);
    CHECK(memos.files.Files().size() == 1);  // nothing left beside it
    CHECK(memos.store.MemoMap() == DayBit(3));
  }
  CHECK(memos.Save(5, "saved") == MemoSaveResult::Saved);
  CHECK(memos.StoredMap() == (DayBit(3) | DayBit(5)));
}

TEST_CASE("a registry text that was not stored does not look stored, and a lost map is made good") {
  Memos memos;
  REQUIRE(memos.Save(3, "kept") == MemoSaveResult::Saved);
  memos.registry.FailOn(RegistryOp::Write, kDecember, "5");
  memos.registry.FailOn(RegistryOp::Delete, kDecember, "3");
  CHECK(memos.Save(5, "lost") == MemoSaveResult::TextNotSaved);
  CHECK(memos.store.MemoMap() == DayBit(3));
  CHECK(memos.Entry(5) == "(none)");
  CHECK(memos.Save(3, "") == MemoSaveResult::TextNotSaved);  // a failed delete keeps it
  CHECK(memos.Read(3) == "kept");
  CHECK(memos.StoredMap() == DayBit(3));
  memos.registry.ClearFailures();

  // Only the map's write fails: the text is kept and shown, and the month's next save
  // writes the map with it.
  memos.registry.FailOn(RegistryOp::Write, kDecember, "MapOfMemo");
  CHECK(memos.Save(5, "text only") == MemoSaveResult::MapNotSaved);
  CHECK(memos.Read(5) == "text only");
  CHECK(memos.store.MemoMap() == (DayBit(3) | DayBit(5)));
  CHECK(memos.StoredMap() == DayBit(3));
  CHECK(memos.Save(3, "") == MemoSaveResult::MapNotSaved);
  CHECK(memos.Loaded() == DayBit(5));
  memos.registry.ClearFailures();
  CHECK(memos.Save(9, "nine") == MemoSaveResult::Saved);
  CHECK(memos.StoredMap() == (DayBit(5) | DayBit(9)));
  CHECK(memos.registry.OpenKeyCount() == 0);
}

TEST_CASE("nothing is written without the lock, and a store that cannot be opened offers no edit") {
  for (const int memoFile : {0, 1}) {
    CAPTURE(memoFile);
    Memos memos(memoFile);
    REQUIRE(memos.Save(5, "memo") == MemoSaveResult::Saved);
    memos.lock.refuse = true;
    CHECK(memos.Save(5, "other") == MemoSaveResult::TextNotSaved);
    CHECK(memos.Read(5) == "memo");
    CHECK(memos.store.MemoMap() == DayBit(5));
    memos.PutStoredMap(0, true);  // a damaged map is still shown from the texts
    CHECK(memos.Loaded() == DayBit(5));
  }

  Memos memos;
  REQUIRE(memos.Save(5, "memo") == MemoSaveResult::Saved);
  memos.registry.FailOn(RegistryOp::Open, kDecember);
  memos.registry.FailOn(RegistryOp::Create, kDecember);
  CHECK(memos.Loaded() == 0);
  CHECK(memos.Read(5) == "(none)");
  std::string text;
  CHECK_FALSE(memos.store.BeginEdit(5, text));
  CHECK(memos.store.CommitEdit(5, "x") == MemoSaveResult::TextNotSaved);
}

TEST_CASE("profile text: changed lines in place, other lines and a byte-order mark kept") {
  const std::string head = "\xEF\xBB\xBF[ 12 ]\n", note = "; note\n\n[1]\r\n5=five\r\nM=10";
  const std::string file = head + "1 = one\n" + note;
  CHECK(ProfileValue(file, "12", "1") == "one");
  CHECK(ProfileValue(file, "1", "m") == "10");
  CHECK_FALSE(ProfileValue(file, "12", "5").has_value());
  CHECK(SetProfileValue(file, "12", "1", "ONE") == head + "1=ONE\n" + note);
  CHECK(SetProfileValue(file, "12", "2", "two") ==
        head + "1 = one\n; note\n2=two\r\n\n[1]\r\n5=five\r\nM=10");
  CHECK(SetProfileValue(file, "1", "6", "six") == file + "\r\n6=six\r\n");
  CHECK(SetProfileValue(file, "2", "1", "x") == file + "\r\n[2]\r\n1=x\r\n");
  CHECK(RemoveProfileValue(file, "1", "5") == head + "1 = one\n; note\n\n[1]\r\nM=10");
  CHECK(RemoveProfileValue(file, "3", "5") == file);
  // A value the reader would trim or unquote is written in quotes that it takes off again.
  CHECK(ProfileValue("[1]\n1= \"a\" \n2='b'\n3=\"c'\n", "1", "1") == "a");
  CHECK(ProfileValue("[1]\n1= \"a\" \n2='b'\n3=\"c'\n", "1", "2") == "b");
  CHECK(ProfileValue("[1]\n1= \"a\" \n2='b'\n3=\"c'\n", "1", "3") == "\"c'");
  for (const std::string value : {"\"a\"", "'b'", " c ", "\"", "d\""}) {
    CHECK(ProfileValue(SetProfileValue(file, "12", "1", value), "12", "1") == value);
  }
  CHECK(SetProfileValue(file, "2", "1", "x\"") == file + "\r\n[2]\r\n1=x\"\r\n");
  // A last line ended by a bare CR (an editor's) is ended, not given a second CR.
  CHECK(SetProfileValue("[1]\r\n1=a\r", "1", "2", "b") == "[1]\r\n1=a\r\n2=b\r\n");
}

TEST_CASE("a month's map in a memo file: ten characters with a checksum, checked when read") {
  CHECK(EncodeProfileStruct(0x80000001) == "0100008081");  // the checksum wraps at a byte
  CHECK(DecodeProfileStruct("0100008081") == 0x80000001u);
  CHECK(DecodeProfileStruct("ab000000ab") == 0xABu);
  for (const char* damaged : {"0500000006", "05000000", "050000000500", "05000000G5", ""}) {
    CHECK_FALSE(DecodeProfileStruct(damaged).has_value());
  }
}
