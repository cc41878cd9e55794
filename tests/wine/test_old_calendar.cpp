// The Japanese calendar's marks in the window: the era year in the heading and the title bar,
// the 六曜 under each number and in the pop-up with the solar terms, the cells grown for them,
// and the government's list of holidays read at start and on Apply, a damaged one reported.
#include <doctest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "CalendarHarness.h"
#include "SheetScript.h"
#include "app/MemoPopupText.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

constexpr SystemTime kSecondSunday = {2026, 12, 0, 6, 12, 0, 0, 0};  // 先勝, 大雪 the next day
constexpr SystemTime kReiwaFirstDay = {2019, 5, 3, 1, 12, 0, 0, 0};

std::string messageText;
void CALLBACK AnswerMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND box = FindWindowA("#32770", nullptr);
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  char text[512] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  messageText = text;
  SendMessageA(box, WM_COMMAND, IDOK, 0);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST_CASE("with EraYear the heading and the title's date are in the era, 元年 for the first") {
  StoreSettings({{"EraYear", 1}, {"DispToday", 1}});
  {
    RunningCalendar calendar(kReiwaFirstDay);
    CHECK(HeadingReads(calendar, "令和元年 5月"));
    CHECK(Text(calendar.Handle()) == "令和元年 5月 1日 (水)");
  }
  // The English texts keep the Western year.
  StoreSettings({{"EraYear", 1}, {"DispToday", 1}, {"Language", 1}});
  RunningCalendar calendar(kSecondSunday);
  CHECK(HeadingReads(calendar, "Dec. 2026"));
  CHECK(Text(calendar.Handle()) == "Sun, Dec 06 26");
}

TEST_CASE("with Rokuyo the pop-up ends with the 六曜 and solar term, a line under each number") {
  // The cells' growth with the setting and back is the settings sheet's test.
  StoreSettings({{"Rokuyo", 1}});
  RunningCalendar calendar(kSecondSunday);
  CalendarWindow& window = calendar.Window();
  const auto popup = [&](int day) {
    return *PopupTextForDay(window.Memos(), window.Calendar(), day, true);
  };
  CHECK(popup(7) == "友引　大雪");
  CHECK(popup(25) == "Merry Christmas!!　先負");  // a named day keeps its name in front
  // Screen readers hear the cell's 六曜 last.
  CHECK(window.AccessibleDayDescription(8) == "先負");

  // The mark's line under the number of an ordinary day holds text in the day's colour, a
  // Sunday's in the holiday colour.
  const CellSize mark = window.MarkSize();
  const int markLine = MarkLineHeight(mark, kDefaultDpi);
  CHECK(window.Cell().width > mark.width);
  const Picture picture(calendar.Handle());
  const auto line = [&](int day) {
    const RECT cell = DayCell(window, day);
    return RECT{cell.left, cell.bottom - markLine, cell.right, cell.bottom};
  };
  CHECK(picture.Count(line(8), kOrdinary) > 0);
  CHECK(picture.Count(line(13), kHoliday) > 0);
  CHECK(picture.Count(line(13), kOrdinary) == 0);
  // Without the setting a day with nothing to say has no pop-up.
  CHECK_FALSE(PopupTextForDay(window.Memos(), window.Calendar(), 4, false).has_value());
}

TEST_CASE("the 六曜 are drawn in Japanese under a calendar font of the ANSI character set") {
  StoreSettings({{"Rokuyo", 1}, {"Language", 1}, {"CharSet", ANSI_CHARSET}});
  const std::string face = "ＭＳ ゴシック", points = "12";
  PutValue(kConfigKey, "TypeFace", REG_SZ, face.c_str(), face.size() + 1);
  PutValue(kConfigKey, "PointSize", REG_SZ, points.c_str(), points.size() + 1);
  RunningCalendar calendar(kSecondSunday);
  const CreatedDc dc = CreateMemoryDc(nullptr);
  SelectObject(dc.get(), calendar.Window().CalendarFont());
  CHECK(GetTextCharset(dc.get()) == ANSI_CHARSET);
  SelectObject(dc.get(), calendar.Window().MarkFont());
  CHECK(GetTextCharset(dc.get()) == SHIFTJIS_CHARSET);
}

TEST_CASE("the government's list: read at start and on Apply; a damaged one is reported") {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string appData = std::string(temp) + "tembori-appdata", folder = appData + "\\Tembori";
  const std::string path = folder + "\\syukujitsu.csv";
  CreateDirectoryA(appData.c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  REQUIRE(SetEnvironmentVariableA("APPDATA", appData.c_str()));
  const std::string header = "国民の祝日・休日月日,国民の祝日・休日名称\r\n";
  WriteFile(path, header + "2026/1/1,元日\r\n2026/12/7,試験の日\r\n");

  StoreSettings({{"HolidayLaw", 1}});
  RunningCalendar calendar(kSecondSunday);
  MonthCalendar& month = calendar.Window().Calendar();
  CHECK(month.IsNationalHoliday(7));
  CHECK(month.ListedName(7) == "試験の日");

  // A damaged list on Apply: one message naming the file and the line, and the rules.
  WriteFile(path, header + "2026/1/1,元日\r\n2026/12/32,試験の日\r\n");
  messageText.clear();
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &AnswerMessageBox);
  calendar.Window().ReloadHolidays();
  KillTimer(nullptr, timer);
  CHECK(messageText.find(path) != std::string::npos);
  CHECK(messageText.find("3 行目") != std::string::npos);
  CHECK_FALSE(month.IsNationalHoliday(7));
  CHECK(month.ListedName(7).empty());
  DeleteFileA(path.c_str());
  RemoveDirectoryA(folder.c_str());
  RemoveDirectoryA(appData.c_str());
}
