#include "to_itaca/resultado.h"

#include <cstdio>

namespace velmora {

std::filesystem::path RutaResultado(const std::filesystem::path& fuente) {
  return fuente.parent_path() / ("ResultadoTabulix" + fuente.filename().string());
}

std::string FechaExportacion(std::time_t momento) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &momento);
#else
  localtime_r(&momento, &local);
#endif
  char text[80];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

}  // namespace velmora
