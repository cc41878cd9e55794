// The memo store over the in-memory registry and profile files: where memos go in each store,
// the month's map and how a save changes it, texts bounded to whole characters, and what a
// failing write leaves behind.
#include <doctest.h>

#include <string>

#include "calendar/FixedClock.h"
#include "memo/MemoStore.h"
#include "memo/MemoryProfileFile.h"
#include "memo/ProfileStruct.h"
#include "settings/MemoryStore.h"

using namespace tembori;

namespace {

using RegistryOp = MemoryStore::Operation;
using FileOp = MemoryProfileFile::Operation;

constexpr char kDecember[] = "Software\\Tembori\\Memo\\1996\\12";
constexpr char kFile2003[] = "C:\\Tembori\\tb2003.mem";
const std::string kA = "\x82\xA0";  // "あ" in Shift-JIS
const std::string x62(62, 'x');

// December 2003 is shown; memos go to the registry until MemoFile is set.
struct Memos {
  explicit Memos(int memoFile = 0) {
    settings.MemoFile = memoFile;
    store.SetProgramDir("C:\\Tembori\\");
  }

  MemoSaveResult Save(int day, const std::string& text) {
    std::string old;
    REQUIRE(store.BeginEdit(day, old));
    return store.CommitEdit(day, text);
  }
  std::string Read(int day) {
    std::string text;
    return store.ReadMemo(day, text) ? text : "(none)";
  }
  DayMask Loaded() {
    store.LoadMonthMap();
    return store.MemoMap();
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
  void PutStoredMap(DayMask map) {
    if (settings.MemoFile != 0) {
      files.Put(kFile2003, "12", "MapOfMemo", EncodeProfileStruct(map));
    } else {
      registry.PutDword(kDecember, "MapOfMemo", map);
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
  void ClearFailures() {
    files.ClearFailures();
    registry.ClearFailures();
  }

  FixedClock clock{MakeDate(2003, 12, 5)};
  MemoryStore registry;
  MemoryProfileFile files;
  Settings settings;
  MonthCalendar calendar{clock, registry, settings};
  MemoStore store{calendar, settings, registry, files};
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
  CHECK(memos.files.Text(kFile2003, "12", "MapOfMemo") == "1000000010");

  memos.calendar.SetYear(2004);
  CHECK(memos.Loaded() == 0);
  CHECK(memos.Read(5) == "(none)");
  memos.settings.MemoFile = 0;
  CHECK(memos.Loaded() == DayBit(5));
  CHECK(memos.Read(5) == "Registry");
  memos.calendar.SetYear(2003);
  memos.settings.MemoFile = 1;
  CHECK(memos.Loaded() == DayBit(5));
  CHECK(memos.Read(5) == "File");
  memos.store.SetProgramDir("");  // without a program directory, no directory part
  CHECK(memos.store.FileName() == "tb2003.mem");
}

TEST_CASE("saves in either store: deleting, other copies' days, a damaged map, cancelling") {
  for (const int memoFile : {0, 1}) {
    CAPTURE(memoFile);
    Memos memos(memoFile);
    REQUIRE(memos.Save(1, "one") == MemoSaveResult::Saved);
    REQUIRE(memos.Save(3, "three") == MemoSaveResult::Saved);
    CHECK(memos.StoredMap() == 5);

    // Saving an empty text removes the entry and only its bit.
    std::string text;
    REQUIRE(memos.store.BeginEdit(1, text));
    CHECK(text == "one");
    CHECK(memos.store.CommitEdit(1, "") == MemoSaveResult::Saved);
    CHECK(memos.Entry(1) == "(none)");
    CHECK(memos.StoredMap() == DayBit(3));

    // Another copy of the program stores day 9 while this one's dialog is open.
    REQUIRE(memos.store.BeginEdit(20, text));
    memos.PutStoredMap(DayBit(3) | DayBit(9));
    CHECK(memos.store.CommitEdit(20, "twenty") == MemoSaveResult::Saved);
    CHECK(memos.store.MemoMap() == (DayBit(3) | DayBit(9) | DayBit(20)));
    CHECK(memos.StoredMap() == memos.store.MemoMap());

    // A damaged map shows no marks, yet the texts still read; the next save writes a map
    // with the saved day alone.
    if (memoFile != 0) {
      memos.files.Put(kFile2003, "12", "MapOfMemo", "0500000006");
    } else {
      memos.registry.Put(kDecember, "MapOfMemo", kTypeQword, {5, 0, 0, 0, 0, 0, 0, 0});
    }
    CHECK(memos.Loaded() == 0);
    CHECK(memos.Read(3) == "three");
    CHECK(memos.Save(7, "seven") == MemoSaveResult::Saved);
    CHECK(memos.StoredMap() == DayBit(7));

    // Cancelling writes nothing; the registry key stays open only while the dialog runs.
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

TEST_CASE("memo texts are one line of at most 64 bytes of whole characters") {
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
    memos.settings.MemoFile = memoFile;
    REQUIRE(memos.Save(2, x62 + "y" + kA) == MemoSaveResult::Saved);
    CHECK(memos.Read(2) == x62 + "y");
  }

  // A memo file gives back 63 bytes, never half a character, to the pop-up and the dialog.
  memos.files.Put(kFile2003, "12", "4", x62 + kA);
  CHECK(memos.Read(4) == x62);
  memos.files.Put(kFile2003, "12", "4", x62 + "yz");
  std::string text;
  REQUIRE(memos.store.BeginEdit(4, text));
  CHECK(text == x62 + "y");
  memos.store.EndEdit();
}

TEST_CASE("a text that was not stored does not look stored") {
  for (const int memoFile : {0, 1}) {
    CAPTURE(memoFile);
    Memos memos(memoFile);
    REQUIRE(memos.Save(3, "kept") == MemoSaveResult::Saved);

    // Writing the text fails, as in a read-only program directory: the map stays as stored.
    if (memoFile != 0) {
      memos.files.FailOn(FileOp::Write);
      memos.files.FailOn(FileOp::Delete);
    } else {
      memos.registry.FailOn(RegistryOp::Write, kDecember, "5");
      memos.registry.FailOn(RegistryOp::Delete, kDecember, "3");
    }
    CHECK(memos.Save(5, "lost") == MemoSaveResult::TextNotSaved);
    CHECK(memos.store.MemoMap() == DayBit(3));
    CHECK(memos.Entry(5) == "(none)");
    CHECK(memos.StoredMap() == DayBit(3));
    CHECK(memos.Save(3, "") == MemoSaveResult::TextNotSaved);  // a failed delete keeps it
    CHECK(memos.store.MemoMap() == DayBit(3));
    CHECK(memos.Read(3) == "kept");
    memos.ClearFailures();

    // Only the map's write fails: the text is kept and shown, and the month's next save
    // writes the map with it.
    if (memoFile != 0) {
      memos.files.FailOn(FileOp::WriteStruct);
    } else {
      memos.registry.FailOn(RegistryOp::Write, kDecember, "MapOfMemo");
    }
    CHECK(memos.Save(5, "text only") == MemoSaveResult::MapNotSaved);
    CHECK(memos.Read(5) == "text only");
    CHECK(memos.store.MemoMap() == (DayBit(3) | DayBit(5)));
    CHECK(memos.StoredMap() == DayBit(3));
    CHECK(memos.Save(3, "") == MemoSaveResult::MapNotSaved);
    CHECK(memos.Loaded() == DayBit(5));  // the month shown again shows what is stored
    memos.ClearFailures();
    CHECK(memos.Save(9, "nine") == MemoSaveResult::Saved);
    CHECK(memos.StoredMap() == (DayBit(5) | DayBit(9)));
    CHECK(memos.registry.OpenKeyCount() == 0);
  }
}

TEST_CASE("a store that cannot be opened reads as empty and offers no edit") {
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

TEST_CASE("profile records: four bytes low first and their sum, checked when read") {
  for (const std::uint32_t value : {0u, 5u, 0x80000001u, 0xFFFFFFFFu}) {
    CHECK(DecodeProfileStruct(EncodeProfileStruct(value)) == value);
  }
  CHECK(EncodeProfileStruct(0x80000001) == "0100008081");
  CHECK(DecodeProfileStruct("ab000000ab") == 0xABu);
  for (const char* damaged : {"0500000006", "05000000", "050000000500", "05000000G5", ""}) {
    CHECK_FALSE(DecodeProfileStruct(damaged).has_value());
  }
}
