// CargarHorariosGrupo: the class load of the chosen template. Each class row
// of ASIGT that has sessions of the template gets their number as its hours,
// the teacher and room of its sessions; each further teacher of a group's
// subject gets a row of its own; rows without sessions are deleted.
#include <string>

#include "formats/text.h"
#include "to_tabulix/consulta_abreviaturas.h"
#include "to_tabulix/preguntas.h"
#include "to_tabulix/sesiones_por_fila.h"
#include "to_tabulix/steps.h"
#include "to_tabulix/tabla_asigt.h"

namespace velmora {

namespace {

// Teacher and room are filled from the session only when the row has none.
// (Filling an empty field with nothing changes nothing, and is not done.)
void CompletarProfesorAula(Table& asig, const std::string& profesor, const std::string& aula) {
  if (!profesor.empty() && AllTrim(asig.AsString("CPROF")).empty()) {
    asig.SetString("CPROF", profesor);
  }
  if (!aula.empty() && AllTrim(asig.AsString("CAULA")).empty()) asig.SetString("CAULA", aula);
}

struct Sesion {
  std::string grupo, curso, contenido, profesor, aula;
};

// Appends the row of a further teacher of the base row's group and subject,
// with its first session. Returns false, appending nothing, when the base
// row's group is not in GRUPOST.
bool AnadirOtroProfesor(Table& asig, Table& grupos, const Sesion& s, const std::string& casig,
                        const std::string& cgrup) {
  if (!grupos.Locate("ABREV", cgrup)) return false;
  asig.Append();
  asig.SetString("CASIG", casig);
  asig.SetString("CPROF", s.profesor);
  asig.SetString("CGRUP", cgrup);
  asig.SetString("CAULA", s.aula);
  asig.SetString("TURNO", grupos.AsString("TURNO"));
  asig.SetString("NIVEL", grupos.AsString("NIVEL"));
  asig.SetString("CURSO", grupos.AsString("CURSO"));
  asig.SetString("GRUPO", grupos.AsString("GRUPO"));
  asig.SetFloat("HORAS", 1);
  asig.SetString("SESIONES", "1111");
  asig.SetString("CLAVE", s.grupo);
  asig.SetString("CLAVECURSO", s.curso);
  asig.SetString("CTAREA", kTareaClase);
  asig.SetString("ASIG_ITACA", s.contenido);
  asig.Post();
  return true;
}

}  // namespace

void CargarHorariosGrupo(RunContext& ctx) {
  ctx.state.soloPlantillaSeleccionada = false;
  const XmlNodeList sesiones = ctx.doc.Select("/centro/horarios_grupo/horario_grupo");
  const std::size_t n = sesiones.Count();
  if (n == 0) return;
  if (ctx.dialogs.Confirm(kPreguntaVariasPlantillas) == Answer::Yes) return;

  ctx.state.soloPlantillaSeleccionada = true;
  Table asig(ctx.Table("ASIGT"), OpenMode::Exclusive);
  Table grupos(ctx.Table("GRUPOST"), OpenMode::Exclusive);
  Table prof(ctx.Table("PROFT"), OpenMode::Exclusive);
  Table aulas(ctx.Table("AULAT"), OpenMode::Exclusive);
  // The used rows: for each record number, the sessions counted on that row;
  // a row is in use when it has at least one. Record numbers stay valid while
  // rows are deleted, until the pack. A row's hours are its sessions; they
  // are written once, in the final pass, rather than at every session.
  SesionesPorFila usadas;
  ConsultaAbreviaturas profesores(prof, "DNI", "ABREV", true);
  ConsultaAbreviaturas aulasItaca(aulas, "ABREV_ITACA", "ABREV", true);

  if (n == 1) {
    ctx.report.Omit(sesiones.Item(0).Where() +
                    ": una única sesión de grupo no se cuenta (se necesitan al menos dos)");
  }
  for (std::size_t i = 0; n >= 2 && i < n; ++i) {
    const XmlElement e = sesiones.Item(i);
    if (e.Trimmed("plantilla") != ctx.state.plantilla) continue;
    Sesion s{e.Trimmed("grupo"), e.Trimmed("curso"), e.Trimmed("contenido"), {}, {}};
    const std::string docente = e.Trimmed("docente");
    const std::string aula = e.Trimmed("aula");

    if (!asig.Locate("CLAVE;CLAVECURSO;ASIG_ITACA", {s.grupo, s.curso, s.contenido})) {
      ctx.report.Omit(e.Where() + ": no hay fila de ASIGT para el grupo «" + Cp1252ToUtf8(s.grupo) +
                      "», el curso «" + Cp1252ToUtf8(s.curso) + "» y la asignatura «" +
                      Cp1252ToUtf8(s.contenido) + "»; la sesión no se cuenta");
      continue;
    }
    s.profesor = profesores.De(docente);
    s.aula = aulasItaca.De(aula);

    // The first session of a row replaces its default hours.
    int& base = usadas.De(asig.RecNo());
    if (base == 0 || asig.AsString("CPROF") == s.profesor) {
      ++base;
      CompletarProfesorAula(asig, s.profesor, s.aula);
      continue;
    }
    const std::string casig = asig.AsString("CASIG");
    const std::string cgrup = asig.AsString("CGRUP");
    if (asig.Locate("CLAVE;CLAVECURSO;ASIG_ITACA;CPROF",
                    {s.grupo, s.curso, s.contenido, s.profesor})) {
      // A row of this teacher that has had no session yet (a second row of
      // the same group and subject) starts from this session too, and is kept.
      ++usadas.De(asig.RecNo());
      CompletarProfesorAula(asig, s.profesor, s.aula);
      continue;
    }
    if (AnadirOtroProfesor(asig, grupos, s, casig, cgrup)) {
      usadas.De(asig.RecNo()) = 1;
    } else {
      ctx.report.Omit(e.Where() + ": el grupo «" + Cp1252ToUtf8(cgrup) +
                      "» no está en GRUPOST; la sesión del docente «" + Cp1252ToUtf8(docente) +
                      "» no se cuenta");
    }
  }

  asig.First();
  while (!asig.Eof()) {
    const int sesionesFila = usadas.De(asig.RecNo());
    if (sesionesFila == 0) {
      asig.Delete();
      continue;
    }
    if (asig.AsFloat("HORAS") != sesionesFila) asig.SetFloat("HORAS", sesionesFila);
    asig.Next();
  }
  asig.Pack();
  ctx.report.SetRows("ASIGT", asig.RecordCount());

  asig.Close();
  grupos.Close();
  prof.Close();
  aulas.Close();
}

}  // namespace velmora
