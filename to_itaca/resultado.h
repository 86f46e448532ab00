#pragma once
// The result document's name and the moment of the export.
#include <ctime>
#include <filesystem>
#include <string>

namespace velmora {

// The source's folder, then "ResultadoTabulix", then the source's file name:
// /datos/ies.xml gives /datos/ResultadoTabulixies.xml.
std::filesystem::path RutaResultado(const std::filesystem::path& fuente);

// fecha_exportacion: the local date and time as dd/mm/yyyy HH:MM:SS, the
// short date and long time of Spanish regional settings.
std::string FechaExportacion(std::time_t momento);

}  // namespace velmora
