// Reading calendar files as other programs write them: zones described in the file, UTC
// times, folds inside a character, escapes, emoji, several days, yearly and other rules,
// to-dos and journal entries; and the refusal, with its line, of whatever is not iCalendar.
#include <doctest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ical/ICalReader.h"

using namespace tembori;

namespace {

// Japan: nine hours ahead of UTC all year.
class TokyoZone : public LocalTimeZone {
 public:
  ICalDateTime FromUtc(const ICalDateTime& utc) const override { return AddSeconds(utc, 9 * 3600); }
};

ICalReadResult Read(std::string_view bytes) {
  return ReadICalendar(bytes, TokyoZone());
}

// A file of the data folder, read without a fault into `count` entries.
ICalReadResult ReadGoodFile(const char* name, std::size_t count) {
  std::ifstream file(std::string(TEMBORI_ICAL_DATA) + "/" + name, std::ios::binary);
  REQUIRE(file);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  ICalReadResult result = Read(bytes.str());
  REQUIRE(result.error == ICalReadError::None);
  REQUIRE(result.entries.size() == count);
  return result;
}

const ICalEntry* Find(const ICalReadResult& result, std::string_view text) {
  for (const ICalEntry& entry : result.entries) {
    if (entry.text == text) return &entry;
  }
  return nullptr;
}

void CheckEntry(const ICalReadResult& result, std::string_view text, ICalDate date,
                ICalRecurrence recurrence = ICalRecurrence::None) {
  CAPTURE(text);
  const ICalEntry* entry = Find(result, text);
  REQUIRE(entry != nullptr);
  CHECK(entry->dated);
  CHECK(entry->date == date);
  CHECK(entry->recurrence == recurrence);
}

}  // namespace

TEST_CASE("timed events land on their local date, through the file's zones and UTC") {
  const ICalReadResult result = ReadGoodFile("other-zone.ics", 3);
  // 10:30 in New York after the change to summer time is 23:30 in Tokyo...
  CheckEntry(result, "ニューヨークと電話", {2026, 3, 10});
  // ...and in its winter, 00:30 the next day.
  CheckEntry(result, "冬の電話", {2026, 1, 16});
  CheckEntry(result, "年越しの集まり", {2027, 1, 1});
  // The alarm's description is not the event's.
  CHECK(Find(result, "アラーム") == nullptr);

  // Summer time from the last Sunday of March (the 29th in 2026), written as the fifth or as
  // a week no month has: 16:30 on the 30th is 23:30 in Tokyo, not 00:30 the next day.
  for (const std::string lastSunday : {"5SU", "9SU", "99999999999SU"}) {
    CAPTURE(lastSunday);
    const ICalReadResult summer = Read(
        "BEGIN:VCALENDAR\nBEGIN:VTIMEZONE\nTZID:CET\n"
        "BEGIN:STANDARD\nDTSTART:19701025T030000\nTZOFFSETTO:+0100\n"
        "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\nEND:STANDARD\n"
        "BEGIN:DAYLIGHT\nDTSTART:19700329T020000\nTZOFFSETTO:+0200\n"
        "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=" +
        lastSunday +
        "\nEND:DAYLIGHT\n"
        "END:VTIMEZONE\nBEGIN:VEVENT\nDTSTART;TZID=CET:20260330T163000\nSUMMARY:x\n"
        "END:VEVENT\nEND:VCALENDAR\n");
    CheckEntry(summer, "x", {2026, 3, 30});
  }
}

TEST_CASE("a hand-written file: BOM, CRLF, a fold inside a character, escapes and rules") {
  const ICalReadResult result = ReadGoodFile("hand-folded.ics", 7);
  CheckEntry(result, "とても長い会議の名前が続いてここで折り返されるかどうかを確かめるための予定",
             {2026, 2, 4});
  CheckEntry(result, "会議, 資料; 予算 \\ 🎂 誕生会", {2026, 3, 5});
  CheckEntry(result, "旅行", {2026, 4, 29});
  CheckEntry(result, "母の誕生日", {1990, 8, 15}, ICalRecurrence::YearlyForever);
  // No summary: the description's first line that has text.
  CheckEntry(result, "週例会", {2026, 1, 6}, ICalRecurrence::Other);
  CheckEntry(result, "税の申告", {2026, 6, 10});  // a to-do is due then
  CheckEntry(result, "日記", {2026, 6, 11});
}

TEST_CASE("a file that python3-icalendar wrote") {
  const ICalReadResult result = ReadGoodFile("client.ics", 9);
  CheckEntry(result, "Call with Chicago", {2026, 7, 10});  // 23:30 at UTC-5
  CheckEntry(result, "結婚記念日", {2001, 11, 22}, ICalRecurrence::YearlyForever);
  CheckEntry(result, "夏休み", {2026, 8, 10});
}

TEST_CASE("yearly rules count as yearly only without end, interval or other days") {
  const auto recurrence = [](const std::string& rule, const char* start = "20260310") {
    const std::string file =
        "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART;VALUE=DATE:" + std::string(start) +
        "\nRRULE:" + rule + "\nSUMMARY:x\nEND:VEVENT\nEND:VCALENDAR\n";
    const ICalReadResult result = Read(file);
    REQUIRE(result.entries.size() == 1);
    return result.entries[0].recurrence;
  };
  CHECK(recurrence("freq=yearly;wkst=MO") == ICalRecurrence::YearlyForever);
  CHECK(recurrence("FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29", "20280229") ==
        ICalRecurrence::YearlyForever);
  CHECK(recurrence("FREQ=YEARLY;COUNT=3") == ICalRecurrence::Other);
  CHECK(recurrence("FREQ=YEARLY;UNTIL=20300101") == ICalRecurrence::Other);
  CHECK(recurrence("FREQ=YEARLY;INTERVAL=2") == ICalRecurrence::Other);
  CHECK(recurrence("FREQ=YEARLY;BYMONTH=4") == ICalRecurrence::Other);
  CHECK(recurrence("FREQ=YEARLY;BYDAY=2MO") == ICalRecurrence::Other);
  CHECK(recurrence("FREQ=MONTHLY") == ICalRecurrence::Other);
}

TEST_CASE("entries without a readable date or text are kept for the count, undated") {
  const ICalReadResult result = Read(
      "BEGIN:VCALENDAR\r\n"
      "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260230\r\nSUMMARY:impossible\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:no start\r\nEND:VEVENT\r\n"
      "BEGIN:VTODO\r\nDTSTART;VALUE=DATE:20260101\r\nSUMMARY:no due date\r\nEND:VTODO\r\n"
      "BEGIN:VEVENT\r\nDTSTART:2026-01-01\r\nSUMMARY:extended form\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260101\r\nEND:VEVENT\r\n"
      "END:VCALENDAR\r\n");
  REQUIRE(result.error == ICalReadError::None);
  REQUIRE(result.entries.size() == 5);
  for (int i = 0; i < 4; ++i) CHECK_FALSE(result.entries[i].dated);
  CHECK(result.entries[4].dated);
  CHECK(result.entries[4].text.empty());
}

TEST_CASE("damaged and foreign files are refused at the line where it shows") {
  struct Case {
    const char* name;
    std::string bytes;
    ICalReadError error;
    int line;
  };
  const Case cases[] = {
      {"empty", "", ICalReadError::NoCalendar, 0},
      {"an event alone", "\r\nBEGIN:VEVENT\r\nEND:VEVENT\r\n", ICalReadError::NoCalendar, 2},
      {"Shift-JIS text",
       "BEGIN:VCALENDAR\nBEGIN:VEVENT\nSUMMARY:\x89\xEF\x8B\x63\nEND:VEVENT\nEND:VCALENDAR\n",
       ICalReadError::InvalidUtf8, 3},
      {"a broken fold",
       "BEGIN:VCALENDAR\nBEGIN:VEVENT\nSUMMARY:\xE6\x97\n \xA5\x98\nEND:VEVENT\nEND:VCALENDAR\n",
       ICalReadError::InvalidUtf8, 3},
      {"a line without a colon", "BEGIN:VCALENDAR\nVERSION 2.0\nEND:VCALENDAR\n",
       ICalReadError::NotICalendar, 2},
      {"a mismatched end", "BEGIN:VCALENDAR\nBEGIN:VEVENT\nEND:VTODO\nEND:VCALENDAR\n",
       ICalReadError::Unbalanced, 3},
      {"cut short", "BEGIN:VCALENDAR\nBEGIN:VEVENT\nSUMMARY:x\n", ICalReadError::Unbalanced, 3},
      {"content after the end", "BEGIN:VCALENDAR\nEND:VCALENDAR\nSUMMARY:x\n",
       ICalReadError::NotICalendar, 3},
      {"too large", "BEGIN:VCALENDAR\n" + std::string(kMaxICalBytes, 'x'), ICalReadError::TooLarge,
       0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    const ICalReadResult result = Read(c.bytes);
    CHECK(result.error == c.error);
    CHECK(result.line == c.line);
    CHECK(result.entries.empty());
  }
}
