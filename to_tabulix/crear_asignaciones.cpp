// CrearAsignaciones: ASIGT with the default class rows, one for every subject
// of a course and every group of that course, four one-hour sessions each.
#include <string>
#include <unordered_map>
#include <vector>

#include "formats/error.h"
#include "formats/text.h"
#include "to_tabulix/steps.h"
#include "to_tabulix/tabla_asigt.h"

namespace velmora {

namespace {

struct Grupo {
  std::string abrev, turno, nivel, curso, grupo, clave;
};

// The size of a text field of `table`.
int LargoCampo(const Table& table, std::string_view field) {
  for (const FieldInfo& f : table.Fields()) {
    if (FoldCase(f.name) == FoldCase(Left(field, 10))) return f.length;
  }
  throw Error("la tabla " + table.Path().filename().string() + " no tiene el campo " +
              std::string(field));
}

// The groups of GRUPOST by the ITACA code of their course, each course's
// groups in table order. Read once, so that each subject costs one lookup.
std::unordered_map<std::string, std::vector<Grupo>> GruposPorCurso(Table& grupos) {
  std::unordered_map<std::string, std::vector<Grupo>> porCurso;
  for (grupos.First(); !grupos.Eof(); grupos.Next()) {
    porCurso[grupos.AsString("CLAVECURSO")].push_back(
        {grupos.AsString("ABREV"), grupos.AsString("TURNO"), grupos.AsString("NIVEL"),
         grupos.AsString("CURSO"), grupos.AsString("GRUPO"), grupos.AsString("CLAVE")});
  }
  return porCurso;
}

// The subject's code in Tabulix: by its ITACA code, then by its name in the
// language of the run; empty when neither finds a row.
std::string CodigoAsignatura(Table& nomAsg, const XmlElement& contenido, const std::string& codigo,
                             const std::string& idioma) {
  std::string cod;
  if (nomAsg.Locate("ABREV_ITACA", codigo)) cod = nomAsg.AsString("COD");
  if (cod.empty() && (idioma == kCastellano || idioma == kValencia)) {
    const std::string nombre =
        contenido.Trimmed(idioma == kCastellano ? "nombre_cas" : "nombre_val");
    if (nomAsg.Locate("NOMBRE", nombre)) cod = nomAsg.AsString("COD");
  }
  return cod;
}

}  // namespace

void CrearAsignaciones(RunContext& ctx) {
  DeleteTableFiles(ctx.state.xtemp, "ASIGT");
  const auto file = ctx.Table("ASIGT");
  Table::Create(file, CamposAsigt());
  Table asig(file, OpenMode::Shared);
  Table grupos(ctx.Table("GRUPOST"), OpenMode::Exclusive);
  Table nomAsg(ctx.Table("ASIGNOMT"), OpenMode::Exclusive);

  const XmlNodeList contenidos = ctx.doc.Select("/centro/contenidos/contenido");
  const std::size_t n = contenidos.Count();
  if (n == 1) {
    ctx.report.Omit(contenidos.Item(0).Where() +
                    ": un único contenido no se convierte (se necesitan al menos dos)");
  }
  if (n >= 2) {
    const auto porCurso = GruposPorCurso(grupos);
    // A course code compared as CLAVECURSO holds it: cut to the field's size,
    // without trailing blanks, so that codes longer than the field still find
    // the groups that carry them cut.
    const int largoCurso = LargoCampo(grupos, "CLAVECURSO");
    for (std::size_t i = 0; i < n; ++i) {
      const XmlElement contenido = contenidos.Item(i);
      const std::string curso = contenido.Trimmed("curso");
      const std::string codigo = contenido.Trimmed("codigo");
      const std::string cod = CodigoAsignatura(nomAsg, contenido, codigo, ctx.state.idioma);
      if (cod.empty()) {
        ctx.report.Omit(contenido.Where() + ": la asignatura «" + Cp1252ToUtf8(codigo) +
                        "» no está en ASIGNOMT ni por código ni por nombre; no tiene filas en "
                        "ASIGT");
        continue;
      }
      const auto it = porCurso.find(RTrim(Left(curso, largoCurso)));
      if (it == porCurso.end()) continue;
      for (const Grupo& g : it->second) {
        asig.Append();
        asig.SetString("CASIG", cod);
        asig.SetString("CGRUP", g.abrev);
        asig.SetString("CAULA", "");
        asig.SetString("TURNO", g.turno);
        asig.SetString("NIVEL", g.nivel);
        asig.SetString("CURSO", g.curso);
        asig.SetString("GRUPO", g.grupo);
        asig.SetFloat("HORAS", 4);
        asig.SetString("SESIONES", "1111");
        asig.SetString("CLAVE", g.clave);
        asig.SetString("CLAVECURSO", curso);
        asig.SetString("CTAREA", kTareaClase);
        asig.SetString("ASIG_ITACA", codigo);
        asig.Post();
      }
    }
  }

  ctx.report.SetRows("ASIGT", asig.RecordCount());
  asig.Close();
  grupos.Close();
  nomAsg.Close();
}

}  // namespace velmora
