#pragma once
// The state that the main window (or the command line) holds for the runs.
#include <ctime>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "to_tabulix/report.h"

namespace velmora {

// "VALENCIÁ" and "CASTELLANO" in CP1252, the two items of the language combo.
inline const std::string kValencia = "VALENCI\xC1";
inline const std::string kCastellano = "CASTELLANO";

struct RunState {
  std::filesystem::path xtemp;         // working folder (C:\XTEMP)
  std::filesystem::path documentPath;  // the last ITACA document chosen, in either direction

  // Handed over by the template chooser (CP1252).
  std::string plantilla;           // chosen template code
  std::string turno;               // chosen template shift
  std::vector<std::string> horas;  // hours list (ListBoxPlanti)
  std::string idioma = kValencia;  // text of the language combo (ComboBoxValCast)

  int runMode = 0;             // 0 on its own, 2 launched by Tabulix
  int resultCode = 0;          // 0 nothing finished, 1 finished, -1 input file missing (run mode 2)
  bool buttonsEnabled = true;  // BExportar and BImportar; off after a finished run

  bool soloPlantillaSeleccionada = false;  // set by CargarHorariosGrupo
  std::string cursoDestino;                // school year of the result document

  // Codes and names of subjects and duties met in one ITACA to Tabulix run;
  // sorted, case-sensitive. Each run starts them empty.
  std::set<std::string> listaCodigos;
  std::set<std::string> listaNombres;

  Report report;  // of the last run

  // The clock of fecha_exportacion; empty means the system clock.
  std::function<std::time_t()> clock;
};

}  // namespace velmora
