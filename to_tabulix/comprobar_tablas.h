#pragma once
// Before the ITACA to Tabulix run deletes its first table: the working folder
// is there and no table that the run replaces is held open by another program
// (Tabulix itself, most often).
#include <filesystem>

namespace velmora {

// The tables that the ITACA to Tabulix run writes anew.
inline constexpr const char* kTablasExportar[] = {"PROFT", "CURSOST", "GRUPOST",   "ASIGNOMT",
                                                  "AULAT", "ASIGT",   "DIASHORAST"};

// Throws an Error naming the folder, or every table in use.
void ComprobarTablasLibres(const std::filesystem::path& xtemp);

}  // namespace velmora
