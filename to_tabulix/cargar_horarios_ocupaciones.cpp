#include "to_tabulix/steps.h"

namespace velmora {

void CargarHorariosOcupaciones(RunContext&) {}

}  // namespace velmora
