// velmora-solucion: writes a stand-in SOLUC.DBF into Tabulix's working
// folder from its ASIGT and DIASHORAST, for demos and tests of the Tabulix to
// ITACA direction without Tabulix. It is not a timetabler: sessions are
// scattered over the week at random (see tools/lib/stand_in_solution.h).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>

#include "formats/error.h"
#include "tools/lib/stand_in_solution.h"

namespace {

const char* const kUsage =
    "Uso: velmora-solucion --xtemp CARPETA [--seed N]\n"
    "\n"
    "Escribe en la carpeta de trabajo de Tabulix una tabla SOLUC.DBF de\n"
    "prueba, a partir de sus tablas ASIGT y DIASHORAST: una fila por cada hora\n"
    "de cada sesión, repartidas al azar de lunes a viernes (cada 40.ª sesión\n"
    "queda sin colocar, con DIA 0 y HORA 0).\n"
    "\n"
    "Es una ayuda para demostraciones y pruebas, NO un generador de horarios:\n"
    "no busca un horario válido y puede dejar choques de grupo, docente o aula.\n"
    "\n"
    "  --xtemp CARPETA  carpeta de trabajo (por omisión, la variable VELMORA_XTEMP)\n"
    "  --seed N         semilla (por omisión 1); la misma semilla da la misma tabla\n";

int UsageError(const std::string& what) {
  std::fprintf(stderr, "velmora-solucion: %s\n\n%s", what.c_str(), kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::string> xtemp;
  if (const char* env = std::getenv("VELMORA_XTEMP"); env && *env) xtemp = env;
  unsigned seed = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg != "--xtemp" && arg != "--seed") return UsageError("opción desconocida: " + arg);
    if (i + 1 >= argc) return UsageError("falta el valor de " + arg);
    const std::string value = argv[++i];
    if (arg == "--xtemp") {
      xtemp = value;
    } else {
      char* end = nullptr;
      const unsigned long n = std::strtoul(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || value[0] == '-' || n > 4294967295UL) {
        return UsageError("semilla no válida: " + value);
      }
      seed = static_cast<unsigned>(n);
    }
  }
  if (!xtemp) return UsageError("falta la carpeta de trabajo (--xtemp)");
  try {
    const auto stats = velmora::tools::WriteStandInSolution(*xtemp, seed);
    std::printf(
        "SOLUC.DBF: %zu filas, %zu sesiones (%zu sin colocar, %zu con choque), %d horas al día\n",
        stats.rows, stats.sessions, stats.unplaced, stats.clashes, stats.hours);
    return 0;
  } catch (const velmora::Error& e) {
    std::fprintf(stderr, "Error: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Error inesperado: %s\n", e.what());
    return 1;
  }
}
