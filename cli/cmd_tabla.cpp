#include <cstdio>

#include "cli/commands.h"

namespace velmora::cli {

int Tabla(const Args&) {
  std::fputs("velmora-cli tabla: todavía no está disponible\n", stderr);
  return 1;
}

}  // namespace velmora::cli
