// The store contract against the real registry, on a throwaway key of this process that is
// deleted again after each run; the settings in a key the user may only read, and the messages
// about a save refused and a value that cannot be read.
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <functional>
#include <string>

#include "CalendarHarness.h"
#include "app/MessageBoxReporter.h"
#include "framework/ResourceText.h"
#include "res/ResourceIds.h"
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

// The text of the message box that `action` shows, closed; empty when it shows none.
std::string MessageShownBy(const std::function<void()>& action) {
  std::string shown;
  tembori::testing::DuringModalLoop(action, [&] {
    const HWND box = FindWindowA("#32770", nullptr);
    char text[512] = {};
    if (!IsWindowVisible(box) || GetDlgItemTextA(box, 0xFFFF, text, sizeof text) == 0) return false;
    shown = text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return true;
  });
  return shown;
}

}  // namespace

TEST_CASE("settings the user may read but not change are read, and a save is refused aloud") {
  using namespace tembori;
  const ReadOnlyKey locked(kConfigKey);
  HKEY probe = nullptr;
  REQUIRE_MESSAGE(
      RegOpenKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, KEY_WRITE, &probe) != ERROR_SUCCESS,
      "the registry does not refuse writing to the key");
  RegistryStore store;
  MessageBoxReporter reporter;
  Settings settings;
  CHECK(MessageShownBy([&] { LoadSettings(settings, store, reporter); }).empty());
  CHECK(settings.MemoTime == 9);
  std::unique_ptr<StoreKey> key;
  CHECK(store.OpenKeyToWrite(kConfigKey, key) == StoreResult::Failed);
  CHECK(MessageShownBy([&] { SaveSettings(settings, store, reporter); }) ==
        LoadResourceString(IDS_REGISTRY_OPEN_FAILED));
}

TEST_CASE("a value that cannot be read is named, with its default said") {
  using namespace tembori;
  RegDeleteTreeA(HKEY_CURRENT_USER, kConfigKey);
  const unsigned long long longDelay = 12;
  REQUIRE(RegSetKeyValueA(HKEY_CURRENT_USER, kConfigKey, "MemoTime", REG_QWORD, &longDelay,
                          sizeof longDelay) == ERROR_SUCCESS);
  RegistryStore store;
  MessageBoxReporter reporter;
  Settings settings;
  const std::string shown = MessageShownBy([&] { LoadSettings(settings, store, reporter); });
  RegDeleteTreeA(HKEY_CURRENT_USER, kConfigKey);
  CHECK(shown == LoadResourceString(IDS_REGISTRY_READ_FAILED) + "MemoTime\n" +
                     LoadResourceString(IDS_VALUE_REPLACED_BY_DEFAULT));
  CHECK(settings.MemoTime == Settings().MemoTime);
}
