// PROFT: one row per teacher, with the short abbreviation by which Tabulix
// names the teacher and the identity document by which the later steps find
// the teacher again.
#include "formats/text.h"
#include "to_tabulix/abreviaturas_usadas.h"
#include "to_tabulix/steps.h"

namespace velmora {

void CrearProfesores(RunContext& ctx) {
  DeleteTableFiles(ctx.state.xtemp, "PROFT");
  const auto file = ctx.Table("PROFT");
  Table::Create(file, {{"ABREV", FieldKind::Text, 10},
                       {"NOMBRE", FieldKind::Text, 80},
                       {"DEPART", FieldKind::Text, 40},
                       {"DNI", FieldKind::Text, 14},
                       {"X_EMPLEADO", FieldKind::Text, 10},
                       {"F_TOMAPOS", FieldKind::Text, 10},
                       {"ENSENANZA", FieldKind::Text, 5}});

  const XmlNodeList docentes = ctx.doc.Select("/centro/docentes/docente");
  Table tabla(file, OpenMode::Exclusive);
  AbreviaturasUsadas usadas;
  long filas = 0;
  // A single teacher is not taken: the collection counts from two elements.
  if (docentes.Count() >= 2) {
    for (std::size_t i = 0; i < docentes.Count(); ++i) {
      const XmlElement docente = docentes.Item(i);
      const std::string a1 = docente.Trimmed("apellido1");
      const std::string a2 = docente.Trimmed("apellido2");
      const std::string nm = docente.Trimmed("nombre");
      const std::string nombre = a1 + " " + a2 + ", " + nm;
      std::string fTomaPos;
      if (docente.Trimmed("tipo_docente") == "D") fTomaPos = docente.Trimmed("fecha_ingreso");
      const std::string dni = docente.Trimmed("documento");
      std::string abreviatura = Left(a1, 1) + Left(a2, 1) + Left(nm, 1);
      const std::string ensenanza = docente.Trimmed("ensenanza");
      if (usadas.Contiene(abreviatura)) abreviatura = usadas.ConContador(Left(abreviatura, 3));
      usadas.Anadir(abreviatura);

      tabla.Append();
      tabla.SetString("ABREV", abreviatura);
      tabla.SetString("NOMBRE", nombre);
      tabla.SetString("DNI", dni);
      tabla.SetString("F_TOMAPOS", fTomaPos);
      tabla.SetString("ENSENANZA", ensenanza);
      tabla.Post();
      ++filas;
    }
  }
  tabla.Close();
  ctx.report.SetRows("PROFT", filas);
}

}  // namespace velmora
