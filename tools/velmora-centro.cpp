// velmora-centro: writes a synthetic ITACA document (a large Valencian
// secondary school, or k of them) for tests, demos and benchmarks. The same
// seed and scale always give the same bytes.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "formats/error.h"
#include "tools/lib/synthetic_school.h"

namespace {

const char* const kUsage =
    "Uso: velmora-centro [--seed N] [--scale K] [--encoding COD] -o FICHERO.xml\n"
    "\n"
    "Escribe un documento ITACA sintético: un instituto grande (150 docentes,\n"
    "53 grupos, 282 contenidos, dos plantillas horarias) multiplicado por K.\n"
    "El mismo N y la misma K dan siempre el mismo fichero.\n"
    "\n"
    "  --seed N        semilla (por omisión 1)\n"
    "  --scale K       escala, de 1 a 1000 (por omisión 1)\n"
    "  --encoding COD  UTF-8 (por omisión), UTF-8-BOM, UTF-16LE, UTF-16BE,\n"
    "                  ISO-8859-1, ISO-8859-15 o windows-1252\n"
    "  -o FICHERO      fichero de salida\n";

// A whole decimal number within [low, high]; anything else is a usage error.
bool ParseNumber(const std::string& text, long low, long high, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 10);
  return *end == '\0' && value >= low && value <= high;
}

int UsageError(const std::string& what) {
  std::fprintf(stderr, "velmora-centro: %s\n\n%s", what.c_str(), kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  velmora::tools::SchoolOptions options;
  std::string output;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (i + 1 >= argc) return UsageError("falta el valor de " + arg);
    const std::string value = argv[++i];
    long n = 0;
    if (arg == "--seed") {
      if (!ParseNumber(value, 0, 4294967295L, n)) return UsageError("semilla no válida: " + value);
      options.seed = static_cast<unsigned>(n);
    } else if (arg == "--scale") {
      if (!ParseNumber(value, 1, 1000, n)) return UsageError("escala no válida: " + value);
      options.scale = static_cast<int>(n);
    } else if (arg == "--encoding") {
      options.encoding = value;
    } else if (arg == "-o" || arg == "--output") {
      output = value;
    } else {
      --i;
      return UsageError("opción desconocida: " + arg);
    }
  }
  if (output.empty()) return UsageError("falta el fichero de salida (-o)");
  try {
    velmora::tools::SchoolStats stats;
    velmora::tools::WriteSyntheticSchool(output, options, &stats);
    std::printf("%s: %zu docentes, %zu grupos, %zu contenidos, %zu sesiones semanales\n",
                output.c_str(), stats.docentes, stats.grupos, stats.contenidos, stats.Sessions());
    return 0;
  } catch (const velmora::Error& e) {
    std::fprintf(stderr, "Error: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Error inesperado: %s\n", e.what());
    return 1;
  }
}
