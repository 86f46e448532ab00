#include <gtest/gtest.h>

#include <string>

#include "formats/text.h"

namespace velmora {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string utf8 = Cp1252ToUtf8(one);
    EXPECT_EQ(Utf8ToCp1252(utf8), one) << "byte " << b;
  }
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, TheWindowsCharactersOfBytes80To9F) {
  struct Pair {
    unsigned char byte;
    const char* utf8;
  };
  const Pair pairs[] = {
      {0x80, "€"},
      {0x82, "‚"},
      {0x83, "ƒ"},
      {0x84, "„"},
      {0x85, "…"},
      {0x86, "†"},
      {0x87, "‡"},
      {0x88, "ˆ"},
      {0x89, "‰"},
      {0x8A, "Š"},
      {0x8B, "‹"},
      {0x8C, "Œ"},
      {0x8E, "Ž"},
      {0x91, "‘"},
      {0x92, "’"},
      {0x93, "“"},
      {0x94, "”"},
      {0x95, "•"},
      {0x96, "–"},
      {0x97, "—"},
      {0x98, "˜"},
      {0x99, "™"},
      {0x9A, "š"},
      {0x9B, "›"},
      {0x9C, "œ"},
      {0x9E, "ž"},
      {0x9F, "Ÿ"},
      // Undefined in Windows: kept as the C1 control of the same number.
      {0x81, "\xC2\x81"},
      {0x8D, "\xC2\x8D"},
      {0x8F, "\xC2\x8F"},
      {0x90, "\xC2\x90"},
      {0x9D, "\xC2\x9D"},
      // Latin-1 part.
      {0xA0, "\xC2\xA0"},
      {0xC1, "Á"},
      {0xD1, "Ñ"},
      {0xE7, "ç"},
      {0xFF, "ÿ"},
  };
  for (const auto& p : pairs) {
    SCOPED_TRACE(p.utf8);
    const std::string one(1, static_cast<char>(p.byte));
    EXPECT_EQ(Cp1252ToUtf8(one), p.utf8);
    EXPECT_EQ(Utf8ToCp1252(p.utf8), one);
  }
  EXPECT_EQ(Cp("VALENCIÁ"), "VALENCI\xC1");
  EXPECT_EQ(Cp1252ToUtf8("Educaci\xF3 F\xEDsica"), "Educació Física");
}

TEST(Cp1252, WhatWindowsLacksBecomesAQuestionMark) {
  struct Case {
    std::string utf8;
    std::string cp1252;
  };
  const Case cases[] = {
      {"Ł", "?"},  // Polish L: not in CP1252
      {"ŁÓDŹ",
       "?\xD3"
       "D?"},
      {"日本", "??"},
      {"😀", "?"},         // outside the BMP
      {"\xC2\x80", "?"},  // U+0080: a C1 control CP1252 has no byte for
      {"\xC2\x9F", "?"},
      {"\x80", "?"},  // stray continuation byte
      {"a\xFF"
       "b",
       "a?b"},        // never valid in UTF-8
      {"\xC3", "?"},  // truncated at the end
      {"\xC3"
       "A",
       "?A"},  // missing continuation
      {"\xE2\x82"
       "x",
       "?x"},                        // truncated three-byte sequence counts once
      {"\xC0\xAF", "??"},            // overlong '/'
      {"\xED\xA0\x80", "???"},       // a surrogate
      {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
      {"\xC3\xA1\xC3", "\xE1?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
  }
}

}  // namespace
}  // namespace velmora
