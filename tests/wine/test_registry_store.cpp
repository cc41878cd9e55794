// The store contract against the real registry, on a throwaway key of this process that is
// deleted again after each run, and the settings in a key the user may only read.
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <string>
#include <vector>

#include "settings/Settings.h"
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
  const std::string root = std::string(kTestParent) + "\\" + std::to_string(GetCurrentProcessId());
  tembori::RegistryStore store;
};

}  // namespace

TYPE_TO_STRING(RegistryFixture);
TEST_CASE_TEMPLATE_INVOKE(store_contract, RegistryFixture);

namespace {

// Lets everyone read the key but no one change it, until destroyed; the key is removed then.
class ReadOnlyKey {
 public:
  explicit ReadOnlyKey(const char* path) : path_(path) {
    HKEY key = nullptr;
    REQUIRE(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) == ERROR_SUCCESS);
    const DWORD delay = 9;
    RegSetValueExA(key, "MemoTime", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&delay),
                   sizeof delay);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    REQUIRE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                                 &descriptor, nullptr));
    CHECK(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS);
    LocalFree(descriptor);
    RegCloseKey(key);
  }
  ~ReadOnlyKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
      SECURITY_DESCRIPTOR open{};
      InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
      SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);
      RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &open);
      RegCloseKey(key);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, path_);
    RegDeleteKeyA(HKEY_CURRENT_USER, path_);
  }

 private:
  const char* path_;
};

struct RecordingReporter : tembori::ErrorReporter {
  void Report(tembori::SettingsFailure failure, std::string_view) override {
    reports.push_back(failure);
  }
  std::vector<tembori::SettingsFailure> reports;
};

}  // namespace

TEST_CASE("settings the user may read but not change are read, and a save is refused aloud") {
  using namespace tembori;
  const ReadOnlyKey locked(kConfigKey);
  HKEY probe = nullptr;
  REQUIRE_MESSAGE(
      RegOpenKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, KEY_WRITE, &probe) != ERROR_SUCCESS,
      "the registry does not refuse writing to the key");
  RegistryStore store;
  RecordingReporter reporter;
  Settings settings;
  LoadSettings(settings, store, reporter);
  CHECK(settings.MemoTime == 9);
  CHECK(reporter.reports.empty());
  std::unique_ptr<StoreKey> key;
  CHECK(store.OpenKeyToWrite(kConfigKey, key) == StoreResult::Failed);
  SaveSettings(settings, store, reporter);
  CHECK(reporter.reports == std::vector<SettingsFailure>{SettingsFailure::KeyNotCreated});
}
