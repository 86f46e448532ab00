#pragma once
// The ITACA to Tabulix run (the click on BExportar).
#include "to_tabulix/dialogs.h"
#include "to_tabulix/run_state.h"

namespace velmora {

// Runs the conversion. Errors are velmora::Error and leave every table as it
// was when they come from the checks made before the first table is touched.
void BExportarClick(RunState& state, Dialogs& dialogs);

}  // namespace velmora
