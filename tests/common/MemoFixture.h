// A memo store over a registry, memo files and a lock of the test's choosing, showing the
// month of `today`, with the few steps every memo test takes.
#pragma once

#include <doctest.h>

#include <string>

#include "calendar/FixedClock.h"
#include "memo/MemoStore.h"

template <typename Registry, typename Files, typename Lock>
struct MemoFixture {
  explicit MemoFixture(tembori::SystemTime today, int memoFile = 0) : clock(today) {
    settings.MemoFile = memoFile;
  }

  tembori::MemoSaveResult Save(int day, const std::string& text) {
    std::string old;
    REQUIRE(store.BeginEdit(day, old));
    return store.CommitEdit(day, text);
  }
  std::string Read(int day) {
    std::string text;
    return store.ReadMemo(day, text) ? text : "(none)";
  }
  tembori::DayMask Loaded() {
    store.LoadMonthMap();
    return store.MemoMap();
  }

  tembori::FixedClock clock;
  Registry registry;
  Files files;
  Lock lock;
  tembori::Settings settings;
  tembori::MonthCalendar calendar{clock, registry, settings};
  tembori::MemoStore store{calendar, settings, registry, files, lock};
};
