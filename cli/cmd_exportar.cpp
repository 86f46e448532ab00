#include <cstdio>

#include "cli/commands.h"

namespace velmora::cli {

int Exportar(const Args&) {
  std::fputs("velmora-cli exportar: todavía no está disponible\n", stderr);
  return 1;
}

}  // namespace velmora::cli
