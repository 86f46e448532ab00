#include "to_tabulix/steps.h"

namespace velmora {

void CargarHorariosGrupo(RunContext&) {}

}  // namespace velmora
