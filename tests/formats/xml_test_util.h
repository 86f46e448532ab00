#pragma once
// Helpers shared by the XML document and settings-file tests: a temporary
// folder per test, raw file bytes, and UTF-16 fixtures built from u"" texts.
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "support/carpeta_temporal.h"

namespace velmora::testing {

class XmlTempFolder : public CarpetaTemporal {
 public:
  // The names of the files in the folder, hidden ones included.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(Path())) {
      names.push_back(e.path().filename().string());
    }
    return names;
  }
};

inline std::string XmlReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void XmlWriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// UTF-16 bytes of a u"" text (characters of the BMP), with an optional BOM.
inline std::string Utf16Bytes(std::u16string_view text, bool bigEndian, bool bom) {
  std::string out;
  auto put = [&](char16_t u) {
    const char hi = static_cast<char>(u >> 8);
    const char lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  };
  if (bom) put(0xFEFF);
  for (char16_t u : text) put(u);
  return out;
}

// Whether xmllint, an independent reader, finds the file well-formed.
inline bool XmllintAccepts(const std::filesystem::path& file) {
  const std::string command = "xmllint --noout '" + file.string() + "' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

}  // namespace velmora::testing
