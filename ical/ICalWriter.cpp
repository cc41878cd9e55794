// The VCALENDAR and VEVENT lines of an export.
#include "ical/ICalWriter.h"

#include "ical/ICalText.h"

namespace tembori {

// The lines without a value of their own are short enough to need no folding.
ICalWriter::ICalWriter(std::string_view version, const ICalDateTime& stamp)
    : stamp_(FormatDate(stamp.date)) {
  stamp_ += 'T';
  AppendZeroPadded(stamp_, stamp.hour, 2);
  AppendZeroPadded(stamp_, stamp.minute, 2);
  AppendZeroPadded(stamp_, stamp.second, 2);
  stamp_ += 'Z';
  text_ = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
  std::string product = "-//Tembori//Tembori ";
  product.append(version);
  product += "//JA";
  Line("PRODID:", product);
  text_ += "CALSCALE:GREGORIAN\r\n";
}

void ICalWriter::Line(std::string_view name, std::string_view value) {
  line_.assign(name);
  line_.append(value);
  text_ += FoldLine(line_);
}

void ICalWriter::Add(const AllDayEvent& event) {
  text_ += "BEGIN:VEVENT\r\n";
  Line("UID:", event.uid);
  Line("DTSTAMP:", stamp_);
  Line("DTSTART;VALUE=DATE:", FormatDate(event.date));
  Line("DTEND;VALUE=DATE:", FormatDate(NextDay(event.date)));
  if (!event.rule.empty()) Line("RRULE:", event.rule);
  Line("SUMMARY:", EscapeText(event.summary));
  if (event.holiday) text_ += "TRANSP:TRANSPARENT\r\nCATEGORIES:HOLIDAY\r\n";
  text_ += "END:VEVENT\r\n";
}

std::string ICalWriter::Finish() {
  text_ += "END:VCALENDAR\r\n";
  return std::move(text_);
}

}  // namespace tembori
