#include "to_tabulix/comprobar_tablas.h"

#include <string>

#include "formats/dbf_table.h"
#include "formats/error.h"

namespace velmora {

void ComprobarTablasLibres(const std::filesystem::path& xtemp) {
  std::error_code ec;
  if (!std::filesystem::is_directory(xtemp, ec)) {
    throw Error("No existe la carpeta de trabajo de Tabulix «" + xtemp.string() +
                "». No se ha modificado ninguna tabla.");
  }
  std::string enUso;
  for (const char* tabla : kTablasExportar) {
    const auto file = TableFile(xtemp, tabla);
    if (IsTableInUse(file)) {
      enUso += "\n  la tabla " + std::string(tabla) + " (" + file.string() +
               ") está en uso por otro programa";
    }
  }
  if (!enUso.empty()) {
    throw Error(
        "No se puede convertir mientras otro programa (Tabulix, por ejemplo) tenga abiertas sus "
        "tablas; ciérrelo y vuelva a intentarlo. No se ha modificado ninguna tabla:" +
        enUso);
  }
}

}  // namespace velmora
