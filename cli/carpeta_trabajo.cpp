#include "cli/carpeta_trabajo.h"

#include <cstdlib>

namespace velmora::cli {
namespace {

std::optional<std::string> Variable(const char* nombre) {
  const char* valor = std::getenv(nombre);
  if (valor == nullptr || *valor == '\0') return std::nullopt;
  return std::string(valor);
}

}  // namespace

std::filesystem::path CarpetaTrabajo(const std::optional<std::string>& opcion) {
  if (opcion) return *opcion;
  if (auto v = Variable("VELMORA_XTEMP")) return *v;
#ifdef _WIN32
  return "C:\\XTEMP";
#else
  if (auto prefijo = Variable("WINEPREFIX"))
    return std::filesystem::path(*prefijo) / "drive_c" / "XTEMP";
  const auto casa = Variable("HOME");
  return std::filesystem::path(casa.value_or(".")) / ".wine" / "drive_c" / "XTEMP";
#endif
}

}  // namespace velmora::cli
