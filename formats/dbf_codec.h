#pragma once
// The bytes of a dBASE file: the header with its field descriptors, and the
// text of numbers as dBASE fields hold them. Used by the table engine only.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/dbf_table.h"

namespace velmora::dbf {

// The table as messages name it: «/path/PROFT.DBF».
std::string Quoted(const std::filesystem::path& file);

struct Header {
  std::uint8_t version = 0;
  std::uint32_t recordCount = 0;
  std::uint32_t headerLength = 0;
  std::uint32_t recordLength = 0;
  std::vector<FieldInfo> fields;
};

// Reads and checks the header of a whole file held in memory: a known
// version, a terminated list of field descriptors that fits the header, a
// record length that holds the fields, and as many records as the header
// announces. Anything else is an Error naming the file.
Header ParseHeader(std::string_view file, const std::filesystem::path& path);

// The header of a new dBASE III+ table (version 0x03, language driver 0x03,
// no records) with these fields; offsets are filled in.
std::string BuildHeader(std::vector<FieldInfo>& fields);

// Puts today's date and the record count into header bytes.
void StampHeader(std::string& header, std::uint32_t recordCount);

// Without leading and trailing blanks and NUL bytes (the padding that some
// writers leave in empty fields).
// (Inline: every field read and every key of an index goes through them.)
inline std::string_view TrimTrailingPadding(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && (s[end - 1] == ' ' || s[end - 1] == '\0')) --end;
  return s.substr(0, end);
}
inline std::string_view TrimPadding(std::string_view s) {
  s = TrimTrailingPadding(s);
  std::size_t begin = 0;
  while (begin < s.size() && (s[begin] == ' ' || s[begin] == '\0')) ++begin;
  return s.substr(begin);
}

// A decimal number as dBASE writes it: optional sign, digits, optional point
// and digits, optional exponent. Blanks around it are allowed. Empty or
// anything else: nullopt.
std::optional<double> ParseNumber(std::string_view text);
// Only a sign and digits (blanks around allowed), exactly, within long long.
std::optional<long long> ParseWholeNumber(std::string_view text);

// Right-aligned number text for a numeric field of this length and decimals,
// or nullopt when it does not fit (or is not finite).
std::optional<std::string> FormatInteger(long long value, int length, int decimals);
std::optional<std::string> FormatFloat(double value, int length, int decimals);

// Little-endian integers inside the bytes.
std::uint32_t ReadLe32(const char* p);
void WriteLe32(char* p, std::uint32_t v);

}  // namespace velmora::dbf
