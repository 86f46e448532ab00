#pragma once
// Character-level pieces shared by the text helpers, the XML document and the
// settings file: UTF-8 and UTF-16 coding, and the single-byte Windows and ISO
// character sets the ITACA documents come in.
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// One step of UTF-8 decoding at `pos`. A malformed sequence (bad lead byte,
// missing continuation, overlong form, surrogate, beyond U+10FFFF) is invalid
// and covers its longest malformed prefix, at least one byte.
struct Utf8Step {
  char32_t codePoint = 0;
  std::size_t length = 1;
  bool valid = false;
};
Utf8Step DecodeUtf8(std::string_view s, std::size_t pos);

// The offset of the first byte of a malformed UTF-8 sequence, or npos.
std::size_t FindInvalidUtf8(std::string_view s);

void AppendUtf8(std::string& out, char32_t cp);

// UTF-16 (without byte-order mark) to UTF-8; an unpaired surrogate or a lone
// last byte becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);
// Valid UTF-8 to UTF-16 without byte-order mark.
std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian);

// The single-byte character sets of the XML documents.
enum class SingleByteSet { Latin1, Latin9, Windows1252 };
char32_t SingleByteCodePoint(SingleByteSet set, unsigned char byte);
int SingleByteOf(SingleByteSet set, char32_t cp);  // -1 when the set lacks it

// CP1252 (text.h): bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D stand for U+0081 etc.
char32_t Cp1252CodePoint(unsigned char byte);
int Cp1252Byte(char32_t cp);  // -1 when CP1252 lacks the character

// Single-byte text to UTF-8: ASCII stays as it is, every other byte becomes
// the character codePointOf(byte).
template <class CodePointOf>
std::string SingleByteTextToUtf8(std::string_view bytes, CodePointOf codePointOf) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      AppendUtf8(out, codePointOf(b));
    }
  }
  return out;
}

// UTF-8 to single-byte text: ASCII stays as it is, every other character
// (U+FFFD for a malformed sequence) is written by append(out, codePoint).
template <class AppendChar>
std::string Utf8ToSingleByteText(std::string_view utf8, AppendChar append) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      out += utf8[i++];
      continue;
    }
    const Utf8Step step = DecodeUtf8(utf8, i);
    i += step.length;
    append(out, step.valid ? step.codePoint : char32_t{0xFFFD});
  }
  return out;
}

}  // namespace velmora
