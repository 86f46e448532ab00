// velmora-cli importar: the Tabulix to ITACA run, with the answers of the
// windows given as options.
#include <cstdio>

#include "cli/carpeta_trabajo.h"
#include "cli/commands.h"
#include "cli/dialogos_cli.h"
#include "cli/opciones.h"
#include "formats/text.h"
#include "to_itaca/importar.h"
#include "to_itaca/resultado.h"
#include "to_tabulix/run_state.h"

namespace velmora::cli {
namespace {

const char* const kUso =
    "Uso: velmora-cli importar DOC.xml --plantilla CODIGO [opciones]\n"
    "\n"
    "Lee la solución de Tabulix (SOLUC) con las tablas de la exportación anterior y\n"
    "escribe ResultadoTabulix<DOC>.xml junto a DOC.xml, el documento de ITACA del que\n"
    "se exportó a Tabulix.\n"
    "\n"
    "Opciones:\n"
    "  --plantilla CODIGO   Plantilla horaria con la que Tabulix resolvió el horario\n"
    "                       (velmora-cli plantillas DOC.xml las lista)\n"
    "  --curso AÑO          Curso del resultado (si no: el del documento)\n"
    "  --idioma IDIOMA      valenciano (por omisión) o castellano: nombres de los días\n"
    "                       de DIASHORAST, que se reconstruye\n"
    "  --xtemp CARPETA      Carpeta de trabajo de Tabulix (si no: VELMORA_XTEMP,\n"
    "                       $WINEPREFIX/drive_c/XTEMP o ~/.wine/drive_c/XTEMP)\n"
    "  --help               Muestra esta ayuda\n";

long FilasDe(const Report& report, const std::string& tabla) {
  for (const auto& [nombre, n] : report.rows) {
    if (nombre == tabla) return n;
  }
  return 0;
}

}  // namespace

int Importar(const Args& args) {
  RunState state;
  Respuestas respuestas;
  try {
    const Opciones o = LeerOpciones(args, {"--xtemp", "--plantilla", "--curso", "--idioma"}, {});
    if (o.ayuda) {
      std::fputs(kUso, stdout);
      return 0;
    }
    if (o.posicionales.size() != 1) throw ErrorDeUso("Indique un documento de ITACA.");
    respuestas.documento = o.posicionales[0];
    const auto plantilla = o.Valor("--plantilla");
    if (!plantilla) {
      throw ErrorDeUso(
          "Indique la plantilla horaria con --plantilla CODIGO "
          "(velmora-cli plantillas DOC.xml las lista).");
    }
    respuestas.plantilla = Utf8ToCp1252(*plantilla);
    if (auto c = o.Valor("--curso")) respuestas.curso = Utf8ToCp1252(*c);
    if (auto i = o.Valor("--idioma")) state.idioma = Idioma(*i);
    state.xtemp = CarpetaTrabajo(o.Valor("--xtemp"));
  } catch (const ErrorDeUso& e) {
    return UsoIncorrecto(e.what(), kUso);
  }

  DialogosCli dialogos(respuestas);
  BImportarClick(state, dialogos);
  if (state.resultCode != 1) {
    // The run stopped at its own check: the document or SOLUC is not there.
    const auto& mensajes = dialogos.Mensajes();
    std::fprintf(stderr, "Error: %s\n  documento: %s\n  solución: %s\n",
                 mensajes.empty() ? "" : mensajes.back().c_str(),
                 respuestas.documento.string().c_str(),
                 (state.xtemp / "SOLUC.DBF").string().c_str());
    return 1;
  }

  std::printf("Resultado: %s\n", RutaResultado(state.documentPath).string().c_str());
  std::printf("Sesiones de grupo escritas: %ld\n", FilasDe(state.report, "horarios_grupo"));
  std::printf("Sesiones de ocupaciones escritas: %ld\n",
              FilasDe(state.report, "horarios_ocupaciones"));
  // The rest of the report: the slots rebuilt, what was left out and why.
  Report resto = state.report;
  std::erase_if(resto.rows, [](const auto& fila) { return fila.first.starts_with("horarios_"); });
  std::fputs(resto.Text().c_str(), stdout);
  return 0;
}

}  // namespace velmora::cli
