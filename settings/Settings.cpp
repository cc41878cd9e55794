// Loading and saving the settings record, value by value, in the orders of Settings.def, and
// the weekly day-off mask derived from the weekday flags.
#include "settings/Settings.h"

#include <algorithm>
#include <new>
#include <optional>

#include "settings/StoreValues.h"

namespace tembori {
namespace {

// The table's rows, numbered in load order.
enum class Row : std::size_t {
#define TEMBORI_SETTING(type, field, value, name) field,
#include "settings/Settings.def"
  Count
};
constexpr std::size_t kRowCount = static_cast<std::size_t>(Row::Count);

constexpr bool kSavedEarlier[kRowCount] = {
#define TEMBORI_SETTING(type, field, value, name) false,
#define TEMBORI_SETTING_SAVED_EARLIER(type, field, value, name) true,
#include "settings/Settings.def"
};
static_assert(!kSavedEarlier[0], "the first row has no row above it to be saved before");

// The rows in save order: the load order with each row marked "saved earlier" moved before
// the row above it. A byte a row keeps the table small.
using RowNumber = std::uint8_t;
static_assert(kRowCount <= 256, "every row has a number of one byte");
constexpr std::array<RowNumber, kRowCount> SaveOrder() {
  std::array<RowNumber, kRowCount> order{};
  for (std::size_t row = 0; row < kRowCount; ++row) order[row] = static_cast<RowNumber>(row);
  for (std::size_t row = 1; row < kRowCount; ++row) {
    if (kSavedEarlier[row]) {
      const RowNumber above = order[row - 1];
      order[row - 1] = order[row];
      order[row] = above;
    }
  }
  return order;
}
constexpr std::array<RowNumber, kRowCount> kSaveOrder = SaveOrder();

// Takes one row: its value name, the field of the record and the field's default. Loading and
// saving share one walk over the table (VisitRow) through this interface.
class RowVisitor {
 public:
  virtual void operator()(std::string_view name, std::int32_t& field,
                          const std::int32_t& fallback) = 0;
  virtual void operator()(std::string_view name, std::uint32_t& field,
                          const std::uint32_t& fallback) = 0;
  virtual void operator()(std::string_view name, std::uint8_t& field,
                          const std::uint8_t& fallback) = 0;
  virtual void operator()(std::string_view name, std::string& field,
                          const std::string& fallback) = 0;

 protected:
  ~RowVisitor() = default;
};

// Calls visit(value name, field of `settings`, the field's default) for one row.
void VisitRow(std::size_t row, Settings& settings, RowVisitor& visit) {
  static const Settings defaults;
  switch (static_cast<Row>(row)) {
#define TEMBORI_SETTING(type, field, value, name)                  \
  case Row::field:                                                 \
    visit(std::string_view(name), settings.field, defaults.field); \
    return;
#include "settings/Settings.def"
    case Row::Count:
      return;
  }
}

// A failure to show once the key is closed.
struct Failure {
  SettingsFailure kind;
  std::string valueName;
};

// Reads one value into its field; a value that is there but cannot be read gives the field
// its default and is noted.
class Loader final : public RowVisitor {
 public:
  explicit Loader(StoreKey& key) : key_(key) {}

  void operator()(std::string_view name, std::int32_t& field,
                  const std::int32_t& fallback) override {
    Number(name, field, fallback);
  }
  void operator()(std::string_view name, std::uint32_t& field,
                  const std::uint32_t& fallback) override {
    Number(name, field, fallback);
  }
  void operator()(std::string_view name, std::uint8_t& field,
                  const std::uint8_t& fallback) override {
    Number(name, field, fallback);
  }

  // A text that is not there is empty.
  void operator()(std::string_view name, std::string& field, const std::string& fallback) override {
    std::uint32_t size = 0;
    const StoreResult sized = QueryValueSize(key_, name, size);
    if (sized == StoreResult::NotFound || (sized == StoreResult::Ok && size == 0)) {
      field.clear();
    } else if (sized != StoreResult::Ok ||
               ReadTextOfSize(key_, name, size, field) != StoreResult::Ok) {
      Unreadable(name, field, fallback);
    }
  }

  std::optional<Failure> Result() const {
    if (unreadable_.empty()) return std::nullopt;
    return Failure{SettingsFailure::ReadFailed, unreadable_};
  }

 private:
  // Bytes keep only the low byte of the stored number.
  template <typename Field>
  void Number(std::string_view name, Field& field, const Field& fallback) {
    std::uint32_t value = 0;
    const StoreResult result = ReadNumber(key_, name, value);
    if (result == StoreResult::Ok) {
      field = static_cast<Field>(value);
    } else if (result != StoreResult::NotFound) {
      Unreadable(name, field, fallback);
    }
  }

  template <typename Field>
  void Unreadable(std::string_view name, Field& field, const Field& fallback) {
    field = fallback;
    if (!unreadable_.empty()) unreadable_ += ", ";
    unreadable_ += name;
  }

  StoreKey& key_;
  std::string unreadable_;
};

// Writes one value; false once a write failed, which is noted.
class Saver final : public RowVisitor {
 public:
  explicit Saver(StoreKey& key) : key_(key) {}

  // Bytes and signed flags alike are stored as REG_DWORD, a byte extended with zeros.
  void operator()(std::string_view name, std::int32_t& field, const std::int32_t&) override {
    Check(name, key_.WriteDword(name, static_cast<std::uint32_t>(field)));
  }
  void operator()(std::string_view name, std::uint32_t& field, const std::uint32_t&) override {
    Check(name, key_.WriteDword(name, field));
  }
  void operator()(std::string_view name, std::uint8_t& field, const std::uint8_t&) override {
    Check(name, key_.WriteDword(name, field));
  }
  void operator()(std::string_view name, std::string& field, const std::string&) override {
    Check(name, key_.WriteString(name, field));
  }

  const std::optional<Failure>& Result() const { return failure_; }

 private:
  void Check(std::string_view name, StoreResult result) {
    if (result != StoreResult::Ok)
      failure_ = Failure{SettingsFailure::WriteFailed, std::string(name)};
  }

  StoreKey& key_;
  std::optional<Failure> failure_;
};

// Runs one pass over the Config key and reports its failure, or running out of memory, only
// once the key is closed, so that no message box waits with the key open. (A program built
// without exceptions ends when memory runs out, before anything could be reported here.)
template <typename Pass>
void RunReported(ErrorReporter& reporter, Pass pass) {
  std::unique_ptr<StoreKey> key;
  std::optional<Failure> failure;
#if defined(__cpp_exceptions) || defined(_CPPUNWIND)
  try {
    failure = pass(key);
  } catch (const std::bad_alloc&) {
    failure = Failure{SettingsFailure::OutOfMemory, {}};
  }
#else
  failure = pass(key);
#endif
  key.reset();
  if (failure) reporter.Report(failure->kind, failure->valueName);
}

}  // namespace

void BuildWeeklyMask(Settings& settings) {
  std::uint32_t week = 0;
  for (std::size_t day = 0; day < settings.WeekdayOff.size(); ++day) {
    if (settings.WeekdayOff[day] == 1) week |= 1u << day;
  }
  // Five copies cover days 1 to 32 of a month that starts on a Sunday; the shift drops
  // whatever passes bit 31.
  std::uint32_t mask = 0;
  for (int copy = 0; copy < 5; ++copy) {
    mask |= week;
    week <<= 7;
  }
  settings.RegularHoliday = mask;
}

void LoadSettings(Settings& settings, KeyValueStore& store, ErrorReporter& reporter) {
  RunReported(reporter, [&](std::unique_ptr<StoreKey>& key) -> std::optional<Failure> {
    // A key that cannot be opened is the first run: the defaults stand, silently.
    if (store.OpenKey(kConfigKey, key) != StoreResult::Ok) return std::nullopt;
    Loader load(*key);
    for (std::size_t row = 0; row < kRowCount; ++row) VisitRow(row, settings, load);
    // The mask is kept as stored rather than rebuilt, so that a hand-edited mask is used as
    // it is until the settings are next saved.
    settings.WeekdayOff = WeekdayFlags(settings.RegularHoliday);
    // A delay outside the range would run the hover timer every 10 ms or wait for minutes.
    settings.MemoTime = std::clamp(settings.MemoTime, kShortestMemoTime, kLongestMemoTime);
    return load.Result();
  });
}

void SaveSettings(Settings& settings, KeyValueStore& store, ErrorReporter& reporter) {
  // The property sheet sets only the weekday flags; the mask follows them here.
  BuildWeeklyMask(settings);
  RunReported(reporter, [&](std::unique_ptr<StoreKey>& key) -> std::optional<Failure> {
    if (store.CreateKey(kConfigKey, key, nullptr) != StoreResult::Ok) {
      return Failure{SettingsFailure::KeyNotCreated, {}};
    }
    Saver save(*key);
    for (std::size_t position = 0; position < kRowCount && !save.Result(); ++position) {
      VisitRow(kSaveOrder[position], settings, save);
    }
    return save.Result();
  });
}

}  // namespace tembori
