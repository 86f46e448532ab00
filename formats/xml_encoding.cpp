#include "formats/xml_encoding.h"

#include <array>

#include "formats/error.h"
#include "formats/unicode.h"

namespace velmora {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kSupported =
    "se admiten UTF-8, UTF-16, ISO-8859-1, ISO-8859-15 y windows-1252";

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return r;
}

bool IsXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// The byte at `i`, or -1 past the end: no byte-order mark or first
// character matches it (a file of the single byte 0xFE is not UTF-16).
int ByteAt(std::string_view s, std::size_t i) {
  return i < s.size() ? static_cast<unsigned char>(s[i]) : -1;
}

[[noreturn]] void Unsupported(const std::string& fileText, std::string_view encoding) {
  std::string shown(encoding);  // a name from the file: printable ASCII only in a message
  for (char& c : shown) {
    if (c < 0x20 || c > 0x7E) c = '?';
  }
  throw Error("El archivo «" + fileText + "» está en la codificación «" + shown +
              "», que no se admite (" + std::string(kSupported) + ")");
}

std::string SingleByteToUtf8(std::string_view bytes, SingleByteSet set) {
  return SingleByteTextToUtf8(bytes,
                              [set](unsigned char b) { return SingleByteCodePoint(set, b); });
}

std::string Utf8ToSingleByte(std::string_view utf8, SingleByteSet set) {
  return Utf8ToSingleByteText(utf8, [set](std::string& out, char32_t cp) {
    const int byte = SingleByteOf(set, cp);
    if (byte >= 0) {
      out += static_cast<char>(byte);
    } else {
      out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
    }
  });
}

SingleByteSet SetOf(XmlEncoding e) {
  switch (e) {
    case XmlEncoding::Latin9:
      return SingleByteSet::Latin9;
    case XmlEncoding::Windows1252:
      return SingleByteSet::Windows1252;
    default:
      return SingleByteSet::Latin1;
  }
}

bool IsUtf16(XmlEncoding e) {
  return e == XmlEncoding::Utf16LE || e == XmlEncoding::Utf16BE;
}

}  // namespace

const char* EncodingName(XmlEncoding encoding) {
  switch (encoding) {
    case XmlEncoding::Utf8:
      return "UTF-8";
    case XmlEncoding::Utf16LE:
      return "UTF-16LE";
    case XmlEncoding::Utf16BE:
      return "UTF-16BE";
    case XmlEncoding::Latin1:
      return "ISO-8859-1";
    case XmlEncoding::Latin9:
      return "ISO-8859-15";
    case XmlEncoding::Windows1252:
      return "windows-1252";
  }
  return "UTF-8";
}

std::optional<XmlEncoding> EncodingFromName(std::string_view name, XmlEncoding utf16Default) {
  struct Alias {
    std::string_view name;
    XmlEncoding encoding;
  };
  static constexpr std::array<Alias, 23> kAliases = {{
      {"utf-8", XmlEncoding::Utf8},
      {"utf8", XmlEncoding::Utf8},
      {"utf-16le", XmlEncoding::Utf16LE},
      {"utf16le", XmlEncoding::Utf16LE},
      {"utf-16be", XmlEncoding::Utf16BE},
      {"utf16be", XmlEncoding::Utf16BE},
      {"iso-8859-1", XmlEncoding::Latin1},
      {"iso8859-1", XmlEncoding::Latin1},
      {"iso_8859-1", XmlEncoding::Latin1},
      {"latin1", XmlEncoding::Latin1},
      {"latin-1", XmlEncoding::Latin1},
      {"l1", XmlEncoding::Latin1},
      {"iso-8859-15", XmlEncoding::Latin9},
      {"iso8859-15", XmlEncoding::Latin9},
      {"iso_8859-15", XmlEncoding::Latin9},
      {"latin9", XmlEncoding::Latin9},
      {"latin-9", XmlEncoding::Latin9},
      {"l9", XmlEncoding::Latin9},
      {"windows-1252", XmlEncoding::Windows1252},
      {"cp1252", XmlEncoding::Windows1252},
      {"cp-1252", XmlEncoding::Windows1252},
      {"x-cp1252", XmlEncoding::Windows1252},
      {"win-1252", XmlEncoding::Windows1252},
  }};
  const std::string lower = Lower(name);
  if (lower == "utf-16" || lower == "utf16") return utf16Default;
  for (const auto& a : kAliases) {
    if (a.name == lower) return a.encoding;
  }
  return std::nullopt;
}

std::optional<std::string> DeclaredEncodingName(std::string_view text) {
  if (!StartsWith(text, "<?xml") || text.size() < 6 || !IsXmlSpace(text[5])) return std::nullopt;
  const std::size_t end = text.find("?>");
  const std::string_view decl = text.substr(0, end == std::string_view::npos ? text.size() : end);
  std::size_t pos = 5;
  while ((pos = decl.find("encoding", pos)) != std::string_view::npos) {
    const bool spaceBefore = IsXmlSpace(decl[pos - 1]);
    pos += 8;
    if (!spaceBefore) continue;
    std::size_t i = pos;
    while (i < decl.size() && IsXmlSpace(decl[i])) ++i;
    if (i >= decl.size() || decl[i] != '=') continue;
    ++i;
    while (i < decl.size() && IsXmlSpace(decl[i])) ++i;
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\'')) continue;
    const char quote = decl[i++];
    const std::size_t close = decl.find(quote, i);
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(decl.substr(i, close - i));
  }
  return std::nullopt;
}

DecodedXml DecodeXmlBytes(std::string_view bytes, const std::string& fileText) {
  DecodedXml out = DetectXmlEncoding(bytes, fileText);
  if (out.encoding == XmlEncoding::Utf8) {
    out.utf8 = std::string(bytes.substr(out.byteOrderMark ? kUtf8Bom.size() : 0));
  }
  return out;
}

DecodedXml DetectXmlEncoding(std::string_view bytes, const std::string& fileText) {
  DecodedXml out;
  const int b0 = ByteAt(bytes, 0);
  const int b1 = ByteAt(bytes, 1);
  const int b2 = ByteAt(bytes, 2);
  const int b3 = ByteAt(bytes, 3);

  // Encodings that are not ASCII-compatible, told by their first bytes.
  if (b0 == 0xFF && b1 == 0xFE && b2 == 0 && b3 == 0) Unsupported(fileText, "UTF-32LE");
  if (b0 == 0 && b1 == 0 && b2 == 0xFE && b3 == 0xFF) Unsupported(fileText, "UTF-32BE");
  if (b0 == '<' && b1 == 0 && b2 == 0 && b3 == 0) Unsupported(fileText, "UTF-32LE");
  if (b0 == 0 && b1 == 0 && b2 == 0 && b3 == '<') Unsupported(fileText, "UTF-32BE");
  if (b0 == 0x4C && b1 == 0x6F && b2 == 0xA7 && b3 == 0x94) Unsupported(fileText, "EBCDIC");

  std::optional<XmlEncoding> utf16;
  std::size_t skip = 0;
  if (b0 == 0xFF && b1 == 0xFE) {
    utf16 = XmlEncoding::Utf16LE;
    skip = 2;
  } else if (b0 == 0xFE && b1 == 0xFF) {
    utf16 = XmlEncoding::Utf16BE;
    skip = 2;
  } else if (b0 == '<' && b1 == 0 && b2 != 0 && b3 == 0) {
    utf16 = XmlEncoding::Utf16LE;  // "<?" without byte-order mark
  } else if (b0 == 0 && b1 == '<' && b2 == 0 && b3 != 0) {
    utf16 = XmlEncoding::Utf16BE;
  }

  if (utf16) {
    out.encoding = *utf16;
    out.byteOrderMark = skip > 0;
    out.utf8 = Utf16ToUtf8(bytes.substr(skip), *utf16 == XmlEncoding::Utf16BE);
    out.declared = DeclaredEncodingName(out.utf8);
    // The declaration may name another encoding (it is what the result is
    // saved in), but it must be one we can write.
    if (out.declared && !EncodingFromName(*out.declared, *utf16)) {
      Unsupported(fileText, *out.declared);
    }
    return out;
  }

  if (StartsWith(bytes, kUtf8Bom)) {
    out.byteOrderMark = true;
    bytes.remove_prefix(kUtf8Bom.size());
  }
  out.declared = DeclaredEncodingName(bytes);
  XmlEncoding encoding = XmlEncoding::Utf8;
  if (out.declared) {
    const auto named = EncodingFromName(*out.declared, XmlEncoding::Utf16LE);
    if (!named) Unsupported(fileText, *out.declared);
    if (IsUtf16(*named)) {
      throw Error("El archivo «" + fileText + "» declara la codificación «" +
                  std::string(*out.declared) + "», pero no está escrito en UTF-16");
    }
    // A UTF-8 byte-order mark decides how the file reads; the declaration
    // still decides how the result is saved.
    if (!out.byteOrderMark) encoding = *named;
  }
  out.encoding = encoding;
  if (encoding != XmlEncoding::Utf8) out.utf8 = SingleByteToUtf8(bytes, SetOf(encoding));
  return out;
}

std::string EncodeXmlText(std::string_view utf8, XmlEncoding encoding, bool utf8ByteOrderMark) {
  switch (encoding) {
    case XmlEncoding::Utf8:
      return (utf8ByteOrderMark ? std::string(kUtf8Bom) : std::string()) + std::string(utf8);
    case XmlEncoding::Utf16LE:
      return "\xFF\xFE" + Utf8ToUtf16(utf8, false);
    case XmlEncoding::Utf16BE:
      return "\xFE\xFF" + Utf8ToUtf16(utf8, true);
    case XmlEncoding::Latin1:
    case XmlEncoding::Latin9:
    case XmlEncoding::Windows1252:
      return Utf8ToSingleByte(utf8, SetOf(encoding));
  }
  return std::string(utf8);
}

}  // namespace velmora
