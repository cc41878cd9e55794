// Escaping, folding and UTF-8 checks for iCalendar content lines.
#include "ical/ICalText.h"

namespace tembori {

namespace {

bool IsContinuationByte(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\':
      case ';':
      case ',':
        escaped += '\\';
        escaped += c;
        break;
      case '\r':
        // CRLF is one line break.
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        escaped += "\\n";
        break;
      case '\n':
        escaped += "\\n";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string FirstTextLine(std::string_view escaped) {
  std::string line;
  for (std::size_t i = 0; i <= escaped.size(); ++i) {
    char c = i < escaped.size() ? escaped[i] : '\n';
    if (c == '\\' && i + 1 < escaped.size()) {
      c = escaped[++i];
      if (c == 'n' || c == 'N') c = '\n';
    }
    if (c != '\r' && c != '\n') {
      line += c;
    } else if (line.find_first_not_of(" \t") != std::string::npos) {
      return line;
    } else {
      line.clear();
    }
  }
  return line;
}

std::string FoldLine(std::string_view line) {
  std::string folded;
  folded.reserve(line.size() + line.size() / 64 * 3 + 2);
  std::size_t room = kICalLineOctets;
  while (line.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && IsContinuationByte(static_cast<unsigned char>(line[cut]))) --cut;
    // A run of continuation bytes longer than a line is no character to keep whole: cutting
    // it anywhere is the only way forward.
    if (cut == 0) cut = room;
    folded.append(line.substr(0, cut));
    folded += "\r\n ";
    line.remove_prefix(cut);
    room = kICalLineOctets - 1;  // the leading space counts
  }
  folded.append(line);
  folded += "\r\n";
  return folded;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned long codePoint = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      codePoint = lead & 0x07;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if (!IsContinuationByte(next)) return false;
      codePoint = codePoint << 6 | (next & 0x3F);
    }
    if ((length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000) ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
      return false;
    }
    i += length;
  }
  return true;
}

std::string_view TruncateUtf8(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t cut = maxBytes;
  while (cut > 0 && IsContinuationByte(static_cast<unsigned char>(text[cut]))) --cut;
  return text.substr(0, cut);
}

}  // namespace tembori
