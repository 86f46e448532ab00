// velmora-cli: both conversions from the command line, for scripts and for
// users without a display. Messages in Spanish on standard error; exit status
// 0 on success, 1 on any error, 2 on a wrong command line.
#include <cstdio>
#include <exception>
#include <string>

#include "cli/commands.h"
#include "formats/error.h"
#include "formats/file_bytes.h"

namespace {

const char* const kUsage =
    "Uso: velmora-cli ORDEN [opciones]\n"
    "\n"
    "Órdenes:\n"
    "  exportar DOC.xml    De ITACA a Tabulix: escribe las tablas de Tabulix\n"
    "  importar DOC.xml    De Tabulix a ITACA: escribe ResultadoTabulix<DOC>.xml\n"
    "  plantillas DOC.xml  Lista las plantillas horarias del documento\n"
    "  tabla FICHERO.DBF   Muestra los campos y las filas de una tabla\n"
    "\n"
    "velmora-cli ORDEN --help muestra las opciones de cada orden.\n";

}  // namespace

int main(int argc, char** argv) {
  velmora::WritesBeyondSizeLimitFail();
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string command = argv[1];
  velmora::cli::Args args(argv + 2, argv + argc);
  if (command == "--help" || command == "-h" || command == "ayuda") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  try {
    if (command == "exportar") return velmora::cli::Exportar(args);
    if (command == "importar") return velmora::cli::Importar(args);
    if (command == "plantillas") return velmora::cli::Plantillas(args);
    if (command == "tabla") return velmora::cli::Tabla(args);
    std::fprintf(stderr, "Orden desconocida: %s\n\n%s", command.c_str(), kUsage);
    return 2;
  } catch (const velmora::Error& e) {
    std::fprintf(stderr, "Error: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Error inesperado: %s\n", e.what());
    return 1;
  }
}
