#include "formats/dbf_codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iterator>

#include "formats/error.h"
#include "formats/text.h"

namespace velmora::dbf {

namespace {

constexpr std::size_t kPrefixSize = 32;
constexpr std::size_t kDescriptorSize = 32;
constexpr char kTerminator = 0x0D;

std::uint32_t ReadLe16(const char* p) {
  auto b = reinterpret_cast<const unsigned char*>(p);
  return b[0] | (b[1] << 8);
}

void WriteLe16(char* p, std::uint32_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>((v >> 8) & 0xFF);
}

[[noreturn]] void Corrupt(const std::filesystem::path& path, const std::string& why) {
  throw Error("la tabla " + Quoted(path) + " no es un archivo dBASE válido: " + why);
}

// dBASE III, IV and 5 (with or without memo: 0x03, 0x83, 0x8B, 0xCB...),
// FoxPro (0xF5, 0xFB) and Visual FoxPro (0x30, 0x31, 0x32) share the layout
// of 32-byte field descriptors. dBASE 7 (0x04, 0x8C) does not.
bool KnownVersion(std::uint8_t v) {
  return (v & 0x07) == 0x03 || v == 0x30 || v == 0x31 || v == 0x32 || v == 0xF5;
}

std::string Hex(unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", v);
  return buf;
}

}  // namespace

std::string Quoted(const std::filesystem::path& file) {
  return "«" + file.string() + "»";
}

std::uint32_t ReadLe32(const char* p) {
  auto b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

void WriteLe32(char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

Header ParseHeader(std::string_view file, const std::filesystem::path& path) {
  if (file.size() < kPrefixSize + 1) Corrupt(path, "el archivo es demasiado corto");
  Header h;
  h.version = static_cast<std::uint8_t>(file[0]);
  if (!KnownVersion(h.version)) Corrupt(path, "versión desconocida " + Hex(h.version));
  h.recordCount = ReadLe32(file.data() + 4);
  h.headerLength = ReadLe16(file.data() + 8);
  h.recordLength = ReadLe16(file.data() + 10);
  if (h.headerLength < kPrefixSize + 1 || h.headerLength > file.size())
    Corrupt(path, "la longitud de la cabecera (" + std::to_string(h.headerLength) +
                      ") no cabe en el archivo (" + std::to_string(file.size()) + " bytes)");

  std::size_t pos = kPrefixSize;
  bool terminated = false;
  int offset = 1;  // after the deletion flag
  while (pos < h.headerLength) {
    if (file[pos] == kTerminator) {
      terminated = true;
      break;
    }
    if (pos + kDescriptorSize > h.headerLength) break;
    const char* d = file.data() + pos;
    FieldInfo f;
    std::string_view rawName(d, 11);
    rawName = rawName.substr(0, rawName.find('\0'));
    f.name = std::string(TrimTrailingPadding(rawName));
    f.type = d[11];
    auto length = static_cast<unsigned char>(d[16]);
    auto decimals = static_cast<unsigned char>(d[17]);
    if (f.type == 'C') {
      // Clipper and FoxPro keep the high byte of long text fields where
      // numbers keep their decimals.
      f.length = length | (decimals << 8);
      f.decimals = 0;
    } else {
      f.length = length;
      f.decimals = decimals;
    }
    const std::string which = "el campo " + std::to_string(h.fields.size() + 1);
    if (f.name.empty()) Corrupt(path, which + " no tiene nombre");
    if (f.length <= 0) Corrupt(path, "el campo «" + Cp1252ToUtf8(f.name) + "» tiene longitud 0");
    f.offset = offset;
    offset += f.length;
    h.fields.push_back(std::move(f));
    pos += kDescriptorSize;
  }
  if (!terminated) Corrupt(path, "la lista de campos no termina con el byte 0x0D");
  if (h.fields.empty()) Corrupt(path, "no tiene campos");
  if (h.recordLength < static_cast<std::uint32_t>(offset))
    Corrupt(path, "la longitud de registro (" + std::to_string(h.recordLength) +
                      ") no coincide con la de sus campos (" + std::to_string(offset) + ")");
  const std::uint64_t needed =
      std::uint64_t{h.headerLength} + std::uint64_t{h.recordCount} * h.recordLength;
  if (needed > file.size())
    Corrupt(path, "el archivo está truncado: la cabecera anuncia " + std::to_string(h.recordCount) +
                      " registros de " + std::to_string(h.recordLength) + " bytes y faltan " +
                      std::to_string(needed - file.size()) + " bytes");
  return h;
}

std::string BuildHeader(std::vector<FieldInfo>& fields) {
  const std::size_t headerLength = kPrefixSize + kDescriptorSize * fields.size() + 1;
  std::string h(headerLength, '\0');
  h[0] = 0x03;
  int offset = 1;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    FieldInfo& f = fields[i];
    f.offset = offset;
    offset += f.length;
    char* d = h.data() + kPrefixSize + kDescriptorSize * i;
    f.name.copy(d, 10);
    d[11] = f.type;
    d[16] = static_cast<char>(f.length & 0xFF);
    d[17] = static_cast<char>(f.decimals);
  }
  h[headerLength - 1] = kTerminator;
  WriteLe16(h.data() + 8, static_cast<std::uint32_t>(headerLength));
  WriteLe16(h.data() + 10, static_cast<std::uint32_t>(offset));
  h[29] = 0x03;  // language driver: Windows ANSI, code page 1252
  StampHeader(h, 0);
  return h;
}

void StampHeader(std::string& header, std::uint32_t recordCount) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  header[1] = static_cast<char>(local.tm_year % 256);  // years since 1900
  header[2] = static_cast<char>(local.tm_mon + 1);
  header[3] = static_cast<char>(local.tm_mday);
  WriteLe32(header.data() + 4, recordCount);
}

std::optional<double> ParseNumber(std::string_view text) {
  text = TrimPadding(text);
  if (text.empty()) return std::nullopt;
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Only the plain decimal forms: from_chars would also take "inf" and "nan".
  std::size_t i = 0, digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return negative ? -value : value;
}

std::optional<long long> ParseWholeNumber(std::string_view text) {
  text = TrimPadding(text);
  if (text.empty()) return std::nullopt;
  const char* begin = text.data();
  if (*begin == '+') ++begin;
  if (begin == text.data() + text.size()) return std::nullopt;
  long long value = 0;
  auto [end, ec] = std::from_chars(begin, text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

namespace {

// 10 to the power `decimals`: exact up to 1e22, as pow gives it.
double PowerOfTen(int decimals) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (decimals >= 0 && decimals < static_cast<int>(std::size(kPowers))) return kPowers[decimals];
  return std::pow(10.0, decimals);
}

// Right-aligns sign, whole digits, point and `decimals` digits in a field of
// `length`, or nullopt when they do not fit. `digits` are those of the number
// of units (the value times 10^decimals), without leading zeros.
std::optional<std::string> Aligned(bool negative, std::string_view digits, int decimals,
                                   int length) {
  const std::size_t fraction = decimals > 0 ? static_cast<std::size_t>(decimals) : 0;
  // At least one whole digit: 0.05, not .05.
  const std::size_t padded = fraction > 0 ? std::max(digits.size(), fraction + 1) : digits.size();
  const std::size_t total = (negative ? 1 : 0) + padded + (fraction > 0 ? 1 : 0);
  if (length < 0 || total > static_cast<std::size_t>(length)) return std::nullopt;
  std::string out(static_cast<std::size_t>(length), ' ');
  char* p = out.data() + out.size();
  std::size_t left = digits.size();
  for (std::size_t i = 0; i < fraction; ++i) *--p = left > 0 ? digits[--left] : '0';
  if (fraction > 0) *--p = '.';
  for (std::size_t i = fraction; i < padded; ++i) *--p = left > 0 ? digits[--left] : '0';
  if (negative) *--p = '-';
  return out;
}

}  // namespace

std::optional<std::string> FormatInteger(long long value, int length, int decimals) {
  char buf[24];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  const std::string_view text(buf, static_cast<std::size_t>(end - buf));
  if (decimals <= 0) return Aligned(false, text, 0, length);
  // The whole number, followed by a point and zeros.
  const bool negative = value < 0;
  std::string digits(text.substr(negative ? 1 : 0));
  digits.append(static_cast<std::size_t>(decimals), '0');
  return Aligned(negative, digits, decimals, length);
}

std::optional<std::string> FormatFloat(double value, int length, int decimals) {
  if (!std::isfinite(value)) return std::nullopt;
  // Rounded half away from zero to the field's decimals, then written from
  // the whole number of hundredths (or whatever unit the decimals give).
  const double scaled = std::round(value * PowerOfTen(decimals));
  if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18) return std::nullopt;
  const long long units = static_cast<long long>(scaled);
  const unsigned long long magnitude = units < 0 ? 0ULL - static_cast<unsigned long long>(units)
                                                 : static_cast<unsigned long long>(units);
  char buf[24];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, magnitude);
  // A value that rounds to zero has no sign.
  return Aligned(units<0, std::string_view(buf, static_cast<std::size_t>(end - buf)), decimals> 0
                     ? decimals
                     : 0,
                 length);
}

}  // namespace velmora::dbf
