// Reading and changing profile-file text line by line.
#include "memo/ProfileText.h"

#include <cstddef>
#include <vector>

namespace tembori {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A value as the profile functions give it back: without the spaces around it, and without
// one pair of the same quote marks around that.
std::string_view ReadBack(std::string_view value) {
  value = Trim(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// One line of the text: where it starts, its content without the line end, and the whole
// line with its end.
struct Line {
  std::size_t start;
  std::string_view content, whole;
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t newline = text.find('\n', start);
    const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
    std::string_view content =
        text.substr(start, (newline == std::string_view::npos ? end : newline) - start);
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    if (start == 0 && content.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
      content.remove_prefix(kUtf8Mark.size());
    }
    lines.push_back({start, content, text.substr(start, end - start)});
    start = end;
  }
  return lines;
}

// The name of a section header line, none for other lines.
std::optional<std::string_view> SectionName(std::string_view content) {
  const std::string_view line = Trim(content);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  return Trim(line.substr(1, (close == std::string_view::npos ? line.size() : close) - 1));
}

// The key of a "key=value" line, none for other lines.
std::optional<std::string_view> KeyName(std::string_view content) {
  const std::size_t equals = content.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(content.substr(0, equals));
}

// The lines of the first section named `section`: its header's index and the index past its
// last line; none when there is no such section.
struct SectionLines {
  std::size_t header, end;
};
std::optional<SectionLines> FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i].content);
    if (!name || !SameName(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end].content)) ++end;
    return SectionLines{i, end};
  }
  return std::nullopt;
}

bool IsKeyLine(const Line& line, std::string_view key) {
  const auto name = KeyName(line.content);
  return name && SameName(*name, key);
}

// Appends `text` to `out`, ended with a line end when it is not empty and has none; a bare
// CR at its end gets its LF, not a second CR, which would become part of the line's value.
void AppendEnded(std::string& out, std::string_view text) {
  out.append(text);
  if (text.empty() || text.back() == '\n') return;
  out += text.back() == '\r' ? "\n" : "\r\n";
}

}  // namespace

std::optional<std::string> ProfileValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  const std::vector<Line> lines = SplitLines(text);
  const auto found = FindSection(lines, section);
  if (!found) return std::nullopt;
  for (std::size_t i = found->header + 1; i < found->end; ++i) {
    if (!IsKeyLine(lines[i], key)) continue;
    const std::string_view content = lines[i].content;
    return std::string(ReadBack(content.substr(content.find('=') + 1)));
  }
  return std::nullopt;
}

std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
  // Quotes that the reader takes off keep a memo's own spaces and quote marks.
  std::string stored(value);
  if (ReadBack(value) != value) stored = '"' + stored + '"';
  value = stored;
  const std::vector<Line> lines = SplitLines(text);
  const auto found = FindSection(lines, section);
  std::string changed;
  if (!found) {
    AppendEnded(changed, text);
    changed.append("[").append(section).append("]\r\n");
    changed.append(key).append("=").append(value).append("\r\n");
    return changed;
  }
  std::size_t last = found->header;  // the section's last line that is not blank
  for (std::size_t i = found->header + 1; i < found->end; ++i) {
    const Line& line = lines[i];
    if (IsKeyLine(line, key)) {
      const std::string_view lineEnd = line.whole.substr(line.content.size());
      changed.append(text.substr(0, line.start)).append(key).append("=").append(value);
      changed.append(lineEnd).append(text.substr(line.start + line.whole.size()));
      return changed;
    }
    if (!Trim(line.content).empty()) last = i;
  }
  const std::size_t insertAt = lines[last].start + lines[last].whole.size();
  AppendEnded(changed, text.substr(0, insertAt));
  changed.append(key).append("=").append(value).append("\r\n");
  changed.append(text.substr(insertAt));
  return changed;
}

std::string RemoveProfileValue(std::string_view text, std::string_view section,
                               std::string_view key) {
  const std::vector<Line> lines = SplitLines(text);
  const auto found = FindSection(lines, section);
  if (!found) return std::string(text);
  std::string kept(text.substr(0, lines[found->header].start));
  for (std::size_t i = found->header; i < lines.size(); ++i) {
    if (i > found->header && i < found->end && IsKeyLine(lines[i], key)) continue;
    kept += lines[i].whole;
  }
  return kept;
}

}  // namespace tembori
