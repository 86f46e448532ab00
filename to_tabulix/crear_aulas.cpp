// AULAT: one row per room, with the unique abbreviation by which Tabulix names
// the room and the room's ITACA code, by which the later steps find it.
#include "formats/text.h"
#include "to_tabulix/abreviaturas_usadas.h"
#include "to_tabulix/steps.h"

namespace velmora {

void CrearAulas(RunContext& ctx) {
  DeleteTableFiles(ctx.state.xtemp, "AULAT");
  const auto file = ctx.Table("AULAT");
  Table::Create(file, {{"ABREV", FieldKind::Text, 10},
                       {"NOMBRE", FieldKind::Text, 80},
                       {"EDIFICIO", FieldKind::Text, 1},
                       {"MAXALUM", FieldKind::Integer, 0},
                       {"DEPCENTRO", FieldKind::Text, 10},
                       {"ABREV_ITACA", FieldKind::Text, 10}});

  const XmlNodeList aulas = ctx.doc.Select("/centro/aulas/aula");
  Table tabla(file, OpenMode::Exclusive);
  AbreviaturasUsadas usadas;
  long filas = 0;
  if (aulas.Count() >= 2) {
    for (std::size_t i = 0; i < aulas.Count(); ++i) {
      const XmlElement aula = aulas.Item(i);
      const std::string nombre = aula.Trimmed("nombre");
      const std::string codigo = aula.Trimmed("codigo");
      std::string abreviatura = codigo.empty() ? Left(nombre, 4) : codigo;
      if (usadas.Contiene(abreviatura)) {
        if (abreviatura.size() > 10) abreviatura = Left(abreviatura, 9);
        abreviatura = usadas.ConContador(abreviatura);
      }
      if (abreviatura.size() > 10) {
        // The counter is taken even when the eight characters alone are free.
        // From the hundredth namesake on, the base gives up a character rather
        // than let the field cut the counter off.
        abreviatura = usadas.ConContadorEnCampo(Left(abreviatura, 8), 10);
      }
      usadas.Anadir(abreviatura);

      tabla.Append();
      tabla.SetString("ABREV", abreviatura);
      tabla.SetString("NOMBRE", nombre);
      tabla.SetString("ABREV_ITACA", codigo);
      tabla.Post();
      ++filas;
    }
  }
  tabla.Close();
  ctx.report.SetRows("AULAT", filas);
}

}  // namespace velmora
