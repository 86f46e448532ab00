// ASIGNOMT, second half: the duties, each under a short code that begins with
// an asterisk, one row per name not met before among subjects and duties.
#include <optional>
#include <unordered_map>

#include "formats/error.h"
#include "formats/text.h"
#include "to_tabulix/nombres.h"
#include "to_tabulix/steps.h"

namespace velmora {
namespace {

// For a duty code already given: its first three characters followed by the
// first letter A, B, C, ... (and the characters after Z, up to the last of
// the character set) that gives a code not yet given. The last letter tried
// for each base is remembered, as codes are only ever added.
class LetrasLibres {
 public:
  std::optional<std::string> Para(const std::string& codigo, const std::set<std::string>& dados) {
    const std::string base = Left(codigo, 3);
    int& letra = siguiente_.try_emplace(base, 'A').first->second;
    for (; letra <= 0xFF; ++letra) {
      std::string candidato = base + static_cast<char>(letra);
      if (dados.count(candidato) == 0) return candidato;
    }
    return std::nullopt;
  }

 private:
  std::unordered_map<std::string, int> siguiente_;
};

}  // namespace

void AnadirOcupaciones(RunContext& ctx) {
  Table tabla(ctx.Table("ASIGNOMT"), OpenMode::Exclusive);
  const XmlNodeList ocupaciones = ctx.doc.Select("/centro/ocupaciones/ocupacion");
  std::set<std::string>& codigos = ctx.state.listaCodigos;
  std::set<std::string>& nombres = ctx.state.listaNombres;
  const char* atributoNombre = AtributoNombre(ctx.state.idioma);
  LetrasLibres letras;

  if (ocupaciones.Count() >= 2) {
    for (std::size_t i = 0; i < ocupaciones.Count(); ++i) {
      const XmlElement ocupacion = ocupaciones.Item(i);
      const std::string codigo = ocupacion.Trimmed("codigo");
      const std::string nombre = ocupacion.Trimmed(atributoNombre);
      const std::string largo = CodigoLargo(nombre);
      std::string cod = "*" + Right(codigo, 3);
      if (!nombres.insert(nombre).second) {
        ctx.report.Omit("Ocupación «" + Cp1252ToUtf8(codigo) + "» (" + ocupacion.Where() +
                        "): su nombre «" + Cp1252ToUtf8(nombre) +
                        "» ya es el de una materia u ocupación anterior; no tiene fila propia en "
                        "ASIGNOMT");
        continue;
      }
      if (codigos.count(cod) > 0) {
        const auto libre = letras.Para(cod, codigos);
        if (!libre) {
          throw Error("No queda ningún código libre de la forma «" + Cp1252ToUtf8(Left(cod, 3)) +
                      "?» para la ocupación «" + Cp1252ToUtf8(codigo) + "» (" + ocupacion.Where() +
                      ")");
        }
        cod = *libre;
      }
      codigos.insert(cod);
      tabla.Append();
      tabla.SetString("COD", cod);
      tabla.SetString("CODLARGO", largo);
      tabla.SetString("NOMBRE", nombre);
      tabla.SetString("CODTAREA", codigo);
      tabla.SetBool("ESTAREA", true);
      tabla.SetString("ABREV_ITACA", codigo);
      tabla.Post();
    }
  }
  const long filas = tabla.RecordCount();
  tabla.Close();
  ctx.report.SetRows("ASIGNOMT", filas);
  // The two lists served these two steps only.
  codigos.clear();
  nombres.clear();
}

}  // namespace velmora
