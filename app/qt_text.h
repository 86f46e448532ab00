#pragma once
// The edge between the core and Qt: CP1252 data values, UTF-8 messages and
// file paths to and from QString.
#include <QString>
#include <filesystem>
#include <string>

namespace velmora {

// A CP1252 value of the core (code, description, hours entry, language text).
QString FromCp(const std::string& cp1252);
// A text typed or shown in a window, as the core holds it; a character that
// CP1252 lacks becomes "?".
std::string ToCp(const QString& text);

// A UTF-8 message of the core.
QString FromUtf8(const std::string& utf8);

std::filesystem::path ToPath(const QString& path);
QString FromPath(const std::filesystem::path& path);

}  // namespace velmora
