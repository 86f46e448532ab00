#include "to_tabulix/steps.h"

namespace velmora {

void QuitarSinClases(RunContext&) {}

}  // namespace velmora
