// The store contract and a settings round trip against the real registry, on a throwaway
// key of this process that is deleted again after each run.
#include <windows.h>

#include <string>

#include "res/ResourceIds.h"
#include "settings/Settings.h"
#include "settings/win32/RegistryKey.h"
#include "settings/win32/RegistryStore.h"
#include "tests/common/StoreContract.h"

namespace {

using namespace tembori;

constexpr char kTestParent[] = "Software\\TemboriTest";

class RegistryFixture {
 public:
  RegistryFixture()
      : root_(std::string(kTestParent) + "\\" + std::to_string(GetCurrentProcessId())) {
    RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
  }
  ~RegistryFixture() {
    RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestParent);  // fails while other runs still use it
  }

  KeyValueStore& Store() { return store_; }
  std::string Root() const { return root_; }
  void PutRaw(const std::string& path, const char* name, DWORD type,
              const std::vector<std::uint8_t>& bytes) {
    RegistryKey key;
    REQUIRE(CreateRegistryKey(HKEY_CURRENT_USER, path.c_str(), KEY_ALL_ACCESS, key, nullptr) ==
            ERROR_SUCCESS);
    REQUIRE(RegSetValueExA(key.Get(), name, 0, type, bytes.data(),
                           static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS);
  }
  KeyValueStore& WriteProtected(const std::string&) { return readOnly_; }

 private:
  const std::string root_;
  RegistryStore store_;
  RegistryStore readOnly_{KEY_READ};
};

// Puts every path below the fixture's root, so the program's own keys stay untouched.
class RootedStore : public KeyValueStore {
 public:
  RootedStore(KeyValueStore& store, std::string root) : store_(store), root_(std::move(root)) {}
  StoreResult OpenKey(std::string_view path, std::unique_ptr<StoreKey>& key) override {
    return store_.OpenKey(Below(path), key);
  }
  StoreResult CreateKey(std::string_view path, std::unique_ptr<StoreKey>& key,
                        bool* createdNew) override {
    return store_.CreateKey(Below(path), key, createdNew);
  }

 private:
  std::string Below(std::string_view path) const { return root_ + "\\" + std::string(path); }
  KeyValueStore& store_;
  const std::string root_;
};

struct RecordingReporter : ErrorReporter {
  void Report(std::uint32_t stringId, std::string_view valueName) override {
    reports.emplace_back(stringId, std::string(valueName));
  }
  std::vector<std::pair<std::uint32_t, std::string>> reports;
};

}  // namespace

TYPE_TO_STRING(RegistryFixture);
TEST_CASE_TEMPLATE_INVOKE(store_contract, RegistryFixture);

TEST_CASE("settings survive a round trip through the registry") {
  RegistryFixture fixture;
  RootedStore store(fixture.Store(), fixture.Root());
  RecordingReporter reporter;
  Settings saved;
  saved.WeekdayOff = {0, 0, 0, 1, 0, 0, 0};
  saved.TypeFace = "Courier New";
  saved.CharSet = 0;
  SaveSettings(saved, store, reporter);
  REQUIRE(reporter.reports.empty());

  const std::string config = fixture.Root() + "\\" + kConfigKey;
  RegistryKey key;
  REQUIRE(OpenRegistryKey(HKEY_CURRENT_USER, config.c_str(), KEY_READ, key) == ERROR_SUCCESS);
  DWORD type = REG_NONE;
  DWORD size = 0;
  REQUIRE(RegQueryValueExA(key.Get(), "TypeFace", nullptr, &type, nullptr, &size) == ERROR_SUCCESS);
  CHECK(type == REG_SZ);
  CHECK(size == 12);
  REQUIRE(RegQueryValueExA(key.Get(), "RegularHoliday", nullptr, &type, nullptr, &size) ==
          ERROR_SUCCESS);
  CHECK(type == REG_DWORD);
  CHECK(size == 4);

  Settings loaded;
  LoadSettings(loaded, store, reporter);
  CHECK(reporter.reports.empty());
  CHECK(loaded.TypeFace == saved.TypeFace);
  CHECK(loaded.CharSet == 0);
  CHECK(loaded.RegularHoliday == 0x81020408);
  CHECK(loaded.WeekdayOff == saved.WeekdayOff);

  SUBCASE("a MemoTime stored as a 64-bit value stops loading") {
    fixture.PutRaw(config, "MemoTime", REG_QWORD, {9, 0, 0, 0, 0, 0, 0, 0});
    Settings stopped;
    LoadSettings(stopped, store, reporter);
    REQUIRE(reporter.reports.size() == 1);
    CHECK(reporter.reports[0].first == IDS_REGISTRY_READ_FAILED);
    CHECK(reporter.reports[0].second == "MemoTime");
    CHECK(stopped.MemoTime == 5);
    CHECK(stopped.RegularHoliday == 0x183060C1);
  }
}
