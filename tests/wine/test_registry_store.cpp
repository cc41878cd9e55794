// The store contract against the real registry, on a throwaway key of this process that is
// deleted again after each run.
#include <windows.h>

#include <string>

#include "settings/win32/RegistryStore.h"
#include "tests/common/StoreContract.h"

namespace {

constexpr char kTestParent[] = "Software\\TemboriTest";

struct RegistryFixture {
  RegistryFixture() { RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str()); }
  ~RegistryFixture() {
    RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestParent);  // fails while other runs still use it
  }
  tembori::KeyValueStore& WriteProtected(const std::string&) { return readOnly; }

  const std::string root = std::string(kTestParent) + "\\" + std::to_string(GetCurrentProcessId());
  tembori::RegistryStore store, readOnly{KEY_READ};
};

}  // namespace

TYPE_TO_STRING(RegistryFixture);
TEST_CASE_TEMPLATE_INVOKE(store_contract, RegistryFixture);
