// The memo store on the real registry, real memo files and the real store lock, showing the
// month of a fixed today; the registry's memos and the directory's memo files are removed
// before and after.
#pragma once

#include <string>

#include "memo/win32/NamedStoreLock.h"
#include "memo/win32/PrivateProfileFile.h"
#include "settings/win32/RegistryStore.h"
#include "tests/common/MemoFixture.h"

namespace tembori::testing {

using RealMemoStore = MemoFixture<RegistryStore, PrivateProfileFile, NamedStoreLock>;

struct RealMemos : RealMemoStore {
  // Memo files in `directory` (with its backslash); empty for one of this process's own.
  explicit RealMemos(const SystemTime& today, int memoFile = 0, std::string directory = {});
  ~RealMemos();
  RealMemos(const RealMemos&) = delete;
  RealMemos& operator=(const RealMemos&) = delete;

  std::string directory;  // with its backslash
};

}  // namespace tembori::testing
