// DIASHORAST: the grid of slots of the chosen template, every session of the
// hours list on every day of the week.
#include "formats/dbf_table.h"
#include "formats/text.h"
#include "to_tabulix/steps.h"
#include "to_tabulix/tramos_horas.h"

namespace velmora {
namespace {

const std::string& NombreDia(int dia, bool castellano) {
  static const std::string castellanos[7] = {Cp("Lunes"),  Cp("Martes"),  Cp("Miércoles"),
                                             Cp("Jueves"), Cp("Viernes"), Cp("Sábado"),
                                             Cp("Domingo")};
  static const std::string valencianos[7] = {"Dilluns",   "Dimarts",  "Dimecres", "Dijous",
                                             "Divendres", "Dissabte", "Diumenge"};
  return castellano ? castellanos[dia - 1] : valencianos[dia - 1];
}

}  // namespace

void CrearDiasHoras(RunState& state, Report& report) {
  // Every entry is read before the old table goes, so that an entry that
  // does not read leaves the slots of the last run in place.
  const std::vector<TramoHoras> tramos = LeerTramos(state.horas);

  DeleteTableFiles(state.xtemp, "DIASHORAST");
  const auto file = TableFile(state.xtemp, "DIASHORAST");
  Table::Create(file, {{"DIHO", FieldKind::Text, 10},
                       {"CODDIHO", FieldKind::Text, 10},
                       {"DIA", FieldKind::Text, 20},
                       {"TEXTODIA", FieldKind::Text, 20},
                       {"HORA", FieldKind::Text, 8},
                       {"TEXTOHOR", FieldKind::Text, 15},
                       {"HORADESDE", FieldKind::Text, 8},
                       {"HORAHASTA", FieldKind::Text, 8},
                       {"MINUTOS", FieldKind::Text, 8},
                       {"SESION_ORDEN", FieldKind::Integer, 0},
                       {"PLANTILLA", FieldKind::Text, 20}});
  Table tabla(file, OpenMode::Exclusive);
  // Exact and case-sensitive: "castellano" typed in small letters gives the
  // Valencian names, as Tabulix does.
  const bool castellano = state.idioma == kCastellano;
  for (std::size_t h = 1; h <= tramos.size(); ++h) {
    const TramoHoras& t = tramos[h - 1];
    for (int d = 1; d <= 7; ++d) {
      tabla.Append();
      tabla.SetString("DIHO", std::to_string(d) + std::to_string(h));
      tabla.SetString("DIA", std::to_string(d));
      tabla.SetString("TEXTODIA", NombreDia(d, castellano));
      tabla.SetString("HORA", std::to_string(h));
      tabla.SetString("TEXTOHOR", std::to_string(t.sesion));
      tabla.SetString("HORADESDE", t.desde);
      tabla.SetString("HORAHASTA", t.hasta);
      tabla.SetString("MINUTOS", std::to_string(t.minutos));
      tabla.SetInteger("SESION_ORDEN", t.sesion);
      tabla.SetString("PLANTILLA", state.plantilla);
      tabla.Post();
    }
  }
  tabla.Close();
  report.SetRows("DIASHORAST", static_cast<long>(7 * tramos.size()));
}

}  // namespace velmora
