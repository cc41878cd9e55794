// tembori-cal: prints a month or a year of the calendar with its days off, or lists the
// national holidays and named days of a range of years, from the same core as the window,
// by the law as amended, optionally with the government's list of holidays, or (--classic)
// by the calendar's own holiday rules; also the era heading of a month, the old calendar's
// days and the solar terms.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <iconv.h>
#include <unistd.h>
#endif

#include "app/CalendarMarkText.h"
#include "app/DayNameText.h"
#include "calendar/DayNumber.h"
#include "calendar/HolidayFile.h"
#include "calendar/MonthCalendar.h"
#include "calendar/OldCalendar.h"
#include "calendar/StandaloneCalendar.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitBadHolidayFile = 1;
constexpr char kUsage[] =
    "usage: tembori-cal [--law [--holiday-file FILE] | --classic] [-m] [YEAR [MONTH]] | "
    "tembori-cal [--law [--holiday-file FILE] | --classic] --holidays YEAR [LASTYEAR] | "
    "tembori-cal --era YEAR MONTH | tembori-cal --kyureki|--sekki YEAR [LASTYEAR]";

struct Text {
  std::uint32_t id;
  const char* utf8;
};

// The u8 prefix keeps the names in UTF-8 even where narrow literals are compiled to CP932.
constexpr Text kTexts[] = {
#define TEMBORI_STRING(id, text) {id, u8"" text},
#include "res/Strings.def"
#undef TEMBORI_STRING
};

const char* TextOf(std::uint32_t id) {
  const auto found = std::find_if(std::begin(kTexts), std::end(kTexts),
                                  [id](const Text& text) { return text.id == id; });
  return found == std::end(kTexts) ? "" : found->utf8;
}

const char* TextOf(DayName name) {
  return TextOf(DayNameStringId(name));
}

// The list of holidays names its days in Shift-JIS.
std::string Utf8FromShiftJis(std::string_view text) {
#ifdef _WIN32
  const int wide =
      MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), utf16.data(), wide);
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
#else
  const iconv_t convert = iconv_open("UTF-8", "CP932");
  if (convert == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string in(text);
  std::string out(text.size() * 3, '\0');  // a half-width kana byte takes three
  char* inPointer = in.data();
  char* outPointer = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const bool converted =
      iconv(convert, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(convert);
  if (!converted) return std::string(text);
  out.resize(out.size() - outLeft);
  return out;
#endif
}

// Year 0 when the C library cannot tell the local date, which the range check then refuses.
SystemTime LocalToday() {
  const std::time_t now = std::time(nullptr);
#ifdef _MSC_VER
#pragma warning(suppress : 4996)  // the tool has one thread, so the shared result is safe
#endif
  const std::tm* const local = std::localtime(&now);
  if (local == nullptr) return SystemTime{};
  return MakeDate(static_cast<std::uint16_t>(local->tm_year + 1900),
                  static_cast<std::uint16_t>(local->tm_mon + 1),
                  static_cast<std::uint16_t>(local->tm_mday));
}

// ---- Layout ----
// Every calendar here has an empty store of marks: the days off shown are the computed ones.

constexpr int kCellWidth = 3;  // two digits and the day-off marker
constexpr int kBlockWidth = 7 * kCellWidth;
constexpr char kMonthNames[12][10] = {"January",   "February", "March",    "April",
                                      "May",       "June",     "July",     "August",
                                      "September", "October",  "November", "December"};
constexpr char kWeekdayNames[7][3] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};

struct Layout {
  int weekStart = 0;    // 0 = Sunday, 1 = Monday
  bool colour = false;  // days off in red instead of followed by an asterisk
};

// A calendar of the month of `date`, its year computed by the chosen holiday rules.
struct Calendar {
  Calendar(const SystemTime& date, bool law, const HolidayFile* file = nullptr) : core(date) {
    core.settings.HolidayLaw = law ? 1 : 0;
    core.calendar.SetHolidayFile(file);
    core.calendar.RecomputeYear();
  }
  StandaloneCalendar core;
  MonthCalendar& calendar = core.calendar;
};

std::string Centred(std::string_view text, int width) {
  const int left = std::max(0, (width - static_cast<int>(text.size())) / 2);
  std::string line(static_cast<std::size_t>(left), ' ');
  line += text;
  line.resize(std::max(line.size(), static_cast<std::size_t>(width)), ' ');
  return line;
}

// One month as lines of kBlockWidth visible characters: title, weekday names, weeks.
std::vector<std::string> MonthBlock(const MonthCalendar& calendar, std::string_view title,
                                    const Layout& layout) {
  std::vector<std::string> lines = {Centred(title, kBlockWidth), std::string()};
  for (int column = 0; column < 7; ++column) {
    lines.back() += kWeekdayNames[(column + layout.weekStart) % 7];
    lines.back() += ' ';
  }
  const int leadingBlanks = (calendar.FirstWeekday() + 7 - layout.weekStart) % 7;
  std::string week(static_cast<std::size_t>(leadingBlanks * kCellWidth), ' ');
  for (int day = 1; day <= calendar.DaysInMonth(); ++day) {
    char number[8];
    std::snprintf(number, sizeof number, "%2d", day);
    const bool off = calendar.IsDayOff(day);
    if (off && layout.colour) {
      week += "\x1b[31m";
      week += number;
      week += "\x1b[0m ";
    } else {
      week += number;
      week += off ? '*' : ' ';
    }
    if ((leadingBlanks + day) % 7 == 0 || day == calendar.DaysInMonth()) {
      const int filledCells = (leadingBlanks + day - 1) % 7 + 1;
      week.append(static_cast<std::size_t>((7 - filledCells) * kCellWidth), ' ');
      lines.push_back(week);
      week.clear();
    }
  }
  return lines;
}

void PrintLine(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
}

// The choice of holiday rules: the law's (with the list of holidays, if any) or the calendar's.
struct Rules {
  bool law = true;
  const HolidayFile* file = nullptr;
};

void PrintMonth(std::uint16_t year, std::uint16_t month, const Layout& layout, const Rules& rules) {
  const Calendar shown(MakeDate(year, month, 1), rules.law, rules.file);
  const std::string title = std::string(kMonthNames[month - 1]) + ' ' + std::to_string(year);
  for (const std::string& line : MonthBlock(shown.calendar, title, layout)) PrintLine(line);
}

void PrintYear(std::uint16_t year, const Layout& layout, const Rules& rules) {
  constexpr int kMonthsPerRow = 3;
  constexpr char kGap[] = "  ";
  constexpr int kRowWidth = kMonthsPerRow * kBlockWidth + (kMonthsPerRow - 1) * (sizeof kGap - 1);
  Calendar shown(MakeDate(year, 1, 1), rules.law, rules.file);
  PrintLine(Centred(std::to_string(year), kRowWidth));
  for (int firstMonth = 1; firstMonth <= 12; firstMonth += kMonthsPerRow) {
    std::vector<std::vector<std::string>> blocks;
    for (int month = firstMonth; month < firstMonth + kMonthsPerRow; ++month) {
      blocks.push_back(MonthBlock(shown.calendar, kMonthNames[month - 1], layout));
      shown.calendar.NextMonth();
    }
    std::size_t height = 0;
    for (const auto& block : blocks) height = std::max(height, block.size());
    PrintLine(std::string());
    for (std::size_t row = 0; row < height; ++row) {
      std::string line;
      for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (i != 0) line += kGap;
        line += row < blocks[i].size() ? blocks[i][row] : std::string(kBlockWidth, ' ');
      }
      PrintLine(line);
    }
  }
}

// ---- Holiday list ----

void PrintDay(const SystemTime& shown, int day, const char* kind, const char* name) {
  std::printf("%04u-%02u-%02d\t%s\t%s\n", shown.wYear, shown.wMonth, day, kind, name);
}

// Days off by rule that are no holidays are substitutes, or (by the law) days between two
// holidays; the list of holidays does not tell them apart.
void PrintHolidays(std::uint16_t firstYear, std::uint16_t lastYear, const Rules& rules) {
  Calendar range(MakeDate(firstYear, 1, 1), rules.law, rules.file);
  MonthCalendar& calendar = range.calendar;
  while (true) {
    const SystemTime& shown = calendar.Shown();
    const DayMask restDays = calendar.RestDayMask();
    for (int day = 1; day <= calendar.DaysInMonth(); ++day) {
      DayName name = DayName::None;
      const bool named = calendar.GetDayName(day, name);
      const std::string_view listed = calendar.ListedName(day);
      if (!listed.empty()) {
        const bool holiday = calendar.IsNationalHoliday(day);
        PrintDay(shown, day, holiday ? "holiday" : "dayoff", Utf8FromShiftJis(listed).c_str());
      } else if (calendar.IsNationalHoliday(day)) {
        PrintDay(shown, day, "holiday", TextOf(name));
      } else if ((restDays & DayBit(day)) != 0) {
        PrintDay(shown, day, name == DayName::DayBetweenHolidays ? "between" : "substitute",
                 TextOf(name));
      } else if (named) {
        PrintDay(shown, day, "named", TextOf(name));
      }
    }
    if (shown.wYear == lastYear && shown.wMonth == 12) return;
    calendar.NextMonth();
  }
}

// ---- The old calendar, solar terms and era ----

void PrintOldCalendar(std::uint16_t firstYear, std::uint16_t lastYear) {
  OldCalendar calendar;
  const std::int32_t last = DayNumber(lastYear, 12, 31);
  for (std::int32_t number = DayNumber(firstYear, 1, 1); number <= last; ++number) {
    const CivilDate date = CivilDateOf(number);
    const OldDate old = calendar.DateOf(date.year, date.month, date.day);
    std::printf("%04d-%02d-%02d\t%s%d\t%d\t%s\n", date.year, date.month, date.day,
                old.leap ? u8"閏" : "", old.month, old.day, TextOf(RokuyoStringId(RokuyoOf(old))));
  }
}

void PrintSolarTerms(std::uint16_t firstYear, std::uint16_t lastYear) {
  OldCalendar calendar;
  for (int year = firstYear; year <= lastYear; ++year) {
    for (const std::int32_t number : calendar.TermDays(year)) {
      const CivilDate date = CivilDateOf(number);
      std::printf("%04d-%02d-%02d\t%s\n", date.year, date.month, date.day,
                  TextOf(SolarTermStringId(calendar.TermOn(date.year, date.month, date.day))));
    }
  }
}

// ---- Arguments ----

std::optional<unsigned> ParseNumber(std::string_view text) {
  unsigned number = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    return std::nullopt;
  }
  return number;
}

// The bytes of a holiday list, at most one more than a list may have; false when the file
// cannot be read.
bool ReadListFile(const std::string& path, std::string& bytes) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
  if (!file) return false;
  bytes.assign(HolidayFile::MaxBytes + 1, '\0');
  const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file.get());
  if (std::ferror(file.get()) != 0) return false;
  bytes.resize(read);
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "tembori-cal: %s\n", message.c_str());
  return kExitUsage;
}

bool IsYear(const std::optional<unsigned>& year) {
  return year && *year >= MinYear && *year <= MaxYear;
}

std::string YearError(std::string_view text) {
  return "year must be a number from " + std::to_string(MinYear) + " to " +
         std::to_string(MaxYear) + ": " + std::string(text);
}

// The years FIRST [LAST] after a command; the fault's message, or empty.
std::string ParseYears(const std::vector<std::string_view>& args, unsigned& first, unsigned& last) {
  if (args.size() < 2 || args.size() > 3) return kUsage;
  const auto firstYear = ParseNumber(args[1]);
  if (!IsYear(firstYear)) return YearError(args[1]);
  const auto lastYear = args.size() == 3 ? ParseNumber(args[2]) : firstYear;
  if (!IsYear(lastYear)) return YearError(args[2]);
  if (*lastYear < *firstYear)
    return "the last year comes before the first: " + std::string(args[2]);
  first = *firstYear;
  last = *lastYear;
  return {};
}

int Run(std::vector<std::string_view> args) {
  unsigned first = 0;
  unsigned last = 0;
  if (!args.empty() && (args.front() == "--kyureki" || args.front() == "--sekki")) {
    if (const std::string fault = ParseYears(args, first, last); !fault.empty()) return Fail(fault);
    (args.front() == "--kyureki" ? PrintOldCalendar : PrintSolarTerms)(
        static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(last));
    return 0;
  }
  if (!args.empty() && args.front() == "--era") {
    if (args.size() != 3) return Fail(kUsage);
    const auto year = ParseNumber(args[1]);
    if (!IsYear(year)) return Fail(YearError(args[1]));
    const auto month = ParseNumber(args[2]);
    if (!month || *month < 1 || *month > 12) {
      return Fail("month must be a number from 1 to 12: " + std::string(args[2]));
    }
    const std::string heading =
        EraHeading(static_cast<std::uint16_t>(*year), static_cast<std::uint16_t>(*month), 1,
                   [](std::uint32_t id) { return std::string(TextOf(id)); });
    std::printf("%s\n", heading.c_str());
    return 0;
  }

  // The law as the window has it by default; --law, its old switch, is still taken.
  Rules rules;
  if (!args.empty() && (args.front() == "--law" || args.front() == "--classic")) {
    rules.law = args.front() == "--law";
    args.erase(args.begin());
  }
  HolidayFile file;
  if (rules.law && !args.empty() && args.front() == "--holiday-file") {
    if (args.size() < 2) return Fail(kUsage);
    const std::string path(args[1]);
    args.erase(args.begin(), args.begin() + 2);
    // The window would show the rules and say why; here the run fails and says why.
    std::string bytes;
    switch (ReadListFile(path, bytes) ? file.Parse(bytes) : HolidayFile::Error::Unreadable) {
      case HolidayFile::Error::None:
        rules.file = &file;
        break;
      case HolidayFile::Error::Unreadable:
        Fail(path + ": cannot be read");
        return kExitBadHolidayFile;
      case HolidayFile::Error::TooLarge:
        Fail(path + ": larger than " + std::to_string(HolidayFile::MaxBytes) + " bytes");
        return kExitBadHolidayFile;
      case HolidayFile::Error::BadLine:
        Fail(path + ": line " + std::to_string(file.BadLine()) +
             " is not as the list of holidays has it");
        return kExitBadHolidayFile;
    }
  }
  if (!args.empty() && args.front() == "--holidays") {
    if (const std::string fault = ParseYears(args, first, last); !fault.empty()) return Fail(fault);
    PrintHolidays(static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(last), rules);
    return 0;
  }

  Layout layout;
  if (!args.empty() && args.front() == "-m") {
    layout.weekStart = 1;
    args.erase(args.begin());
  }
#ifndef _WIN32
  layout.colour = isatty(STDOUT_FILENO) != 0;
#endif
  if (args.size() > 2) return Fail(kUsage);
  if (args.empty()) {
    const SystemTime today = LocalToday();
    if (today.wYear < MinYear || today.wYear > MaxYear) {
      return Fail(YearError(std::to_string(today.wYear)));
    }
    PrintMonth(today.wYear, today.wMonth, layout, rules);
    return 0;
  }
  const auto year = ParseNumber(args[0]);
  if (!IsYear(year)) return Fail(year ? YearError(args[0]) : std::string(kUsage));
  if (args.size() == 1) {
    PrintYear(static_cast<std::uint16_t>(*year), layout, rules);
    return 0;
  }
  const auto month = ParseNumber(args[1]);
  if (!month || *month < 1 || *month > 12) {
    return Fail("month must be a number from 1 to 12: " + std::string(args[1]));
  }
  PrintMonth(static_cast<std::uint16_t>(*year), static_cast<std::uint16_t>(*month), layout, rules);
  return 0;
}

}  // namespace
}  // namespace tembori

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes as everywhere else: UTF-8 names and bare line feeds.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return tembori::Run(std::vector<std::string_view>(argv + 1, argv + argc));
}
