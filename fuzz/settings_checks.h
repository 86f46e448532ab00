#pragma once
// Any bytes as "Tabulix.ini", then the write that the desktop program makes
// when Tabulix started it ([Transformadores] Transformado=<code>). Every
// other line must come back byte for byte, the key must read back with the
// new value, and writing the same value again must change nothing.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/error.h"
#include "formats/settings_file.h"
#include "formats/unicode.h"
#include "fuzz/finding.h"
#include "fuzz/scratch.h"

namespace velmora::fuzz {

namespace settings_checks {

inline const char* const kSection = "Transformadores";
inline const char* const kKey = "Transformado";

struct Line {
  std::string text;
  std::string end;
  bool operator==(const Line& o) const { return text == o.text && end == o.end; }
};

// Lines as Windows reads them: ended by CRLF, LF or a lone CR.
inline std::vector<Line> Lines(std::string_view s) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < s.size()) {
    std::size_t i = start;
    while (i < s.size() && s[i] != '\n' && s[i] != '\r') ++i;
    std::size_t n = 0;
    if (i < s.size()) n = (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ? 2 : 1;
    lines.push_back({std::string(s.substr(start, i - start)), std::string(s.substr(i, n))});
    start = i + n;
  }
  return lines;
}

inline std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

inline bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

inline std::optional<std::string_view> Section(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

inline std::optional<std::string_view> Key(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';' || t.front() == '#' || Section(line)) return std::nullopt;
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, eq));
}

// The value of the key in the first section of that name, as Windows reads it.
inline std::optional<std::string> ReadValue(const std::vector<Line>& lines) {
  bool inside = false, seen = false;
  for (const Line& l : lines) {
    if (auto s = Section(l.text)) {
      if (inside) return std::nullopt;
      inside = !seen && SameName(*s, kSection);
      seen = seen || inside;
      continue;
    }
    if (!inside) continue;
    auto k = Key(l.text);
    if (k && SameName(*k, kKey)) return std::string(Trim(l.text.substr(l.text.find('=') + 1)));
  }
  return std::nullopt;
}

// The text of the file as lines are read: UTF-16 files are decoded.
inline std::string Text(const std::string& bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
    return Utf16ToUtf8(std::string_view(bytes).substr(2), false);
  if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
    return Utf16ToUtf8(std::string_view(bytes).substr(2), true);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
  return bytes;
}

// `after` is `before` with exactly one of: the key's line given the value,
// the key's line added (to the section), or the section and the key added
// at the end. A last line without line end may get one.
inline void CheckOnlyTheKeyChanged(const std::string& before, const std::string& after,
                                   const std::string& value) {
  const std::vector<Line> in = Lines(before);
  const std::vector<Line> out = Lines(after);
  if (before == after) {
    auto read = ReadValue(out);
    Require(read && *read == value, "the file did not change, and the key has another value");
    return;
  }
  std::size_t p = 0;
  while (p < in.size() && p < out.size() && in[p] == out[p]) ++p;
  std::size_t s = 0;
  while (s < in.size() - p && s < out.size() - p &&
         in[in.size() - 1 - s] == out[out.size() - 1 - s])
    ++s;
  std::vector<Line> gone(in.begin() + p, in.end() - s);
  std::vector<Line> added(out.begin() + p, out.end() - s);
  // A last line that only got its line end.
  if (!gone.empty() && gone.front().end.empty() && !added.empty() &&
      added.front().text == gone.front().text && !added.front().end.empty()) {
    gone.erase(gone.begin());
    added.erase(added.begin());
  }
  Require(gone.size() <= 1, "the write changed " + std::to_string(gone.size()) + " lines");
  Require(!added.empty() && added.size() <= 2,
          "the write added " + std::to_string(added.size()) + " lines");
  const Line& keyLine = added.back();
  auto k = Key(keyLine.text);
  Require(k && SameName(*k, kKey), "the line written is not the key's");
  Require(std::string(Trim(keyLine.text.substr(keyLine.text.find('=') + 1))) == value,
          "the line written does not hold the value");
  if (added.size() == 2) {
    Require(gone.empty(), "a line was replaced by two");
    auto sec = Section(added.front().text);
    Require(sec && SameName(*sec, kSection), "two lines added, and the first is not the section");
  }
  if (gone.size() == 1) {
    auto old = Key(gone.front().text);
    Require(old && SameName(*old, kKey), "a line other than the key's was replaced");
  }
  auto read = ReadValue(out);
  Require(read && *read == value, "the key does not read back with the value written");
}

}  // namespace settings_checks

inline void CheckSettingsInput(std::string_view bytes, const Scratch& scratch) {
  using namespace settings_checks;
  scratch.Clear();
  const auto file = scratch.Write("Tabulix.ini", bytes);
  try {
    WriteSettingsValue(file, kSection, kKey, "1");
  } catch (const Error&) {
    Require(ReadBytes(file) == bytes, "a failed write changed the file");
    return;
  }
  const std::string first = ReadBytes(file);
  const std::string original(bytes);
  // UTF-16 that does not decode cleanly cannot keep its lines byte for byte
  // through the text; what matters there is the key.
  const std::string before = Text(original);
  const bool clean = before.find("\xEF\xBF\xBD") == std::string::npos;
  if (clean)
    CheckOnlyTheKeyChanged(before, Text(first), "1");
  else
    Require(ReadValue(Lines(Text(first))) == std::string("1"), "the key does not read back");

  WriteSettingsValue(file, kSection, kKey, "1");
  Require(ReadBytes(file) == first, "writing the same value again changed the file");
  WriteSettingsValue(file, kSection, kKey, "-1");
  if (clean) CheckOnlyTheKeyChanged(Text(first), Text(ReadBytes(file)), "-1");
}

}  // namespace velmora::fuzz
