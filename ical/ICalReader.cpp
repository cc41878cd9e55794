// Unfolds, checks and walks the content lines of an iCalendar file, keeping the dated entries
// and the time zones that their times refer to.
#include "ical/ICalReader.h"

#include <utility>

#include "ical/ICalName.h"
#include "ical/ICalText.h"
#include "ical/ICalTimeZone.h"

namespace tembori {

namespace {

// The line being read: views of its name and value, and the parameters that matter here.
struct ContentLine {
  std::string_view name;
  ICalName known = ICalName::Other;  // the name, looked up
  std::string_view value;
  bool dateValue = false;  // VALUE=DATE
  std::string zone;        // TZID, unquoted
};

struct PendingObservance {
  std::string onset, offset, rule;
};

void UpperCase(char* text, std::size_t length) {
  for (; length > 0; ++text, --length) {
    if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 'a' + 'A');
  }
}

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// The end of the name that starts at `start`, which is upper-cased.
std::size_t NameEnd(std::string& line, std::size_t start) {
  std::size_t end = start;
  while (end < line.size() && IsNameChar(line[end])) ++end;
  UpperCase(&line[start], end - start);
  return end;
}

// One physical line, without its line break.
std::string_view TakeLine(std::string_view& bytes) {
  const std::size_t end = bytes.find('\n');
  std::string_view line = bytes.substr(0, end);
  bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Names are upper-cased in place, and so are the values that name a component or make a rule:
// files write them in any case.
bool ParseContentLine(std::string& line, ContentLine& content) {
  std::size_t i = NameEnd(line, 0);
  if (i == 0) return false;
  const std::string_view text = line;
  content.name = text.substr(0, i);
  std::string parameter;
  while (i < text.size() && text[i] == ';') {
    const std::size_t nameStart = ++i;
    i = NameEnd(line, i);
    if (i == nameStart || i == text.size() || text[i] != '=') return false;
    const ICalName name = ICalNameOf(text.substr(nameStart, i - nameStart));
    parameter.clear();
    ++i;
    // A parameter may hold several values, each quoted or not.
    while (true) {
      if (i < text.size() && text[i] == '"') {
        const std::size_t close = text.find('"', i + 1);
        if (close == std::string_view::npos) return false;
        parameter.append(text.substr(i + 1, close - i - 1));
        i = close + 1;
      } else {
        const std::size_t start = i;
        while (i < text.size() && text[i] != ';' && text[i] != ':' && text[i] != ',') ++i;
        parameter.append(text.substr(start, i - start));
      }
      if (i < text.size() && text[i] == ',') {
        parameter += ',';
        ++i;
        continue;
      }
      break;
    }
    if (name == ICalName::ValueType) {
      UpperCase(parameter.data(), parameter.size());
      content.dateValue = ICalNameOf(parameter) == ICalName::Date;
    } else if (name == ICalName::ZoneId) {
      content.zone = parameter;
    }
  }
  if (i == text.size() || text[i] != ':') return false;
  content.value = text.substr(i + 1);
  content.known = ICalNameOf(content.name);
  if (content.known == ICalName::Begin || content.known == ICalName::End ||
      content.known == ICalName::Rule) {
    UpperCase(&line[i + 1], content.value.size());
  }
  return true;
}

// Whether `text` is `value` (a month or a day) in decimal, without leading zeros.
bool IsDecimal(std::string_view text, int value) {
  int parsed = 0;
  for (const char c : text) {
    if (c < '0' || c > '9' || parsed > value) return false;
    parsed = parsed * 10 + (c - '0');
  }
  return !text.empty() && text[0] != '0' && parsed == value;
}

// FREQ=YEARLY without end, every year, on the start's own month and day (one value each).
bool IsYearlyForever(std::string_view rule, const ICalDate& start) {
  bool yearly = false;
  while (!rule.empty()) {
    const std::size_t end = rule.find(';');
    const std::string_view part = rule.substr(0, end);
    rule = end == std::string_view::npos ? std::string_view() : rule.substr(end + 1);
    const std::size_t equals = part.find('=');
    const bool valued = equals != std::string_view::npos;
    const std::string_view value = valued ? part.substr(equals + 1) : std::string_view();
    switch (ICalNameOf(part.substr(0, equals))) {
      case ICalName::Frequency:
        yearly = ICalNameOf(value) == ICalName::Yearly;
        break;
      case ICalName::Interval:
        if (value != "1") return false;
        break;
      case ICalName::ByMonth:
        if (valued && !IsDecimal(value, start.month)) return false;
        break;
      case ICalName::ByMonthDay:
        if (valued && !IsDecimal(value, start.day)) return false;
        break;
      case ICalName::WeekStart:
        break;
      default:
        return false;  // COUNT, UNTIL, BYDAY and the like
    }
  }
  return yearly;
}

bool IsEntry(ICalName component) {
  return component == ICalName::Event || component == ICalName::ToDo ||
         component == ICalName::Journal;
}

class Reader {
 public:
  explicit Reader(const LocalTimeZone& local) : local_(local) {}

  // The file is walked twice: for its time zones, and then for its entries, whose times may
  // refer to a zone that the file describes after them. Both walks meet the same faults.
  ICalReadResult Read(std::string_view bytes);

 private:
  // False, with the fault in `result`, when the file is refused.
  bool Walk(std::string_view bytes, ICalReadResult& result);
  void Begin(std::string_view component, int line);
  void Property(const ContentLine& content);
  void End(std::string_view component);
  void AddObservance();
  ICalTimeZone* ZoneNamed(std::string_view id);
  bool Resolve(const ContentLine& start, ICalDate& date);

  const LocalTimeZone& local_;
  bool readingEntries_ = false;
  std::vector<std::string> open_;       // upper case
  ICalName section_ = ICalName::Other;  // the component inside VCALENDAR that is open
  // The entries; the last is being read while inEntry_, with what is settled at its end.
  std::vector<ICalEntry> entries_;
  bool inEntry_ = false;
  std::string description_;  // the first line of its description
  int rules_ = 0;            // its RRULEs
  std::string firstRule_;    // upper case
  // The VTIMEZONE being read, and its latest observance, which takes the properties that follow.
  std::string zoneId_;
  ICalTimeZone described_;
  bool inObservance_ = false;
  PendingObservance observance_;
  std::vector<std::pair<std::string, ICalTimeZone>> zones_;  // by TZID
};

bool Fail(ICalReadResult& result, ICalReadError error, int line) {
  result.error = error;
  result.line = line;
  return false;
}

ICalReadResult Reader::Read(std::string_view bytes) {
  ICalReadResult result;
  if (bytes.size() > kMaxICalBytes) {
    Fail(result, ICalReadError::TooLarge, 0);
    return result;
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (Walk(bytes, result)) {
    readingEntries_ = true;
    Walk(bytes, result);
    result.entries = std::move(entries_);
  }
  return result;
}

bool Reader::Walk(std::string_view bytes, ICalReadResult& result) {
  bool seenCalendar = false;
  int physical = 0;
  int line = 0;
  std::string text;
  while (!bytes.empty()) {
    line = ++physical;
    text = TakeLine(bytes);
    while (!bytes.empty() && (bytes[0] == ' ' || bytes[0] == '\t')) {
      ++physical;
      text.append(TakeLine(bytes).substr(1));
    }
    if (text.find_first_not_of(" \t") == std::string::npos) continue;
    if (!IsValidUtf8(text)) return Fail(result, ICalReadError::InvalidUtf8, line);
    ContentLine content;
    if (!ParseContentLine(text, content)) return Fail(result, ICalReadError::NotICalendar, line);
    const ICalName name = content.known;
    const bool opensCalendar =
        name == ICalName::Begin && ICalNameOf(content.value) == ICalName::Calendar;
    if (!seenCalendar) {
      if (!opensCalendar) return Fail(result, ICalReadError::NoCalendar, line);
      seenCalendar = true;
    }
    if (open_.empty() && !opensCalendar) return Fail(result, ICalReadError::NotICalendar, line);
    if (name == ICalName::Begin) {
      Begin(content.value, line);
    } else if (name == ICalName::End) {
      if (open_.empty() || open_.back() != content.value) {
        return Fail(result, ICalReadError::Unbalanced, line);
      }
      End(content.value);
    } else {
      Property(content);
    }
  }
  if (!seenCalendar) return Fail(result, ICalReadError::NoCalendar, line);
  if (!open_.empty()) return Fail(result, ICalReadError::Unbalanced, line);
  return true;
}

void Reader::Begin(std::string_view component, int line) {
  open_.emplace_back(component);
  const ICalName name = ICalNameOf(component);
  if (open_.size() == 2) {
    section_ = name;
    if (IsEntry(name) && readingEntries_) {
      inEntry_ = true;
      entries_.emplace_back().line = line;
      description_.clear();
      rules_ = 0;
    } else if (name == ICalName::TimeZone && !readingEntries_) {
      zoneId_.clear();
      described_ = ICalTimeZone();
      inObservance_ = false;
    }
  } else if (open_.size() == 3 && section_ == ICalName::TimeZone &&
             (name == ICalName::Standard || name == ICalName::Daylight) && !readingEntries_) {
    AddObservance();
    inObservance_ = true;
    observance_ = PendingObservance();
  }
}

void Reader::Property(const ContentLine& content) {
  const ICalName name = content.known;
  if (open_.size() == 2 && inEntry_) {
    ICalEntry& entry = entries_.back();
    if (name == (section_ == ICalName::ToDo ? ICalName::Due : ICalName::Start)) {
      ICalDate date;
      entry.dated = Resolve(content, date);
      entry.date = date;
    } else if (name == ICalName::Summary) {
      entry.text = FirstTextLine(content.value);
    } else if (name == ICalName::Description) {
      description_ = FirstTextLine(content.value);
    } else if (name == ICalName::Rule && ++rules_ == 1) {
      firstRule_ = content.value;
    }
  } else if (open_.size() == 2 && section_ == ICalName::TimeZone && name == ICalName::ZoneId) {
    zoneId_ = content.value;
  } else if (open_.size() == 3 && section_ == ICalName::TimeZone && inObservance_) {
    if (name == ICalName::Start) observance_.onset = content.value;
    if (name == ICalName::OffsetTo) observance_.offset = content.value;
    if (name == ICalName::Rule) observance_.rule = content.value;
  }
}

void Reader::AddObservance() {
  if (inObservance_) {
    described_.AddObservance(observance_.onset, observance_.offset, observance_.rule);
  }
}

ICalTimeZone* Reader::ZoneNamed(std::string_view id) {
  for (auto& [name, zone] : zones_) {
    if (name == id) return &zone;
  }
  return nullptr;
}

void Reader::End(std::string_view component) {
  open_.pop_back();
  if (open_.size() != 1) return;
  if (inEntry_) {
    ICalEntry& entry = entries_.back();
    if (entry.text.empty()) entry.text = description_;
    if (rules_ == 1 && entry.dated && IsYearlyForever(firstRule_, entry.date)) {
      entry.recurrence = ICalRecurrence::YearlyForever;
    } else if (rules_ > 0) {
      entry.recurrence = ICalRecurrence::Other;
    }
  } else if (ICalNameOf(component) == ICalName::TimeZone && !readingEntries_) {
    AddObservance();
    inObservance_ = false;
    if (!described_.Empty()) {
      ICalTimeZone* const known = ZoneNamed(zoneId_);
      if (known != nullptr) {
        *known = std::move(described_);
      } else {
        zones_.emplace_back(zoneId_, std::move(described_));
      }
    }
  }
  inEntry_ = false;
}

// False, the date left empty, for a start that cannot be read.
bool Reader::Resolve(const ContentLine& start, ICalDate& date) {
  if (start.dateValue || start.value.size() == 8) return ParseDate(start.value, date);
  ICalDateTime time;
  bool utc = false;
  if (!ParseDateTime(start.value, time, utc)) return false;
  if (!utc && !start.zone.empty()) {
    const ICalTimeZone* const described = ZoneNamed(start.zone);
    int offsetSeconds = 0;
    // A zone the file neither describes nor names by its offset leaves the time as written.
    if (described != nullptr) {
      time = described->ToUtc(time);
      utc = true;
    } else if (ICalTimeZone::OffsetOfName(start.zone, offsetSeconds)) {
      time = AddSeconds(time, -offsetSeconds);
      utc = true;
    }
  }
  date = utc ? local_.FromUtc(time).date : time.date;
  return true;
}

}  // namespace

ICalReadResult ReadICalendar(std::string_view bytes, const LocalTimeZone& zone) {
  return Reader(zone).Read(bytes);
}

}  // namespace tembori
