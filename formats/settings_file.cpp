#include "formats/settings_file.h"

#include <optional>
#include <string>
#include <vector>

#include "formats/error.h"
#include "formats/file_bytes.h"
#include "formats/unicode.h"

namespace velmora {

namespace fs = std::filesystem;

namespace {

// One line of the file: its text and its own line end ("", "\n" or "\r\n";
// a lone "\r" counts as a line end too, as Windows reads it).
struct Line {
  std::string_view text;
  std::string_view end;
};

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t i = start;
    while (i < content.size() && content[i] != '\n' && content[i] != '\r') ++i;
    std::size_t endLen = 0;
    if (i < content.size()) {
      endLen = (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ? 2 : 1;
    }
    lines.push_back({content.substr(start, i - start), content.substr(i, endLen)});
    start = i + endLen;
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view t = TrimBlanks(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(t.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
  const std::string_view t = TrimBlanks(line);
  return !t.empty() && (t.front() == ';' || t.front() == '#');
}

// The key of a "key=value" line, or none.
std::optional<std::string_view> KeyName(std::string_view line) {
  if (IsComment(line) || SectionName(line)) return std::nullopt;
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(0, eq));
}

// The file's own line end: that of its first line, CRLF for a file without any.
std::string_view LineEnd(const std::vector<Line>& lines) {
  for (const Line& l : lines) {
    if (!l.end.empty()) return l.end;
  }
  return "\r\n";
}

std::string Rewrite(std::string_view content, std::string_view section, std::string_view key,
                    std::string_view value) {
  const std::vector<Line> lines = SplitLines(content);
  const std::string_view eol = LineEnd(lines);
  const std::string keyLine = std::string(key) + "=" + std::string(value);

  // The first section of that name, as Windows reads it.
  std::optional<std::size_t> header;
  std::size_t sectionEnd = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i].text);
    if (!name) continue;
    if (header) {
      sectionEnd = i;
      break;
    }
    if (SameName(*name, section)) header = i;
  }

  std::string out;
  out.reserve(content.size() + keyLine.size() + section.size() + 8);
  if (!header) {
    out.append(content);
    if (!content.empty() && content.back() != '\n' && content.back() != '\r') out.append(eol);
    out.append("[").append(section).append("]").append(eol);
    out.append(keyLine).append(eol);
    return out;
  }

  std::optional<std::size_t> keyAt;
  std::size_t lastKey = *header;
  for (std::size_t i = *header + 1; i < sectionEnd; ++i) {
    const auto name = KeyName(lines[i].text);
    if (!name) continue;
    lastKey = i;
    if (!keyAt && SameName(*name, key)) keyAt = i;
  }

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line& l = lines[i];
    if (keyAt && i == *keyAt) {
      // Keep the key as written and the blanks after "="; replace the rest.
      std::size_t valueStart = l.text.find('=') + 1;
      while (valueStart < l.text.size() &&
             (l.text[valueStart] == ' ' || l.text[valueStart] == '\t'))
        ++valueStart;
      out.append(l.text.substr(0, valueStart)).append(value).append(l.end);
      continue;
    }
    out.append(l.text).append(l.end);
    if (!keyAt && i == lastKey) {
      if (l.end.empty()) out.append(eol);
      out.append(keyLine);
      // The line end of the line it follows: a lone CR there cannot be
      // followed by LF, so the new line's end never merges with the next
      // line's into one CRLF (which would swallow an empty line).
      if (!l.end.empty()) out.append(l.end);
    }
  }
  return out;
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

void WriteSettingsValue(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) {
    throw Error("No se puede escribir en «" + PathText(file) +
                "»: la sección, la clave o el valor " +
                "contienen caracteres que un archivo de configuración no admite");
  }
  std::string content;
  std::error_code ec;
  if (fs::exists(file, ec)) content = ReadFileBytes(file);

  // Windows also keeps settings files in UTF-16 with a byte-order mark; such
  // a file is edited as text and written back in its own encoding.
  const bool utf16le = content.size() >= 2 && content[0] == '\xFF' && content[1] == '\xFE';
  const bool utf16be = content.size() >= 2 && content[0] == '\xFE' && content[1] == '\xFF';
  if (utf16le || utf16be) {
    const std::string text = Utf16ToUtf8(std::string_view(content).substr(2), utf16be);
    const std::string edited = Rewrite(text, section, key, value);
    ReplaceFileBytes(file, content.substr(0, 2) + Utf8ToUtf16(edited, utf16be));
    return;
  }
  // A UTF-8 byte-order mark stays in front of the first line.
  const std::string_view bom = "\xEF\xBB\xBF";
  const bool hasBom = std::string_view(content).substr(0, 3) == bom;
  const std::string_view text = std::string_view(content).substr(hasBom ? 3 : 0);
  ReplaceFileBytes(
      file, (hasBom ? std::string(bom) : std::string()) + Rewrite(text, section, key, value));
}

}  // namespace velmora
