// CargarHorariosOcupaciones: one duty row of ASIGT for each teacher and duty,
// its hours the number of duty sessions; then the session pattern of every
// row, class rows included, from its hours.
#include <string>

#include "formats/text.h"
#include "to_tabulix/consulta_abreviaturas.h"
#include "to_tabulix/patron_sesiones.h"
#include "to_tabulix/sesiones_por_fila.h"
#include "to_tabulix/steps.h"

namespace velmora {

void CargarHorariosOcupaciones(RunContext& ctx) {
  const XmlNodeList sesiones = ctx.doc.Select("/centro/horarios_ocupaciones/horario_ocupacion");
  const std::size_t n = sesiones.Count();
  if (n == 0) return;

  Table nomAsg(ctx.Table("ASIGNOMT"), OpenMode::Exclusive);
  Table asig(ctx.Table("ASIGT"), OpenMode::Exclusive);
  Table prof(ctx.Table("PROFT"), OpenMode::Exclusive);

  ConsultaAbreviaturas ocupaciones(nomAsg, "ABREV_ITACA", "COD", false);
  // An empty documento names no teacher, not the first one without a DNI.
  ConsultaAbreviaturas profesores(prof, "DNI", "ABREV", true);
  // Sessions added to rows that were there before, by record number. They
  // are added to the rows' hours in the pattern pass, which rewrites every
  // row anyway, rather than one edit per session.
  SesionesPorFila sumadas;

  // A single duty session counts as well.
  for (std::size_t i = 0; i < n; ++i) {
    const XmlElement e = sesiones.Item(i);
    const std::string ocupacion = e.Trimmed("ocupacion");
    const std::string docente = e.Trimmed("docente");
    const std::string plantilla = e.Trimmed("plantilla");

    const std::string& cod = ocupaciones.De(ocupacion);
    const std::string& profesor = profesores.De(docente);

    if (ctx.state.soloPlantillaSeleccionada && plantilla != ctx.state.plantilla) continue;

    if (cod.empty()) {
      ctx.report.Omit(e.Where() + ": la ocupación «" + Cp1252ToUtf8(ocupacion) +
                      "» no está en ASIGNOMT; la sesión se cuenta en una fila sin CASIG");
    }
    if (profesor.empty()) {
      ctx.report.Omit(e.Where() +
                      (docente.empty()
                           ? std::string(": la sesión no tiene docente")
                           : ": el docente «" + Cp1252ToUtf8(docente) + "» no está en PROFT") +
                      "; la sesión se cuenta en una fila sin CPROF");
    }

    if (asig.Locate("CPROF;ASIG_ITACA", {profesor, ocupacion})) {
      ++sumadas.De(asig.RecNo());
    } else {
      asig.Append();
      asig.SetString("CASIG", cod);
      asig.SetString("CPROF", profesor);
      asig.SetFloat("HORAS", 1);
      asig.SetString("SESIONES", "1");
      asig.SetString("CTAREA", cod);
      asig.SetString("ASIG_ITACA", ocupacion);
      asig.Post();
    }
  }

  for (asig.First(); !asig.Eof(); asig.Next()) {
    double horas = asig.AsFloat("HORAS");
    if (const int mas = sumadas.De(asig.RecNo()); mas > 0) {
      horas += mas;
      asig.SetFloat("HORAS", horas);
    }
    const std::string patron = PatronSesiones(horas);
    if (asig.AsString("SESIONES") != patron) asig.SetString("SESIONES", patron);
  }
  ctx.report.SetRows("ASIGT", asig.RecordCount());

  nomAsg.Close();
  asig.Close();
  prof.Close();
}

}  // namespace velmora
