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

// December 2003 is shown; memos go to the registry until MemoFile is set.
struct Memos {
  Memos() { store.SetProgramDir("C:\\Tembori\\"); }

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
  DayMask StoredMap() const {
    if (settings.MemoFile != 0) {
      return DecodeProfileStruct(files.Text(kFile2003, "12", "MapOfMemo")).value_or(0xDEAD);
    }
    std::uint32_t map = 0xDEAD;
    registry.ReadDword(kDecember, "MapOfMemo", map);
    return map;
  }
  // The day's entry as the store holds it.
  std::string Entry(int day) const {
    const std::string name = std::to_string(day);
    if (settings.MemoFile != 0) {
      return files.Has(kFile2003, "12", name) ? files.Text(kFile2003, "12", name) : "(none)";
    }
    const MemoryStore::Value* value = registry.Find(kDecember, name);
    return value != nullptr ? std::string(value->data.begin(), value->data.end()) : "(none)";
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
  CHECK(memos.store.MemoMap() == DayBit(5));

  memos.settings.MemoFile = 1;
  CHECK(memos.Loaded() == 0);  // switching stores moves nothing
  CHECK(memos.Read(5) == "(none)");
  CHECK(memos.Save(5, "File") == MemoSaveResult::Saved);
  CHECK(memos.files.Text(kFile2003, "12", "5") == "File");
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
  // Without a program directory the file has no directory part.
  memos.store.SetProgramDir("");
  CHECK(memos.store.FileName() == "tb2003.mem");
  CHECK(memos.registry.OpenKeyCount() == 0);
}

TEST_CASE("saves in either store: deleting, other copies' days, a damaged map, cancelling") {
  for (const int memoFile : {0, 1}) {
    CAPTURE(memoFile);
    Memos memos;
    memos.settings.MemoFile = memoFile;
    REQUIRE(memos.Save(1, "one") == MemoSaveResult::Saved);
    REQUIRE(memos.Save(3, "three") == MemoSaveResult::Saved);
    CHECK(memos.StoredMap() == 5);
    if (memoFile != 0) CHECK(memos.files.Text(kFile2003, "12", "MapOfMemo") == "0500000005");

    // Saving an empty text removes the entry and only its bit.
    std::string text;
    REQUIRE(memos.store.BeginEdit(1, text));
    CHECK(text == "one");
    CHECK(memos.store.CommitEdit(1, "") == MemoSaveResult::Saved);
    CHECK(memos.Entry(1) == "(none)");
    CHECK(memos.StoredMap() == DayBit(3));
    CHECK(memos.Read(3) == "three");

    // Another copy of the program stores day 9 while this one's dialog is open.
    REQUIRE(memos.store.BeginEdit(20, text));
    CHECK(text.empty());
    if (memoFile != 0) {
      memos.files.Put(kFile2003, "12", "MapOfMemo", EncodeProfileStruct(DayBit(3) | DayBit(9)));
    } else {
      memos.registry.PutDword(kDecember, "MapOfMemo", DayBit(3) | DayBit(9));
    }
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

    // Cancelling writes nothing.
    REQUIRE(memos.store.BeginEdit(3, text));
    memos.store.EndEdit();
    CHECK(memos.Read(3) == "three");
    CHECK(memos.registry.OpenKeyCount() == 0);
  }
}

TEST_CASE("a cancelled registry edit of a new month leaves its empty key behind") {
  Memos memos;
  CHECK_FALSE(memos.registry.HasKey(kDecember));
  std::string text = "stale";
  REQUIRE(memos.store.BeginEdit(5, text));
  CHECK(text.empty());
  CHECK(memos.registry.OpenKeyCount() == 1);  // open while the dialog runs
  memos.store.EndEdit();
  CHECK(memos.registry.OpenKeyCount() == 0);
  CHECK(memos.registry.HasKey(kDecember));
  CHECK(memos.registry.ValueNames(kDecember).empty());
  CHECK(memos.Loaded() == 0);
}

TEST_CASE("memo texts are one line of at most 64 bytes of whole characters") {
  const std::string x62(62, 'x');
  CHECK(BoundMemoText(x62 + "yz" + "tail") == x62 + "yz");
  CHECK(BoundMemoText(x62 + "y" + kA) == x62 + "y");  // "あ" would end at byte 65
  CHECK(BoundMemoText("first\r\nsecond") == "first");
  CHECK(BoundMemoText("first\nsecond") == "first");
  CHECK(BoundMemoText(kA + "\xB6\xC5") == kA + "\xB6\xC5");  // half-width katakana: one byte

  Memos memos;
  for (const int memoFile : {0, 1}) {
    memos.settings.MemoFile = memoFile;
    REQUIRE(memos.Save(2, x62 + "y" + kA) == MemoSaveResult::Saved);
    CHECK(memos.Read(2) == x62 + "y");
    REQUIRE(memos.Save(2, "line\none") == MemoSaveResult::Saved);
    CHECK(memos.Read(2) == "line");
  }

  // A memo file gives back 63 bytes, never half a character.
  memos.settings.MemoFile = 1;
  memos.files.Put(kFile2003, "12", "4", x62 + kA);
  CHECK(memos.Read(4) == x62);
  memos.files.Put(kFile2003, "12", "4", x62 + "yz");
  CHECK(memos.Read(4) == x62 + "y");
  std::string text;
  REQUIRE(memos.store.BeginEdit(4, text));
  CHECK(text == x62 + "y");
  memos.store.EndEdit();
}

TEST_CASE("a text that was not stored does not look stored") {
  for (const int memoFile : {0, 1}) {
    CAPTURE(memoFile);
    Memos memos;
    memos.settings.MemoFile = memoFile;
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
    memos.files.ClearFailures();
    memos.registry.ClearFailures();

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
    memos.files.ClearFailures();
    memos.registry.ClearFailures();
    CHECK(memos.Save(9, "nine") == MemoSaveResult::Saved);
    CHECK(memos.StoredMap() == (DayBit(5) | DayBit(9)));
    CHECK(memos.registry.OpenKeyCount() == 0);
  }
}

TEST_CASE("a store that cannot be opened reads as empty and offers no edit") {
  Memos memos;
  REQUIRE(memos.Save(5, "memo") == MemoSaveResult::Saved);
  memos.registry.FailOn(RegistryOp::Open, kDecember);
  CHECK(memos.Loaded() == 0);
  CHECK(memos.Read(5) == "(none)");
  memos.registry.FailOn(RegistryOp::Create, kDecember);
  std::string text;
  CHECK_FALSE(memos.store.BeginEdit(5, text));
  CHECK(memos.store.CommitEdit(5, "x") == MemoSaveResult::TextNotSaved);
  memos.registry.ClearFailures();
  CHECK(memos.Read(5) == "memo");

  memos.settings.MemoFile = 1;
  memos.files.Put(kFile2003, "12", "5", "file memo");
  memos.files.Put(kFile2003, "12", "MapOfMemo", EncodeProfileStruct(DayBit(5)));
  memos.files.FailOn(FileOp::Read);
  memos.files.FailOn(FileOp::ReadStruct);
  CHECK(memos.Loaded() == 0);
  CHECK(memos.Read(5) == "(none)");
}

TEST_CASE("profile records: four bytes low first and their sum, checked when read") {
  CHECK(EncodeProfileStruct(5) == "0500000005");
  CHECK(EncodeProfileStruct(0x80000001) == "0100008081");
  CHECK(EncodeProfileStruct(0xFFFFFFFF) == "FFFFFFFFFC");
  CHECK(DecodeProfileStruct("FFFFFFFFFC") == 0xFFFFFFFFu);
  CHECK(DecodeProfileStruct("ab000000ab") == 0xABu);
  for (const char* damaged : {"0500000006", "05000000", "050000000500", "05000000G5", ""}) {
    CHECK_FALSE(DecodeProfileStruct(damaged).has_value());
  }
  CHECK(MemoDateLabel(12, 5) == "12/5");
  CHECK(MemoDateLabel(1, 1) == "1/1");
}
