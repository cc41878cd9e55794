// Writes the exports that check_exports.py reads with an independent iCalendar parser: the
// memos of both stores and the holidays of 2026 by the law with the other days off.
#include <fstream>
#include <string>
#include <vector>

#include "../IconvCodec.h"
#include "calendar/StandaloneCalendar.h"
#include "ical/HolidayCalendar.h"
#include "ical/MemoCalendar.h"

using namespace tembori;

namespace {

bool Save(const std::string& path, const std::string& bytes) {
  return static_cast<bool>(std::ofstream(path, std::ios::binary) << bytes << std::flush);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;  // usage: write_exports DIRECTORY
  const std::string dir = std::string(argv[1]) + "/";
  const IconvCodec codec;
  const ICalDateTime stamp{{2026, 12, 6}, 9, 30, 0};
  int replaced = 0;
  const auto sjis = [&](const char* utf8) { return codec.FromUtf8(utf8, replaced); };
  // A long memo that folds inside its Japanese characters, escaped separators, half-width
  // katakana, 29 February.
  const std::vector<PlacedMemo> everyYear = {
      {{0, 1, 1}, sjis("元日、初詣に行く; 家族と, 親戚と")},
      {{0, 2, 29}, sjis("閏日")},
      {{0, 8, 15}, sjis("ﾒﾓ 表示ソフト\\能力")},
      {{0, 12, 31}, sjis("大晦日の大掃除をして年越しそばを食べてから除夜の鐘を聞く")}};
  const std::vector<PlacedMemo> dated = {{{2024, 2, 29}, sjis("閏日の会議")},
                                         {{2026, 12, 31}, sjis("年末")},
                                         {{2150, 12, 31}, sjis("最後の日")}};
  StandaloneCalendar core(MakeDate(2026, 1, 1));
  core.settings.HolidayLaw = 1;
  core.settings.RegularHoliday = SundayPattern;
  core.calendar.RecomputeYear();
  std::string holidays;
  const bool exported = ExportHolidays(
      core.calendar, {2026, 2026, true},
      [](DayName name) {
        return name == DayName::SubstituteHoliday ? std::string("休日")
                                                  : "day-" + std::to_string(static_cast<int>(name));
      },
      stamp, "2.63", holidays);
  const bool saved =
      exported &&
      Save(dir + "memos-every-year.ics", ExportMemos(everyYear, 2026, stamp, "2.63", codec)) &&
      Save(dir + "memos-dated.ics", ExportMemos(dated, 2026, stamp, "2.63", codec)) &&
      Save(dir + "holidays-2026.ics", holidays);
  return saved && replaced == 0 ? 0 : 1;
}
