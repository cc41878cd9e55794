// Exports and the import with their files and messages.
#include "ical/win32/ICalTransfer.h"

#include <cstdarg>
#include <utility>

#include "calendar/FixedClock.h"
#include "calendar/MonthCalendar.h"
#include "framework/ResourceText.h"
#include "ical/ReadOnlyStore.h"
#include "ical/win32/ICalFileIo.h"
#include "res/ResourceIds.h"

namespace tembori {

namespace {

// A string-table text with its %d and %s filled in, given in their order there (by the
// system, so that the program carries no formatter of its own).
std::string Format(UINT id, ...) {
  const std::string format = LoadResourceString(id);
  char formatted[1025] = {};  // wsprintf writes at most 1024 characters
  va_list arguments;
  va_start(arguments, id);
  wvsprintfA(formatted, format.c_str(), arguments);
  va_end(arguments);
  return formatted;
}

ICalDateTime UtcNow() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  return {{now.wYear, now.wMonth, now.wDay}, now.wHour, now.wMinute, now.wSecond};
}

std::string Written(const std::string& path, const std::string& bytes) {
  return WriteICalFile(path, bytes) ? std::string() : Format(IDS_ICAL_WRITE_FAILED, path.c_str());
}

}  // namespace

UINT MemosChangedMessage() {
  static const UINT id = RegisterWindowMessageA("Tembori.MemosChanged");
  return id;
}

ICalTransfer::ICalTransfer(const Settings& settings, KeyValueStore& registry,
                           std::string programDir, DayNameText dayName)
    : settings_(settings),
      registry_(registry),
      dayName_(dayName),
      access_(settings, registry, files_, lock_, std::move(programDir)) {}

std::string ICalTransfer::ExportMemos(const std::string& path) {
  SYSTEMTIME today{};
  GetLocalTime(&today);
  const std::vector<PlacedMemo> memos = access_.Collect(MemoFileYears(access_.ProgramDir()));
  return Written(path,
                 tembori::ExportMemos(memos, today.wYear, UtcNow(), TEMBORI_VERSION_TEXT, codec_));
}

std::string ICalTransfer::ExportHolidays(const HolidayExportRange& range, const std::string& path) {
  // The marks are read where the calendar keeps them, and never written from here.
  ReadOnlyStore marks(registry_);
  const FixedClock clock(MakeDate(static_cast<std::uint16_t>(range.firstYear), 1, 1));
  MonthCalendar calendar(clock, marks, settings_);
  calendar.RecomputeYear();
  std::string file;
  const auto name = [this](DayName day) { return codec_.ToUtf8(dayName_(day)); };
  if (!tembori::ExportHolidays(calendar, range, name, UtcNow(), TEMBORI_VERSION_TEXT, file)) {
    return LoadResourceString(IDS_ICAL_BAD_YEARS);
  }
  return Written(path, file);
}

std::string ICalTransfer::ReadImport(const std::string& path) {
  plan_ = ImportPlan();
  std::string bytes;
  switch (ReadICalFile(path, bytes)) {
    case ICalFileRead::Ok:
      break;
    case ICalFileRead::Failed:
      return Format(IDS_ICAL_OPEN_FAILED, path.c_str());
    case ICalFileRead::TooLarge:
      return Format(IDS_ICAL_TOO_LARGE, path.c_str());
  }
  const ICalReadResult read = ReadICalendar(bytes, zone_);
  if (read.error == ICalReadError::TooLarge) return Format(IDS_ICAL_TOO_LARGE, path.c_str());
  if (read.error != ICalReadError::None) {
    // In the order of ICalReadError from NotICalendar on; each says the line.
    static constexpr UINT kMessages[] = {IDS_ICAL_NOT_ICALENDAR, IDS_ICAL_NO_CALENDAR,
                                         IDS_ICAL_INVALID_UTF8, IDS_ICAL_UNBALANCED};
    const auto message =
        static_cast<int>(read.error) - static_cast<int>(ICalReadError::NotICalendar);
    return Format(kMessages[message], read.line, path.c_str());
  }
  plan_ = PlanImport(read.entries, access_, codec_);
  return {};
}

std::string ICalTransfer::PlanText(bool overwrite) const {
  std::string summary = Format(IDS_ICAL_IMPORT_COUNTS, plan_.Adds(), plan_.Replaces(overwrite),
                               plan_.Skips(overwrite));
  if (plan_.replacedCharacters > 0) {
    summary += '\n';
    summary += Format(IDS_ICAL_REPLACED_CHARACTERS, plan_.replacedCharacters);
  }
  if (plan_.firstOccurrenceOnly > 0) {
    summary += '\n';
    summary += Format(IDS_ICAL_FIRST_OCCURRENCE_ONLY, plan_.firstOccurrenceOnly);
  }
  return summary;
}

std::string ICalTransfer::Import(bool overwrite, int& written) {
  const ImportOutcome outcome =
      ApplyImport(plan_, overwrite, [this](const PlacedMemo& memo) { return access_.Write(memo); });
  written = outcome.written;
  if (written > 0) PostMessageA(HWND_BROADCAST, MemosChangedMessage(), 0, 0);
  return outcome.failed ? Format(IDS_ICAL_IMPORT_STOPPED, written) : std::string();
}

}  // namespace tembori
