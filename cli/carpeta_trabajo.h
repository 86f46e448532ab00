#pragma once
// Where Tabulix keeps its tables: the --xtemp option, else VELMORA_XTEMP, else
// $WINEPREFIX/drive_c/XTEMP, else ~/.wine/drive_c/XTEMP (Tabulix under Wine).
// On Windows C:\XTEMP takes the place of the last two.
#include <filesystem>
#include <optional>
#include <string>

namespace velmora::cli {

std::filesystem::path CarpetaTrabajo(const std::optional<std::string>& opcion);

}  // namespace velmora::cli
