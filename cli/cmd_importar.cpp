#include <cstdio>

#include "cli/commands.h"

namespace velmora::cli {

int Importar(const Args&) {
  std::fputs("velmora-cli importar: todavía no está disponible\n", stderr);
  return 1;
}

}  // namespace velmora::cli
