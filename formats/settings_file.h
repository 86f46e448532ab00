#pragma once
// The settings file "Tabulix.ini": writes one value and keeps every other byte
// of the file as it was (other sections and keys, comments, blank lines, order,
// CRLF line ends). Section and key names match without regard to case, as on
// Windows. A missing file is created. The new content goes to a temporary file
// that is renamed into place. A failure is a velmora::Error naming the file.
#include <filesystem>
#include <string_view>

namespace velmora {

void WriteSettingsValue(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

}  // namespace velmora
