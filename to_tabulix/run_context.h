#pragma once
// What a step of the ITACA to Tabulix run works on: the shared state, the
// run's document, the dialogs and the run's report.
#include <filesystem>
#include <string_view>

#include "formats/dbf_table.h"
#include "formats/itaca_xml.h"
#include "to_tabulix/dialogs.h"
#include "to_tabulix/report.h"
#include "to_tabulix/run_state.h"

namespace velmora {

struct RunContext {
  RunState& state;
  const XmlDocument& doc;
  Dialogs& dialogs;
  Report& report;

  // The file of a table in the working folder.
  std::filesystem::path Table(std::string_view name) const { return TableFile(state.xtemp, name); }
};

}  // namespace velmora
