// tembori-cal: prints a month or a year of the calendar with its days off, or lists the
// national holidays and named days of a range of years, from the same core as the window,
// by the law as amended or (--classic) by the calendar's own holiday rules.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include "app/DayNameText.h"
#include "calendar/MonthCalendar.h"
#include "calendar/StandaloneCalendar.h"
#include "res/ResourceIds.h"

namespace tembori {
namespace {

constexpr int kExitUsage = 2;
constexpr char kUsage[] =
    "usage: tembori-cal [--law|--classic] [-m] [YEAR [MONTH]] | "
    "tembori-cal [--law|--classic] --holidays YEAR [LASTYEAR]";

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

const char* TextOf(DayName name) {
  const std::uint32_t id = DayNameStringId(name);
  const auto found = std::find_if(std::begin(kTexts), std::end(kTexts),
                                  [id](const Text& text) { return text.id == id; });
  return found == std::end(kTexts) ? "" : found->utf8;
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
  Calendar(const SystemTime& date, bool law) : core(date) {
    core.settings.HolidayLaw = law ? 1 : 0;
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

void PrintMonth(std::uint16_t year, std::uint16_t month, const Layout& layout, bool law) {
  const Calendar shown(MakeDate(year, month, 1), law);
  const std::string title = std::string(kMonthNames[month - 1]) + ' ' + std::to_string(year);
  for (const std::string& line : MonthBlock(shown.calendar, title, layout)) PrintLine(line);
}

void PrintYear(std::uint16_t year, const Layout& layout, bool law) {
  constexpr int kMonthsPerRow = 3;
  constexpr char kGap[] = "  ";
  constexpr int kRowWidth = kMonthsPerRow * kBlockWidth + (kMonthsPerRow - 1) * (sizeof kGap - 1);
  Calendar shown(MakeDate(year, 1, 1), law);
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
// holidays.
void PrintHolidays(std::uint16_t firstYear, std::uint16_t lastYear, bool law) {
  Calendar range(MakeDate(firstYear, 1, 1), law);
  MonthCalendar& calendar = range.calendar;
  while (true) {
    const SystemTime& shown = calendar.Shown();
    const DayMask restDays = calendar.RestDayMask();
    for (int day = 1; day <= calendar.DaysInMonth(); ++day) {
      DayName name = DayName::None;
      const bool named = calendar.GetDayName(day, name);
      if (calendar.IsNationalHoliday(day)) {
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

// ---- Arguments ----

std::optional<unsigned> ParseNumber(std::string_view text) {
  unsigned number = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    return std::nullopt;
  }
  return number;
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

int Run(std::vector<std::string_view> args) {
  // The law as the window has it by default; --law, its old switch, is still taken.
  bool law = true;
  if (!args.empty() && (args.front() == "--law" || args.front() == "--classic")) {
    law = args.front() == "--law";
    args.erase(args.begin());
  }
  if (!args.empty() && args.front() == "--holidays") {
    if (args.size() < 2 || args.size() > 3) return Fail(kUsage);
    const auto first = ParseNumber(args[1]);
    if (!IsYear(first)) return Fail(YearError(args[1]));
    const auto last = args.size() == 3 ? ParseNumber(args[2]) : first;
    if (!IsYear(last)) return Fail(YearError(args[2]));
    if (*last < *first)
      return Fail("the last year comes before the first: " + std::string(args[2]));
    PrintHolidays(static_cast<std::uint16_t>(*first), static_cast<std::uint16_t>(*last), law);
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
    PrintMonth(today.wYear, today.wMonth, layout, law);
    return 0;
  }
  const auto year = ParseNumber(args[0]);
  if (!IsYear(year)) return Fail(year ? YearError(args[0]) : std::string(kUsage));
  if (args.size() == 1) {
    PrintYear(static_cast<std::uint16_t>(*year), layout, law);
    return 0;
  }
  const auto month = ParseNumber(args[1]);
  if (!month || *month < 1 || *month > 12) {
    return Fail("month must be a number from 1 to 12: " + std::string(args[1]));
  }
  PrintMonth(static_cast<std::uint16_t>(*year), static_cast<std::uint16_t>(*month), layout, law);
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
