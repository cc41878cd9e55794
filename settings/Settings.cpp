// Loading and saving the settings record, value by value, in the order the Config key has
// always been read and written, and the weekly day-off mask derived from the weekday flags.
#include "settings/Settings.h"

#include <new>
#include <optional>

#include "settings/StoreValues.h"

namespace tembori {
namespace {

// A failure to show once the key is closed.
struct Failure {
  SettingsFailure kind;
  std::string_view valueName;
};

// Reads values one after another; each call returns false once loading must stop.
class Loader {
 public:
  explicit Loader(StoreKey& key) : key_(key) {}

  template <typename Field>
  bool Number(std::string_view name, Field& field) {
    // CharSet and PitchAndFamily keep only the low byte.
    return Read(name, [&field](std::uint32_t value) { field = static_cast<Field>(value); });
  }

  // The weekday flags follow the stored mask, but the mask is kept as stored rather than
  // rebuilt, so a hand-edited mask is used as it is until the settings are next saved.
  bool WeeklyMask(std::string_view name, Settings& settings) {
    return Read(name, [&settings](std::uint32_t value) {
      settings.RegularHoliday = value;
      for (std::size_t day = 0; day < settings.WeekdayOff.size(); ++day) {
        settings.WeekdayOff[day] = static_cast<std::int32_t>((value >> day) & 1);
      }
    });
  }

  // A text that cannot even be sized counts as empty; one that was sized but cannot be read
  // stops loading.
  bool Text(std::string_view name, std::string& field) {
    std::uint32_t size = 0;
    if (QueryValueSize(key_, name, size) != StoreResult::Ok || size == 0) {
      field.clear();
      return true;
    }
    if (ReadTextOfSize(key_, name, size, field) != StoreResult::Ok) return Stop(name);
    return true;
  }

  const std::optional<Failure>& StopReason() const { return failure_; }

 private:
  // A missing value leaves its field alone and loading goes on.
  template <typename Apply>
  bool Read(std::string_view name, Apply apply) {
    std::uint32_t value = 0;
    const StoreResult result = ReadNumber(key_, name, value);
    if (result == StoreResult::Ok) apply(value);
    return result == StoreResult::Ok || result == StoreResult::NotFound || Stop(name);
  }

  bool Stop(std::string_view name) {
    failure_ = Failure{SettingsFailure::ReadFailed, name};
    return false;
  }

  StoreKey& key_;
  std::optional<Failure> failure_;
};

// Writes values one after another; each call returns false once saving must stop.
class Saver {
 public:
  explicit Saver(StoreKey& key) : key_(key) {}

  // Bytes and signed flags alike are stored as REG_DWORD, a byte extended with zeros.
  template <typename Field>
  bool Number(std::string_view name, Field field) {
    return Check(name, key_.WriteDword(name, static_cast<std::uint32_t>(field)));
  }

  bool Text(std::string_view name, const std::string& field) {
    return Check(name, key_.WriteString(name, field));
  }

  const std::optional<Failure>& StopReason() const { return failure_; }

 private:
  bool Check(std::string_view name, StoreResult result) {
    if (result == StoreResult::Ok) return true;
    failure_ = Failure{SettingsFailure::WriteFailed, name};
    return false;
  }

  StoreKey& key_;
  std::optional<Failure> failure_;
};

// Both return false when a value failed; each && stops the sequence there.
bool LoadValues(Loader& load, Settings& s) {
  return load.Number("Language", s.Language) && load.Number("DispToday", s.DispToday) &&
         load.Number("MemoTime", s.MemoTime) && load.Number("Today'sFace", s.TodaysFace) &&
         load.WeeklyMask("RegularHoliday", s) && load.Number("Squeeze", s.Squeeze) &&
         load.Number("NoFrame", s.NoFrame) && load.Number("MemoFile", s.MemoFile) &&
         load.Number("TopMost", s.TopMost) && load.Number("Tray", s.Tray) &&
         load.Number("Circ", s.Circ) && load.Number("CircColor", s.CircColor) &&
         load.Text("TypeFace", s.TypeFace) && load.Text("PointSize", s.PointSize) &&
         load.Number("CharSet", s.CharSet) && load.Number("PitchAndFamily", s.PitchAndFamily) &&
         load.Number("BackColor", s.BackColor) && load.Number("HolidayColor", s.HolidayColor) &&
         load.Number("TodayColor", s.TodayColor) && load.Number("OrdinaryColor", s.OrdinaryColor) &&
         load.Number("Transparent", s.Transparent) && load.Number("SunFirst", s.SunFirst) &&
         load.Number("HolidayLaw", s.HolidayLaw) && load.Number("EraYear", s.EraYear) &&
         load.Number("Rokuyo", s.Rokuyo);
}

bool SaveValues(Saver& save, Settings& s) {
  const bool headSaved =
      save.Number("Language", s.Language) && save.Number("DispToday", s.DispToday) &&
      save.Number("MemoTime", s.MemoTime) && save.Number("Today'sFace", s.TodaysFace);
  if (!headSaved) return false;
  // The property sheet sets only the weekday flags; the mask follows them here.
  BuildWeeklyMask(s);
  return save.Number("RegularHoliday", s.RegularHoliday) && save.Number("Squeeze", s.Squeeze) &&
         save.Number("NoFrame", s.NoFrame) && save.Number("MemoFile", s.MemoFile) &&
         save.Number("TopMost", s.TopMost) && save.Number("Tray", s.Tray) &&
         save.Number("Circ", s.Circ) && save.Number("CircColor", s.CircColor) &&
         save.Text("TypeFace", s.TypeFace) && save.Text("PointSize", s.PointSize) &&
         save.Number("CharSet", s.CharSet) && save.Number("PitchAndFamily", s.PitchAndFamily) &&
         save.Number("BackColor", s.BackColor) && save.Number("HolidayColor", s.HolidayColor) &&
         save.Number("OrdinaryColor", s.OrdinaryColor) && save.Number("TodayColor", s.TodayColor) &&
         save.Number("Transparent", s.Transparent) && save.Number("SunFirst", s.SunFirst) &&
         save.Number("HolidayLaw", s.HolidayLaw) && save.Number("EraYear", s.EraYear) &&
         save.Number("Rokuyo", s.Rokuyo);
}

// Runs one pass over the Config key and reports its failure, or running out of memory, only
// once the key is closed, so that no message box waits with the key open.
template <typename Pass>
void RunReported(ErrorReporter& reporter, Pass pass) {
  std::unique_ptr<StoreKey> key;
  std::optional<Failure> failure;
  try {
    failure = pass(key);
  } catch (const std::bad_alloc&) {
    failure = Failure{SettingsFailure::OutOfMemory, {}};
  }
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
    if (LoadValues(load, settings)) return std::nullopt;
    return load.StopReason();
  });
}

void SaveSettings(Settings& settings, KeyValueStore& store, ErrorReporter& reporter) {
  RunReported(reporter, [&](std::unique_ptr<StoreKey>& key) -> std::optional<Failure> {
    if (store.CreateKey(kConfigKey, key, nullptr) != StoreResult::Ok) {
      return Failure{SettingsFailure::KeyNotCreated, {}};
    }
    Saver save(*key);
    if (SaveValues(save, settings)) return std::nullopt;
    return save.StopReason();
  });
}

}  // namespace tembori
