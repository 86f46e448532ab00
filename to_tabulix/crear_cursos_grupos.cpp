// CURSOST and GRUPOST: the numbered courses and the class groups, with their
// level, their course and their tutor.
#include <optional>
#include <unordered_map>

#include "formats/text.h"
#include "to_tabulix/abreviaturas_usadas.h"
#include "to_tabulix/steps.h"

namespace velmora {
namespace {

// The first element of a collection whose trimmed `clave` equals a value,
// answered through a map built on first use, so that a school's hundreds of
// groups do not each walk the whole collection. The collection is searched
// only when it holds two elements or more.
class PrimeraCoincidencia {
 public:
  PrimeraCoincidencia(const XmlNodeList& lista, const char* clave, const char* valor)
      : lista_(lista), clave_(clave), valor_(valor) {}

  // The trimmed `valor` of the first matching element; empty when none matches.
  std::string Buscar(const std::string& buscado) {
    if (lista_.Count() < 2) return {};
    if (!indice_) {
      indice_.emplace();
      for (std::size_t i = 0; i < lista_.Count(); ++i) {
        indice_->try_emplace(lista_.Item(i).Trimmed(clave_), i);
      }
    }
    const auto it = indice_->find(buscado);
    if (it == indice_->end()) return {};
    return lista_.Item(it->second).Trimmed(valor_);
  }

 private:
  const XmlNodeList& lista_;
  const char* clave_;
  const char* valor_;
  std::optional<std::unordered_map<std::string, std::size_t>> indice_;
};

bool EmpiezaPorCifra(const std::string& s) {
  return !s.empty() && s[0] >= '0' && s[0] <= '9';
}

}  // namespace

void CrearCursosGrupos(RunContext& ctx) {
  DeleteTableFiles(ctx.state.xtemp, "GRUPOST");
  DeleteTableFiles(ctx.state.xtemp, "CURSOST");
  const auto fileCursos = ctx.Table("CURSOST");
  Table::Create(fileCursos, {{"ABREV", FieldKind::Text, 3},
                             {"TURNO", FieldKind::Text, 1},
                             {"NIVEL", FieldKind::Text, 5},
                             {"CURSO", FieldKind::Text, 3},
                             {"CLAVE", FieldKind::Text, 10},
                             {"ESTUD", FieldKind::Text, 40}});
  const auto fileGrupos = ctx.Table("GRUPOST");
  Table::Create(fileGrupos, {{"ABREV", FieldKind::Text, 10},
                             {"TURNO", FieldKind::Text, 1},
                             {"NIVEL", FieldKind::Text, 5},
                             {"CURSO", FieldKind::Text, 3},
                             {"GRUPO", FieldKind::Text, 2},
                             {"CLAVE", FieldKind::Text, 10},
                             {"CLAVECURSO", FieldKind::Text, 10},
                             {"DESCRIP", FieldKind::Text, 80},
                             {"ENSENANZA", FieldKind::Text, 10},
                             {"TUTOR", FieldKind::Text, 10}});

  const XmlNodeList ensenanzas = ctx.doc.Select("/centro/ensenanzas/ensenanza");
  PrimeraCoincidencia nivelDe(ensenanzas, "ensenanza", "abreviatura");

  // Courses: only the numbered ones, and those that hang from another course.
  const XmlNodeList cursos = ctx.doc.Select("/centro/cursos/curso");
  Table tablaCursos(fileCursos, OpenMode::Exclusive);
  long filasCursos = 0;
  if (cursos.Count() >= 2) {
    for (std::size_t i = 0; i < cursos.Count(); ++i) {
      const XmlElement curso = cursos.Item(i);
      if (curso.Trimmed("padre").empty() && !EmpiezaPorCifra(curso.Trimmed("abreviatura"))) {
        continue;
      }
      const std::string abreviatura = curso.Trimmed("abreviatura");
      tablaCursos.Append();
      tablaCursos.SetString("ABREV", Left(abreviatura, 3));
      tablaCursos.SetString("TURNO", ctx.state.turno);
      tablaCursos.SetString("CURSO", Left(abreviatura, 1));
      tablaCursos.SetString("CLAVE", curso.Trimmed("codigo"));
      tablaCursos.SetString("ESTUD", abreviatura);
      tablaCursos.SetString("NIVEL", nivelDe.Buscar(curso.Trimmed("ensenanza")));
      tablaCursos.Post();
      ++filasCursos;
    }
  }

  // Groups.
  const XmlNodeList cursosGrupo = ctx.doc.Select("/centro/cursos_grupo/curso_grupo");
  PrimeraCoincidencia cursoDe(cursosGrupo, "grupo", "curso");
  Table profesores(ctx.Table("PROFT"), OpenMode::Exclusive);
  const XmlNodeList grupos = ctx.doc.Select("/centro/grupos/grupo");
  Table tablaGrupos(fileGrupos, OpenMode::Exclusive);
  AbreviaturasUsadas usadas;
  long filasGrupos = 0;
  if (grupos.Count() >= 2) {
    for (std::size_t i = 0; i < grupos.Count(); ++i) {
      const XmlElement grupo = grupos.Item(i);
      const std::string clave = grupo.Trimmed("codigo");
      std::string abreviatura = clave;
      const std::string descrip = grupo.Trimmed("nombre");
      const std::string turno = grupo.Trimmed("turno");
      const std::string ensenanza = grupo.Trimmed("ensenanza");
      const std::string nivel = nivelDe.Buscar(ensenanza);
      const std::string claveCurso = cursoDe.Buscar(clave);

      std::string clavetutor = grupo.Trimmed("tutor_ppal");
      if (clavetutor.empty()) clavetutor = grupo.Trimmed("tutor_sec");
      std::string tutor;
      // A group without a tutor has none: the empty key must not pick the
      // first teacher whose document happens to be empty.
      if (!clavetutor.empty()) {
        profesores.First();
        if (profesores.Locate("DNI", clavetutor)) tutor = profesores.AsString("ABREV");
      }

      if (usadas.Contiene(abreviatura)) {
        abreviatura = usadas.ConContador(Left(abreviatura, 9));
      }
      if (abreviatura.size() > 10) {
        abreviatura = Left(abreviatura, 8) + Right(abreviatura, 2);
        // Shortening can meet an abbreviation already given; the group then
        // takes a counter, as rooms do, so that no two groups share one.
        if (usadas.Contiene(abreviatura)) {
          abreviatura = usadas.ConContadorEnCampo(Left(abreviatura, 8), 10);
        }
      }
      usadas.Anadir(abreviatura);

      tablaGrupos.Append();
      tablaGrupos.SetString("ABREV", abreviatura);
      tablaGrupos.SetString("TURNO", turno);
      tablaGrupos.SetString("NIVEL", nivel);
      tablaGrupos.SetString("CURSO", Left(clave, 1));
      tablaGrupos.SetString("GRUPO", Right(clave, 1));
      tablaGrupos.SetString("CLAVE", clave);
      tablaGrupos.SetString("CLAVECURSO", claveCurso);
      tablaGrupos.SetString("DESCRIP", descrip);
      tablaGrupos.SetString("ENSENANZA", ensenanza);
      tablaGrupos.SetString("TUTOR", tutor);
      tablaGrupos.Post();
      ++filasGrupos;
    }
  }
  tablaGrupos.Close();
  tablaCursos.Close();
  profesores.Close();
  ctx.report.SetRows("CURSOST", filasCursos);
  ctx.report.SetRows("GRUPOST", filasGrupos);
}

}  // namespace velmora
