// ASIGNOMT, first half: one row per subject code, with the subject's level and
// course when every subject under the code agrees on them.
#include <unordered_map>

#include "formats/text.h"
#include "to_tabulix/nombres.h"
#include "to_tabulix/steps.h"

namespace velmora {
namespace {

// A code of its own for a subject whose code is already given: the code (its
// first 9 characters when longer) followed by the first counter that gives a
// code not yet given. The code gives up characters rather than grow past the
// 10 of the field. The counter of each base is remembered, as codes are only
// ever added.
class CodigosFrescos {
 public:
  std::string Para(const std::string& codigo, const std::set<std::string>& dados) {
    const std::string base = Left(codigo, 9);
    long long& k = contador_.try_emplace(base, 1).first->second;
    for (;; ++k) {
      const std::string numero = std::to_string(k);
      const int cabe = numero.size() < 10 ? static_cast<int>(10 - numero.size()) : 0;
      std::string candidato = Left(base, cabe) + numero;
      if (dados.count(candidato) == 0) return candidato;
    }
  }

 private:
  std::unordered_map<std::string, long long> contador_;
};

}  // namespace

void CrearNombresAsignaturas(RunContext& ctx) {
  DeleteTableFiles(ctx.state.xtemp, "ASIGNOMT");
  const auto file = ctx.Table("ASIGNOMT");
  Table::Create(file, {{"COD", FieldKind::Text, 10},
                       {"CODLARGO", FieldKind::Text, 10},
                       {"NOMBRE", FieldKind::Text, 80},
                       {"MATERIA", FieldKind::Text, 8},
                       {"CODTAREA", FieldKind::Text, 12},
                       {"ESTAREA", FieldKind::Logical, 0},
                       {"DENIVEL", FieldKind::Text, 5},
                       {"DECURSO", FieldKind::Text, 3},
                       {"ABREV_ITACA", FieldKind::Text, 10}});

  const XmlNodeList contenidos = ctx.doc.Select("/centro/contenidos/contenido");
  Table tabla(file, OpenMode::Exclusive);
  Table cursos(ctx.Table("CURSOST"), OpenMode::Exclusive);
  std::set<std::string>& codigos = ctx.state.listaCodigos;
  std::set<std::string>& nombres = ctx.state.listaNombres;
  const char* atributoNombre = AtributoNombre(ctx.state.idioma);
  CodigosFrescos frescos;
  long filas = 0;

  if (contenidos.Count() >= 2) {
    for (std::size_t i = 0; i < contenidos.Count(); ++i) {
      const XmlElement contenido = contenidos.Item(i);
      const std::string codigo = contenido.Trimmed("codigo");
      std::string c = codigo;
      std::string nivel, curso;
      if (cursos.Locate("CLAVE", contenido.Trimmed("curso"))) {
        nivel = cursos.AsString("NIVEL");
        curso = cursos.AsString("CURSO");
      }
      const std::string nombre = contenido.Trimmed(atributoNombre);
      const std::string largo = CodigoLargo(nombre);

      auto escribir = [&](const std::string& cod) {
        codigos.insert(cod);
        tabla.Append();
        tabla.SetString("COD", cod);
        tabla.SetString("CODLARGO", largo);
        tabla.SetString("NOMBRE", nombre);
        tabla.SetBool("ESTAREA", false);
        tabla.SetString("DENIVEL", nivel);
        tabla.SetString("DECURSO", curso);
        tabla.SetString("ABREV_ITACA", codigo);
        tabla.Post();
        ++filas;
      };

      const bool codigoDado = codigos.count(c) > 0;
      const bool nombreNuevo = nombres.insert(nombre).second;
      if (nombreNuevo && !codigoDado && c.size() > 10) c = Left(c, 8) + Right(c, 2);

      if (!codigoDado && codigos.count(c) == 0) {
        escribir(c);
      } else if (!nombreNuevo) {
        // The same subject again (same code, same name): one row, whose level
        // and course stay only while every subject under the code agrees.
        // Both sides come from fields of the same sizes (NIVEL and DENIVEL
        // hold 5 characters, CURSO and DECURSO 3), so they compare as read.
        if (tabla.Locate("COD", c)) {
          tabla.Edit();
          if (tabla.AsString("DENIVEL") != nivel) tabla.SetString("DENIVEL", "");
          if (tabla.AsString("DECURSO") != curso) tabla.SetString("DECURSO", "");
          tabla.Post();
        }
      } else {
        // A subject with a name of its own under a code that is already
        // given (or that its shortening made equal to one): it gets a row of
        // its own under a fresh code, so that its name reaches Tabulix and,
        // when its ITACA code differs from the one already given, the later
        // steps still find it by that code.
        escribir(frescos.Para(c, codigos));
      }
    }
  }
  cursos.Close();
  tabla.Close();
  ctx.report.SetRows("ASIGNOMT", filas);
}

}  // namespace velmora
