#pragma once
// The Tabulix to ITACA run (the click on BImportar).
#include "to_tabulix/dialogs.h"
#include "to_tabulix/run_state.h"

namespace velmora {

void BImportarClick(RunState& state, Dialogs& dialogs);

}  // namespace velmora
