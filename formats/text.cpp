#include "formats/text.h"

#include <array>
#include <cstdint>

#include "formats/unicode.h"

namespace velmora {

namespace {

constexpr char kBlank = ' ';

// The characters of bytes 0x80..0x9F. The five bytes that Windows leaves
// undefined keep their own code (U+0081 ...), so that every byte survives a
// round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// The lower-case partner of each byte (the byte itself when it has none).
constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c + 32);
  t[0x8A] = 0x9A;  // Š š
  t[0x8C] = 0x9C;  // Œ œ
  t[0x8E] = 0x9E;  // Ž ž
  t[0x9F] = 0xFF;  // Ÿ ÿ
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) t[c] = static_cast<unsigned char>(c + 32);  // À..Þ, not ×
  }
  return t;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

}  // namespace

std::string LTrim(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == kBlank) ++i;
  return std::string(s.substr(i));
}

std::string RTrim(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && s[n - 1] == kBlank) --n;
  return std::string(s.substr(0, n));
}

std::string AllTrim(std::string_view s) {
  return LTrim(RTrim(s));
}

std::string Left(std::string_view s, int n) {
  if (n <= 0) return {};
  if (static_cast<std::size_t>(n) >= s.size()) return std::string(s);
  return std::string(s.substr(0, static_cast<std::size_t>(n)));
}

std::string Right(std::string_view s, int n) {
  if (n <= 0) return {};
  if (static_cast<std::size_t>(n) >= s.size()) return std::string(s);
  return std::string(s.substr(s.size() - static_cast<std::size_t>(n)));
}

std::string Iniciales(std::string_view s) {
  // Positions count from 1, as in the names' own rule: a blank at p followed
  // by a word of four or more characters gives that word's first character;
  // a blank among the last five positions but the very last gives the next
  // character whatever it is.
  const std::size_t len = s.size();
  auto at = [&](std::size_t p) { return s[p - 1]; };
  std::string result;
  for (std::size_t p = 1; p + 1 <= len; ++p) {
    if (at(p) != kBlank) continue;
    if (p + 4 < len) {
      if (at(p + 1) != kBlank && at(p + 2) != kBlank && at(p + 3) != kBlank &&
          at(p + 4) != kBlank) {
        result += at(p + 1);
      }
    } else {
      result += at(p + 1);
    }
  }
  return result;
}

std::string TrimBlanksAndControls(std::string_view s) {
  auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && isTrimmed(s[b])) ++b;
  while (e > b && isTrimmed(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::string UpperAZ(std::string_view s) {
  std::string r(s);
  for (char& c : r) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return r;
}

std::string FoldCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
  return r;
}

char32_t Cp1252CodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

int Cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
  return SingleByteTextToUtf8(cp1252, Cp1252CodePoint);
}

std::string Utf8ToCp1252(std::string_view utf8) {
  return Utf8ToSingleByteText(utf8, [](std::string& out, char32_t cp) {
    const int byte = Cp1252Byte(cp);
    out += byte < 0 ? '?' : static_cast<char>(byte);
  });
}

}  // namespace velmora
