#include <cstdio>

#include "cli/commands.h"

namespace velmora::cli {

int Plantillas(const Args&) {
  std::fputs("velmora-cli plantillas: todavía no está disponible\n", stderr);
  return 1;
}

}  // namespace velmora::cli
