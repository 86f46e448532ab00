#pragma once
// Text helpers on single-byte Windows texts (CP1252): one byte is one
// character, positions count from 1, and a blank is character 32 only.
#include <string>
#include <string_view>

namespace velmora {

// The Clipper functions.
std::string LTrim(std::string_view s);  // without leading blanks
std::string RTrim(std::string_view s);  // without trailing blanks
std::string AllTrim(std::string_view s);  // RTrim, then LTrim
std::string Left(std::string_view s, int n);  // first n characters (all when n >= length; empty when n <= 0)
std::string Right(std::string_view s, int n);  // last n characters (same rules)
std::string Iniciales(std::string_view s);  // initials of the later words of a name

// Leading and trailing blanks and control characters (bytes 0..32) removed,
// as the template chooser trims.
std::string TrimBlanksAndControls(std::string_view s);

// Raises a to z to capitals; every other byte, accented letters included, stays.
std::string UpperAZ(std::string_view s);

// Folds every CP1252 letter (accented ones included: à and À are one letter)
// to one case, so that two texts equal "without regard to letter case" fold
// to the same bytes. Used for the unique abbreviations.
std::string FoldCase(std::string_view s);

// CP1252 <-> UTF-8. A character that CP1252 lacks becomes "?". Bytes that
// CP1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 etc.
std::string Cp1252ToUtf8(std::string_view cp1252);
std::string Utf8ToCp1252(std::string_view utf8);

// For literals written in UTF-8 in the sources: Cp("VALENCIÁ") gives the CP1252 bytes.
inline std::string Cp(std::string_view utf8) { return Utf8ToCp1252(utf8); }

}  // namespace velmora
