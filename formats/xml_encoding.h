#pragma once
// The character encodings of ITACA documents: detection from the byte-order
// mark and the XML declaration, and conversion to and from UTF-8, in which the
// document is parsed and built.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class XmlEncoding { Utf8, Utf16LE, Utf16BE, Latin1, Latin9, Windows1252 };

// "UTF-8", "UTF-16LE", "UTF-16BE", "ISO-8859-1", "ISO-8859-15", "windows-1252".
const char* EncodingName(XmlEncoding encoding);

// The encoding a declaration's name stands for, without regard to case
// ("latin1", "CP1252", "utf-16"...). A bare "UTF-16" gives `utf16Default`.
std::optional<XmlEncoding> EncodingFromName(std::string_view name, XmlEncoding utf16Default);

// The encoding named by the XML declaration at the start of `text` (an
// ASCII-compatible text without byte-order mark); none when there is no
// declaration or it names no encoding.
std::optional<std::string> DeclaredEncodingName(std::string_view text);

struct DecodedXml {
  std::string utf8;  // without byte-order mark; not yet checked when the file was UTF-8
  XmlEncoding encoding = XmlEncoding::Utf8;
  bool byteOrderMark = false;
  std::optional<std::string> declared;  // the declaration's encoding name
};

// Detects the file's encoding and converts it to UTF-8. An unsupported or
// contradictory encoding is an Error naming `fileText` and the encoding.
DecodedXml DecodeXmlBytes(std::string_view bytes, const std::string& fileText);

// The same detection without copying a UTF-8 file: its `utf8` stays empty and
// its text is `bytes` after the byte-order mark (3 bytes when `byteOrderMark`).
// A file in another encoding is converted as DecodeXmlBytes converts it.
DecodedXml DetectXmlEncoding(std::string_view bytes, const std::string& fileText);

// UTF-8 to the bytes of `encoding`. UTF-16 is written with its byte-order
// mark; a character that a single-byte set lacks is written as a character
// reference (&#8364;).
std::string EncodeXmlText(std::string_view utf8, XmlEncoding encoding, bool utf8ByteOrderMark);

}  // namespace velmora
