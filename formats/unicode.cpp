#include "formats/unicode.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace velmora {

namespace {

bool InRange(unsigned char b, unsigned char lo, unsigned char hi) {
  return b >= lo && b <= hi;
}

// ISO-8859-15 differs from ISO-8859-1 in eight places.
struct Latin9Diff {
  unsigned char byte;
  char32_t cp;
};
constexpr std::array<Latin9Diff, 8> kLatin9 = {{{0xA4, 0x20AC},
                                                {0xA6, 0x0160},
                                                {0xA8, 0x0161},
                                                {0xB4, 0x017D},
                                                {0xB8, 0x017E},
                                                {0xBC, 0x0152},
                                                {0xBD, 0x0153},
                                                {0xBE, 0x0178}}};

}  // namespace

Utf8Step DecodeUtf8(std::string_view s, std::size_t pos) {
  Utf8Step step;
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) {
    step.codePoint = lead;
    step.valid = true;
    return step;
  }
  std::size_t need = 0;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  char32_t cp = 0;
  if (InRange(lead, 0xC2, 0xDF)) {
    need = 1;
    cp = lead & 0x1F;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    need = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) lo = 0xA0;  // no overlong forms
    if (lead == 0xED) hi = 0x9F;  // no surrogates
  } else if (InRange(lead, 0xF0, 0xF4)) {
    need = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) lo = 0x90;  // no overlong forms
    if (lead == 0xF4) hi = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return step;  // a continuation byte, C0, C1 or F5..FF
  }
  std::size_t len = 1;
  for (std::size_t k = 0; k < need; ++k) {
    if (pos + len >= s.size()) {
      step.length = len;
      return step;
    }
    const auto b = static_cast<unsigned char>(s[pos + len]);
    if (!InRange(b, lo, hi)) {
      step.length = len;
      return step;
    }
    cp = (cp << 6) | (b & 0x3F);
    ++len;
    lo = 0x80;
    hi = 0xBF;
  }
  step.codePoint = cp;
  step.length = len;
  step.valid = true;
  return step;
}

std::size_t FindInvalidUtf8(std::string_view s) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  std::size_t i = 0;
  while (i < s.size()) {
    // Eight ASCII bytes at a time: most of a document is plain ASCII.
    while (i + 8 <= s.size()) {
      std::uint64_t word;
      std::memcpy(&word, s.data() + i, sizeof word);
      if ((word & kHighBits) != 0) break;
      i += 8;
    }
    if (i >= s.size()) break;
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      ++i;
      continue;
    }
    const Utf8Step step = DecodeUtf8(s, i);
    if (!step.valid) return i;
    i += step.length;
  }
  return std::string_view::npos;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  auto unitAt = [&](std::size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  constexpr char32_t kReplacement = 0xFFFD;
  std::string out;
  out.reserve(bytes.size() / 2 + bytes.size() / 8);
  std::size_t i = 0;
  while (i + 1 < bytes.size()) {
    const char32_t u = unitAt(i);
    i += 2;
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 < bytes.size()) {
        const char32_t low = unitAt(i);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          i += 2;
          AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
          continue;
        }
      }
      AppendUtf8(out, kReplacement);
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, u);
    }
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacement);
  return out;
}

std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian) {
  std::string out;
  out.reserve(utf8.size() * 2);
  auto put = [&](char32_t unit) {
    const auto hi = static_cast<char>(unit >> 8);
    const auto lo = static_cast<char>(unit & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  };
  std::size_t i = 0;
  while (i < utf8.size()) {
    const Utf8Step step = DecodeUtf8(utf8, i);
    i += step.length;
    const char32_t cp = step.valid ? step.codePoint : 0xFFFD;
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

char32_t SingleByteCodePoint(SingleByteSet set, unsigned char byte) {
  switch (set) {
    case SingleByteSet::Windows1252:
      return Cp1252CodePoint(byte);
    case SingleByteSet::Latin9:
      for (const auto& d : kLatin9) {
        if (d.byte == byte) return d.cp;
      }
      return byte;
    case SingleByteSet::Latin1:
      break;
  }
  return byte;
}

int SingleByteOf(SingleByteSet set, char32_t cp) {
  switch (set) {
    case SingleByteSet::Windows1252:
      return Cp1252Byte(cp);
    case SingleByteSet::Latin9:
      for (const auto& d : kLatin9) {
        if (d.cp == cp) return d.byte;
        if (d.byte == cp) return -1;  // the Latin-1 character this byte replaced
      }
      break;
    case SingleByteSet::Latin1:
      break;
  }
  return cp <= 0xFF ? static_cast<int>(cp) : -1;
}

}  // namespace velmora
