// The user's marks: toggling, their storage per year and month, reconciliation with a change
// of the weekly days off, and what a failing or odd store does to them.
#include <doctest.h>

#include <cstdint>

#include "calendar/StandaloneCalendar.h"

namespace tembori {
namespace {

constexpr char k2024[] = "Software\\Tembori\\Holiday\\2024";
constexpr char k2025[] = "Software\\Tembori\\Holiday\\2025";
constexpr char k2026[] = "Software\\Tembori\\Holiday\\2026";

DayMask Days(std::initializer_list<int> days) {
  DayMask mask = 0;
  for (const int day : days) mask |= DayBit(day);
  return mask;
}

// May 2024: the 1st is a Wednesday; the 3rd to 5th are holidays, the 6th their substitute.
struct May2024 {
  May2024() : core(MakeDate(2024, 5, 10)) { calendar.RecomputeYear(); }
  std::uint32_t Stored(const char* key, const char* name) const {
    std::uint32_t value = 0;
    REQUIRE(store.ReadDword(key, name, value));
    return value;
  }
  StandaloneCalendar core;
  MonthCalendar& calendar = core.calendar;
  MemoryStore& store = core.store;
  const DayMask computed = Days({3, 4, 5, 6, 11, 12, 18, 19, 25, 26});  // before any mark
};

TEST_CASE_FIXTURE(May2024, "a mark turns its day around and is stored per month") {
  REQUIRE(calendar.DayOffMask() == computed);
  calendar.ToggleMark(3);  // a holiday becomes a working day but keeps its circle
  CHECK_FALSE(calendar.IsDayOff(3));
  CHECK(calendar.IsNationalHoliday(3));
  // The first mark of a year records the weekly days off it was made against.
  CHECK(Stored(k2024, "RegularHoliday") == 0x183060C1);
  for (const int day : {8, 6, 0, -1, 32}) calendar.ToggleMark(day);
  CHECK(Stored(k2024, "5") == Days({3, 6, 8}));
  calendar.NextMonth();
  calendar.ToggleMark(31);  // June has 30 days
  CHECK(store.Find(k2024, "6") == nullptr);
  calendar.PrevMonth();  // May's marks read back from the store
  CHECK(calendar.DayOffMask() == (computed ^ Days({3, 6, 8})));
  for (const int day : {3, 6, 8}) calendar.ToggleMark(day);
  CHECK(store.Find(k2024, "5") == nullptr);  // the last mark takes the value with it
  CHECK(calendar.DayOffMask() == computed);
}

TEST_CASE_FIXTURE(May2024, "changing the weekly days off drops the marks it made meaningless") {
  calendar.ToggleMark(11);  // Saturday: working day
  calendar.ToggleMark(8);   // Wednesday: day off
  calendar.NextMonth();
  calendar.ToggleMark(1);  // Saturday, June's only mark
  calendar.PrevMonth();
  store.PutDword(k2025, "RegularHoliday", 0x183060C1);
  store.PutDword(k2025, "5", Days({10}));  // a Saturday
  store.PutDword(k2026, "5", Days({10}));  // a Sunday, in a year without a weekly mask

  core.settings.WeekdayOff[6] = 0;
  BuildWeeklyMask(core.settings);
  calendar.ReconcileWeeklyMarks();
  CHECK(Stored(k2024, "RegularHoliday") == SundayPattern);
  CHECK(Stored(k2024, "5") == Days({8}));
  CHECK(store.Find(k2024, "6") == nullptr);
  CHECK(Stored(k2025, "5") == Days({10}));  // until 2025 is shown
  CHECK(calendar.SetYear(2025));
  CHECK(store.Find(k2025, "5") == nullptr);
  CHECK(calendar.SetYear(2026));
  CHECK_FALSE(calendar.IsDayOff(10));
}

TEST_CASE_FIXTURE(May2024, "a mark that cannot be stored changes nothing, an odd one is ignored") {
  store.FailOn(MemoryStore::Operation::Create, k2024);
  calendar.ToggleMark(7);
  CHECK(calendar.DayOffMask() == computed);
  CHECK_FALSE(store.HasKey(k2024));

  store.ClearFailures();
  store.Put(k2024, "5", kTypeQword, {0x80, 0, 0, 0, 0, 0, 0, 0});  // too long to be a mask
  calendar.ComputeDayOffMask();
  CHECK(calendar.DayOffMask() == computed);
  calendar.ToggleMark(9);  // replaced by a proper value
  CHECK(Stored(k2024, "5") == Days({9}));
}

}  // namespace
}  // namespace tembori
