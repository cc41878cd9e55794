// The VCALENDAR and VEVENT lines of an export.
#include "ical/ICalWriter.h"

#include "ical/ICalText.h"

namespace tembori {

ICalWriter::ICalWriter(std::string_view version, const ICalDateTime& stamp) {
  stamp_ = FormatDate(stamp.date) + "T" + ZeroPadded(stamp.hour, 2) + ZeroPadded(stamp.minute, 2) +
           ZeroPadded(stamp.second, 2) + "Z";
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
