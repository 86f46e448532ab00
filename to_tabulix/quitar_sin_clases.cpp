// QuitarSinClases: when only the chosen template was loaded, removes from
// GRUPOST the groups that no row of ASIGT names, and from PROFT the teachers
// that no row names (a duty row is enough), after asking once.
#include <string>
#include <string_view>
#include <vector>

#include "to_tabulix/preguntas.h"
#include "to_tabulix/steps.h"

namespace velmora {

namespace {

// For each row of `table`, in order: whether no row of ASIGT names its ABREV
// in `campoAsig`. One lookup per row.
std::vector<bool> SinClases(Table& table, Table& asig, std::string_view campoAsig) {
  std::vector<bool> ociosos;
  for (table.First(); !table.Eof(); table.Next()) {
    ociosos.push_back(!asig.Locate(campoAsig, table.AsString("ABREV")));
  }
  return ociosos;
}

// Deletes the rows marked idle (rows in the order SinClases saw them), then
// packs the table.
void Quitar(Table& table, const std::vector<bool>& ociosos) {
  table.First();
  for (bool ocioso : ociosos) {
    if (table.Eof()) break;
    if (ocioso) {
      table.Delete();
    } else {
      table.Next();
    }
  }
  table.Pack();
}

}  // namespace

void QuitarSinClases(RunContext& ctx) {
  if (!ctx.state.soloPlantillaSeleccionada) return;

  Table asig(ctx.Table("ASIGT"), OpenMode::Exclusive);
  Table prof(ctx.Table("PROFT"), OpenMode::Exclusive);
  Table grupos(ctx.Table("GRUPOST"), OpenMode::Exclusive);

  const std::vector<bool> gruposOciosos = SinClases(grupos, asig, "CGRUP");
  bool hayOciosos = false;
  for (bool ocioso : gruposOciosos) hayOciosos = hayOciosos || ocioso;
  // Asked once, at the first idle group; closing the box removes them too.
  if (hayOciosos && ctx.dialogs.Confirm(kPreguntaQuitarSinClases) == Answer::No) {
    grupos.Close();
    prof.Close();
    asig.Close();
    return;
  }

  Quitar(grupos, gruposOciosos);
  ctx.report.SetRows("GRUPOST", grupos.RecordCount());
  grupos.Close();

  Quitar(prof, SinClases(prof, asig, "CPROF"));
  ctx.report.SetRows("PROFT", prof.RecordCount());
  prof.Close();

  asig.Close();
}

}  // namespace velmora
