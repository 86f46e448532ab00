#include "to_tabulix/steps.h"

namespace velmora {

void CrearAsignaciones(RunContext&) {}

}  // namespace velmora
