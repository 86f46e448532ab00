#include "to_tabulix/nombres.h"

#include "formats/text.h"
#include "to_tabulix/run_state.h"

namespace velmora {

const char* AtributoNombre(const std::string& idioma) {
  return idioma == kValencia ? "nombre_val" : "nombre_cas";
}

std::string CodigoLargo(std::string_view nombre) {
  if (nombre.size() >= 12) return UpperAZ(Left(nombre, 1) + Iniciales(nombre));
  return UpperAZ(Left(nombre, 10));
}

}  // namespace velmora
