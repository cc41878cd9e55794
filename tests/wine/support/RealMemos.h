// The memo store on the real registry and real memo files, in a directory of this process's
// own, showing the month of a fixed today; the registry's memos are removed before and after.
#pragma once

#include <string>

#include "calendar/FixedClock.h"
#include "memo/MemoStore.h"
#include "memo/win32/PrivateProfileFile.h"
#include "settings/win32/RegistryStore.h"

namespace tembori::testing {

struct RealMemos {
  explicit RealMemos(const SystemTime& today);
  ~RealMemos();
  RealMemos(const RealMemos&) = delete;
  RealMemos& operator=(const RealMemos&) = delete;

  MemoSaveResult Save(int day, const std::string& text);
  // "(none)" for a day without a memo.
  std::string Read(int day);

  std::string directory;  // with its backslash
  FixedClock clock;
  RegistryStore registry;
  PrivateProfileFile files;
  Settings settings;
  MonthCalendar calendar{clock, registry, settings};
  MemoStore store{calendar, settings, registry, files};
};

}  // namespace tembori::testing
