// Exports and the import with their files and messages.
#include "ical/win32/ICalTransfer.h"

#include <utility>

#include "calendar/FixedClock.h"
#include "calendar/MonthCalendar.h"
#include "framework/ResourceText.h"
#include "ical/ReadOnlyStore.h"
#include "ical/win32/ICalFileIo.h"
#include "res/ResourceIds.h"

namespace tembori {

namespace {

// A string-table text with its %d and %s filled in (by the system, so that the program
// carries no formatter of its own).
std::string Format(UINT id, int number, const std::string& text = {}) {
  const std::string format = LoadResourceString(id);
  char formatted[1025] = {};  // wsprintf writes at most 1024 characters
  if (format.find("%d") < format.find("%s")) {
    wsprintfA(formatted, format.c_str(), number, text.c_str());
  } else {
    wsprintfA(formatted, format.c_str(), text.c_str(), number);
  }
  return formatted;
}

ICalDateTime UtcNow() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  return {{now.wYear, now.wMonth, now.wDay}, now.wHour, now.wMinute, now.wSecond};
}

std::string Written(const std::string& path, const std::string& bytes) {
  return WriteICalFile(path, bytes) ? std::string() : Format(IDS_ICAL_WRITE_FAILED, 0, path);
}

}  // namespace

UINT MemosChangedMessage() {
  static const UINT id = RegisterWindowMessageA("Tembori.MemosChanged");
  return id;
}

ICalTransfer::ICalTransfer(const Settings& settings, KeyValueStore& registry,
                           std::string programDir, std::function<std::string(DayName)> dayName)
    : settings_(settings),
      registry_(registry),
      dayName_(std::move(dayName)),
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
      return Format(IDS_ICAL_OPEN_FAILED, 0, path);
    case ICalFileRead::TooLarge:
      return Format(IDS_ICAL_TOO_LARGE, 0, path);
  }
  const ICalReadResult read = ReadICalendar(bytes, zone_);
  switch (read.error) {
    case ICalReadError::None:
      break;
    case ICalReadError::TooLarge:
      return Format(IDS_ICAL_TOO_LARGE, 0, path);
    case ICalReadError::NotICalendar:
      return Format(IDS_ICAL_NOT_ICALENDAR, read.line, path);
    case ICalReadError::NoCalendar:
      return Format(IDS_ICAL_NO_CALENDAR, read.line, path);
    case ICalReadError::InvalidUtf8:
      return Format(IDS_ICAL_INVALID_UTF8, read.line, path);
    case ICalReadError::Unbalanced:
      return Format(IDS_ICAL_UNBALANCED, read.line, path);
  }
  ImportTarget target;
  target.everyYear = access_.EveryYear();
  target.maxBytes = access_.MaxBytes();
  target.current = [this](const MemoPlace& place) { return access_.Read(place); };
  plan_ = PlanImport(read.entries, target, codec_);
  return {};
}

std::string ICalTransfer::PlanText(bool overwrite) const {
  const std::string counts = LoadResourceString(IDS_ICAL_IMPORT_COUNTS);
  char text[1025] = {};
  wsprintfA(text, counts.c_str(), plan_.Adds(), plan_.Replaces(overwrite), plan_.Skips(overwrite));
  std::string summary = text;
  if (plan_.replacedCharacters > 0) {
    summary += "\n" + Format(IDS_ICAL_REPLACED_CHARACTERS, plan_.replacedCharacters);
  }
  if (plan_.firstOccurrenceOnly > 0) {
    summary += "\n" + Format(IDS_ICAL_FIRST_OCCURRENCE_ONLY, plan_.firstOccurrenceOnly);
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
