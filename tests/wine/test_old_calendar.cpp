// The Japanese calendar's marks in the window: the era year in the heading and the title bar,
// the 六曜 under each number and in the pop-up with the solar terms, the cells grown for them,
// and the government's list of holidays read at start and on Apply, a damaged one reported.
#include <doctest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "CalendarHarness.h"
#include "app/MemoPopupText.h"
#include "res/ResourceIds.h"

using namespace tembori;
using namespace tembori::testing;

namespace {

constexpr SystemTime kSecondSunday = {2026, 12, 0, 6, 12, 0, 0, 0};  // 先勝, 大雪 the next day
constexpr SystemTime kReiwaFirstDay = {2019, 5, 3, 1, 12, 0, 0, 0};

std::string Title(HWND window) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

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
  std::FILE* file = std::fopen(path.c_str(), "wb");
  REQUIRE(file != nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

}  // namespace

TEST_CASE("with EraYear the heading and the title's date are in the era, 元年 for the first") {
  StoreSettings({{"EraYear", 1}, {"DispToday", 1}});
  {
    RunningCalendar calendar(kSecondSunday);
    CHECK(HeadingReads(calendar, "令和8年 12月"));
    CHECK(Title(calendar.Handle()) == "令和8年 12月 6日 (日)");
  }
  {
    RunningCalendar calendar(kReiwaFirstDay);
    CHECK(HeadingReads(calendar, "令和元年 5月"));
    CHECK(Title(calendar.Handle()) == "令和元年 5月 1日 (水)");
    // April: the era in force on its first day.
    calendar.Window().Calendar().PrevMonth();
    InvalidateRect(calendar.Handle(), nullptr, TRUE);
    PumpMessages();
    CHECK(HeadingReads(calendar, "平成31年 4月"));
  }
  // The English texts keep the Western year; without the setting the Japanese ones do too.
  StoreSettings({{"EraYear", 1}, {"DispToday", 1}, {"Language", 1}});
  {
    RunningCalendar calendar(kSecondSunday);
    CHECK(HeadingReads(calendar, "Dec. 2026"));
    CHECK(Title(calendar.Handle()).find("2026") == std::string::npos);  // "Sun, Dec 06 26"
    CHECK(Title(calendar.Handle()).find("Dec") != std::string::npos);
  }
  StoreSettings({{"DispToday", 1}});
  RunningCalendar calendar(kSecondSunday);
  CHECK(HeadingReads(calendar, "2026年 12月"));
  CHECK(Title(calendar.Handle()) == "26年 12月 6日 (日)");
}

TEST_CASE("with Rokuyo every day's pop-up ends with its 六曜 and solar term") {
  StoreSettings({{"Rokuyo", 1}});
  RunningCalendar calendar(kSecondSunday);
  CalendarWindow& window = calendar.Window();
  CHECK(PopupTextForDay(window.Memos(), window.Calendar(), 6, true) == std::string("先勝"));
  CHECK(PopupTextForDay(window.Memos(), window.Calendar(), 7, true) == std::string("友引　大雪"));
  // Screen readers hear the cell's 六曜 last.
  const std::string sunday = window.AccessibleDayDescription(6);
  CHECK(sunday.size() > std::strlen("、先勝"));
  CHECK(sunday.compare(sunday.size() - std::strlen("、先勝"), std::string::npos, "、先勝") == 0);
  CHECK(window.AccessibleDayDescription(8) == "先負");
  // A named day keeps its name in front.
  CHECK(PopupTextForDay(window.Memos(), window.Calendar(), 25, true) ==
        std::string("Merry Christmas!!　先負"));
  window.Calendar().PrevMonth();
  CHECK(PopupTextForDay(window.Memos(), window.Calendar(), 3, true) ==
        std::string("文化の日　友引"));
  // Without the setting a day with nothing to say has no pop-up.
  CHECK_FALSE(PopupTextForDay(window.Memos(), window.Calendar(), 4, false).has_value());
}

TEST_CASE("with Rokuyo the cells grow for the 六曜 under the numbers; without it they do not") {
  StoreSettings({});
  CellSize plain;
  {
    RunningCalendar calendar(kSecondSunday);
    plain = calendar.Window().Cell();
    CHECK(calendar.Window().AccessibleDayDescription(8).empty());
  }
  StoreSettings({{"Rokuyo", 1}});
  RunningCalendar calendar(kSecondSunday);
  CalendarWindow& window = calendar.Window();
  const CellSize marked = window.Cell();
  const CellSize mark = window.MarkSize();
  CHECK(mark.height > 0);
  CHECK(marked.height == plain.height + MarkLineHeight(mark, kDefaultDpi));
  CHECK(MarkLineHeight(mark, kDefaultDpi) > mark.height);
  CHECK(marked.width >= plain.width);
  CHECK(marked.width > mark.width);
  // The mark's line under the number of an ordinary day holds text in the day's colour.
  const Picture picture(calendar.Handle());
  RECT cell = DayCell(window, 8);
  const RECT markLine = {cell.left, cell.bottom - MarkLineHeight(mark, kDefaultDpi), cell.right,
                         cell.bottom};
  CHECK(picture.Count(markLine, kOrdinary) > 0);
  // A Sunday's in the holiday colour.
  cell = DayCell(window, 13);
  const RECT sundayLine = {cell.left, cell.bottom - MarkLineHeight(mark, kDefaultDpi), cell.right,
                           cell.bottom};
  CHECK(picture.Count(sundayLine, kHoliday) > 0);
  CHECK(picture.Count(sundayLine, kOrdinary) == 0);
}

TEST_CASE("the government's list: read at start and on Apply; a damaged one is reported") {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string appData = std::string(folder) + "tembori-appdata";
  CreateDirectoryA(appData.c_str(), nullptr);
  CreateDirectoryA((appData + "\\Tembori").c_str(), nullptr);
  const std::string path = appData + "\\Tembori\\syukujitsu.csv";
  REQUIRE(SetEnvironmentVariableA("APPDATA", appData.c_str()));
  const std::string header = "国民の祝日・休日月日,国民の祝日・休日名称\r\n";
  WriteFile(path, header + "2026/1/1,元日\r\n2026/12/7,試験の日\r\n");

  StoreSettings({{"HolidayLaw", 1}});
  {
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
  }
  // With the calendar's own rules the list is not read at all.
  StoreSettings({{"HolidayLaw", 0}});
  WriteFile(path, header + "2026/12/7,試験の日\r\n");
  {
    RunningCalendar calendar(kSecondSunday);
    CHECK_FALSE(calendar.Window().Calendar().IsNationalHoliday(7));
  }
  DeleteFileA(path.c_str());
  RemoveDirectoryA((appData + "\\Tembori").c_str());
  RemoveDirectoryA(appData.c_str());
}
