// Unfolds, checks and walks the content lines of an iCalendar file, keeping the dated entries
// and the time zones that their times refer to.
#include "ical/ICalReader.h"

#include <utility>

#include "ical/ICalText.h"
#include "ical/ICalTimeZone.h"
#include "memo/KeyedList.h"

namespace tembori {

namespace {

struct LogicalLine {
  int line;  // its first physical line
  std::string text;
};

struct ContentLine {
  std::string name;                                // upper case
  KeyedList<std::string, std::string> parameters;  // names upper case, values unquoted
  std::string value;
};

// A date-valued property as written; resolved once every time zone of the file is known.
struct DateProperty {
  bool present = false;
  std::string value;
  bool dateOnly = false;
  std::string zone;
};

struct PendingEntry {
  ICalEntry entry;
  DateProperty start;
  std::string summary;
  std::string description;
  std::vector<std::string> rules;
};

struct PendingObservance {
  std::string onset, offset, rule;
};

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

std::vector<LogicalLine> Unfold(std::string_view bytes) {
  std::vector<LogicalLine> lines;
  int physical = 0;
  while (!bytes.empty()) {
    ++physical;
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty()) {
      lines.back().text.append(line.substr(1));
    } else {
      lines.push_back({physical, std::string(line)});
    }
  }
  return lines;
}

bool ParseContentLine(std::string_view text, ContentLine& content) {
  std::size_t i = 0;
  while (i < text.size() && IsNameChar(text[i])) ++i;
  if (i == 0) return false;
  content.name = Upper(text.substr(0, i));
  while (i < text.size() && text[i] == ';') {
    const std::size_t nameStart = ++i;
    while (i < text.size() && IsNameChar(text[i])) ++i;
    if (i == nameStart || i == text.size() || text[i] != '=') return false;
    const std::string name = Upper(text.substr(nameStart, i - nameStart));
    std::string value;
    ++i;
    // A parameter may hold several values, each quoted or not.
    while (true) {
      if (i < text.size() && text[i] == '"') {
        const std::size_t close = text.find('"', i + 1);
        if (close == std::string_view::npos) return false;
        value.append(text.substr(i + 1, close - i - 1));
        i = close + 1;
      } else {
        const std::size_t start = i;
        while (i < text.size() && text[i] != ';' && text[i] != ':' && text[i] != ',') ++i;
        value.append(text.substr(start, i - start));
      }
      if (i < text.size() && text[i] == ',') {
        value += ',';
        ++i;
        continue;
      }
      break;
    }
    ValueOf(content.parameters, name) = value;
  }
  if (i == text.size() || text[i] != ':') return false;
  content.value = std::string(text.substr(i + 1));
  return true;
}

DateProperty DateOf(const ContentLine& content) {
  DateProperty date;
  date.present = true;
  date.value = content.value;
  const std::string* type = Find(content.parameters, "VALUE");
  date.dateOnly = (type != nullptr && Upper(*type) == "DATE") || content.value.size() == 8;
  const std::string* zone = Find(content.parameters, "TZID");
  if (zone != nullptr) date.zone = *zone;
  return date;
}

// FREQ=YEARLY without end, every year, on the start's own month and day.
bool IsYearlyForever(std::string_view rule) {
  bool yearly = false;
  while (!rule.empty()) {
    const std::size_t end = rule.find(';');
    const std::string part = Upper(rule.substr(0, end));
    rule = end == std::string_view::npos ? std::string_view() : rule.substr(end + 1);
    const std::size_t equals = part.find('=');
    const std::string key = part.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : part.substr(equals + 1);
    if (key == "FREQ") {
      yearly = value == "YEARLY";
    } else if (key == "INTERVAL") {
      if (value != "1") return false;
    } else if (key == "BYMONTH" || key == "BYMONTHDAY") {
      // Checked against the start below; one value only.
      if (value.find(',') != std::string::npos) return false;
    } else if (key != "WKST") {
      return false;  // COUNT, UNTIL, BYDAY and the like
    }
  }
  return yearly;
}

bool RuleMatchesStart(std::string_view rule, const ICalDate& start) {
  while (!rule.empty()) {
    const std::size_t end = rule.find(';');
    const std::string part = Upper(rule.substr(0, end));
    rule = end == std::string_view::npos ? std::string_view() : rule.substr(end + 1);
    if (part.rfind("BYMONTH=", 0) == 0 && part.substr(8) != ZeroPadded(start.month, 1)) {
      return false;
    }
    if (part.rfind("BYMONTHDAY=", 0) == 0 && part.substr(11) != ZeroPadded(start.day, 1)) {
      return false;
    }
  }
  return true;
}

class Reader {
 public:
  explicit Reader(const LocalTimeZone& zone) : zone_(zone) {}

  ICalReadResult Read(std::string_view bytes);

 private:
  ICalReadResult Fail(ICalReadError error, int line) {
    ICalReadResult result;
    result.error = error;
    result.line = line;
    return result;
  }
  void Begin(const std::string& component, int line);
  void Property(const ContentLine& content);
  void End(const std::string& component);
  bool Resolve(const DateProperty& property, ICalDate& date) const;
  ICalEntry Finish(PendingEntry& pending) const;

  const LocalTimeZone& zone_;
  std::vector<std::string> open_;
  std::vector<PendingEntry> entries_;
  bool inEntry_ = false;
  std::string zoneId_;
  std::vector<PendingObservance> observances_;
  KeyedList<std::string, ICalTimeZone> zones_;
};

ICalReadResult Reader::Read(std::string_view bytes) {
  if (bytes.size() > kMaxICalBytes) return Fail(ICalReadError::TooLarge, 0);
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  bool seenCalendar = false;
  int lastLine = 0;
  for (const LogicalLine& line : Unfold(bytes)) {
    lastLine = line.line;
    if (line.text.find_first_not_of(" \t") == std::string::npos) continue;
    if (!IsValidUtf8(line.text)) return Fail(ICalReadError::InvalidUtf8, line.line);
    ContentLine content;
    if (!ParseContentLine(line.text, content)) {
      return Fail(ICalReadError::NotICalendar, line.line);
    }
    const bool begin = content.name == "BEGIN";
    const bool end = content.name == "END";
    const std::string component = Upper(content.value);
    if (!seenCalendar) {
      if (!begin || component != "VCALENDAR") return Fail(ICalReadError::NoCalendar, line.line);
      seenCalendar = true;
    }
    if (open_.empty() && !(begin && component == "VCALENDAR")) {
      return Fail(ICalReadError::NotICalendar, line.line);
    }
    if (begin) {
      Begin(component, line.line);
    } else if (end) {
      if (open_.empty() || open_.back() != component) {
        return Fail(ICalReadError::Unbalanced, line.line);
      }
      End(component);
    } else {
      Property(content);
    }
  }
  if (!seenCalendar) return Fail(ICalReadError::NoCalendar, lastLine);
  if (!open_.empty()) return Fail(ICalReadError::Unbalanced, lastLine);

  ICalReadResult result;
  for (PendingEntry& pending : entries_) result.entries.push_back(Finish(pending));
  return result;
}

void Reader::Begin(const std::string& component, int line) {
  open_.push_back(component);
  if (open_.size() == 2 &&
      (component == "VEVENT" || component == "VTODO" || component == "VJOURNAL")) {
    inEntry_ = true;
    entries_.emplace_back();
    entries_.back().entry.line = line;
  } else if (open_.size() == 2 && component == "VTIMEZONE") {
    zoneId_.clear();
    observances_.clear();
  } else if (open_.size() == 3 && open_[1] == "VTIMEZONE" &&
             (component == "STANDARD" || component == "DAYLIGHT")) {
    observances_.emplace_back();
  }
}

void Reader::Property(const ContentLine& content) {
  const std::string& component = open_.back();
  if (open_.size() == 2 && inEntry_) {
    PendingEntry& pending = entries_.back();
    if (content.name == (component == "VTODO" ? "DUE" : "DTSTART")) {
      pending.start = DateOf(content);
    } else if (content.name == "SUMMARY") {
      pending.summary = UnescapeText(content.value);
    } else if (content.name == "DESCRIPTION") {
      pending.description = UnescapeText(content.value);
    } else if (content.name == "RRULE") {
      pending.rules.push_back(content.value);
    }
  } else if (open_.size() == 2 && component == "VTIMEZONE" && content.name == "TZID") {
    zoneId_ = content.value;
  } else if (open_.size() == 3 && open_[1] == "VTIMEZONE" && !observances_.empty()) {
    PendingObservance& observance = observances_.back();
    if (content.name == "DTSTART") observance.onset = content.value;
    if (content.name == "TZOFFSETTO") observance.offset = content.value;
    if (content.name == "RRULE") observance.rule = Upper(content.value);
  }
}

void Reader::End(const std::string& component) {
  open_.pop_back();
  if (open_.size() != 1) return;
  if (component == "VTIMEZONE") {
    ICalTimeZone zone;
    for (const PendingObservance& observance : observances_) {
      zone.AddObservance(observance.onset, observance.offset, observance.rule);
    }
    if (!zone.Empty()) ValueOf(zones_, zoneId_) = zone;
  }
  inEntry_ = false;
}

bool Reader::Resolve(const DateProperty& property, ICalDate& date) const {
  if (!property.present) return false;
  if (property.dateOnly) return ParseDate(property.value, date);
  ICalDateTime time;
  bool utc = false;
  if (!ParseDateTime(property.value, time, utc)) return false;
  if (!utc && !property.zone.empty()) {
    const ICalTimeZone* described = Find(zones_, property.zone);
    ICalTimeZone fixed;
    // A zone the file neither describes nor names by its offset leaves the time as written.
    if (described != nullptr) {
      time = described->ToUtc(time);
      utc = true;
    } else if (ICalTimeZone::FromOffsetName(property.zone, fixed)) {
      time = fixed.ToUtc(time);
      utc = true;
    }
  }
  date = utc ? zone_.FromUtc(time).date : time.date;
  return true;
}

// The first non-empty line of a text.
std::string FirstLine(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (line.find_first_not_of(" \t") != std::string_view::npos) return std::string(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return {};
}

ICalEntry Reader::Finish(PendingEntry& pending) const {
  ICalEntry entry = std::move(pending.entry);
  entry.dated = Resolve(pending.start, entry.date);
  entry.text = FirstLine(pending.summary);
  if (entry.text.empty()) entry.text = FirstLine(pending.description);
  if (pending.rules.size() == 1 && IsYearlyForever(pending.rules.front()) && entry.dated &&
      RuleMatchesStart(pending.rules.front(), entry.date)) {
    entry.recurrence = ICalRecurrence::YearlyForever;
  } else if (!pending.rules.empty()) {
    entry.recurrence = ICalRecurrence::Other;
  }
  return entry;
}

}  // namespace

ICalReadResult ReadICalendar(std::string_view bytes, const LocalTimeZone& zone) {
  return Reader(zone).Read(bytes);
}

}  // namespace tembori
