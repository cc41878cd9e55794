// The VCALENDAR and VEVENT lines of an export.
#include "ical/ICalWriter.h"

#include <cstdio>

#include "ical/ICalText.h"

namespace tembori {

ICalWriter::ICalWriter(std::string_view version, const ICalDateTime& stamp) {
  char text[24];
  std::snprintf(text, sizeof text, "T%02d%02d%02dZ", stamp.hour, stamp.minute, stamp.second);
  stamp_ = FormatDate(stamp.date) + text;
  Line("BEGIN:VCALENDAR");
  Line("VERSION:2.0");
  Line("PRODID:-//Tembori//Tembori " + std::string(version) + "//JA");
  Line("CALSCALE:GREGORIAN");
}

void ICalWriter::Line(std::string_view line) {
  text_ += FoldLine(line);
}

void ICalWriter::Add(const AllDayEvent& event) {
  Line("BEGIN:VEVENT");
  Line("UID:" + event.uid);
  Line("DTSTAMP:" + stamp_);
  Line("DTSTART;VALUE=DATE:" + FormatDate(event.date));
  Line("DTEND;VALUE=DATE:" + FormatDate(NextDay(event.date)));
  if (!event.rule.empty()) Line("RRULE:" + event.rule);
  Line("SUMMARY:" + EscapeText(event.summary));
  if (event.holiday) {
    Line("TRANSP:TRANSPARENT");
    Line("CATEGORIES:HOLIDAY");
  }
  Line("END:VEVENT");
}

std::string ICalWriter::Finish() {
  Line("END:VCALENDAR");
  return std::move(text_);
}

}  // namespace tembori
