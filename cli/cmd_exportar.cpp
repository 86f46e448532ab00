// velmora-cli exportar: the ITACA to Tabulix run, with an option for every
// answer the windows would ask.
#include <cstdio>

#include "cli/carpeta_trabajo.h"
#include "cli/commands.h"
#include "cli/dialogos_cli.h"
#include "cli/opciones.h"
#include "formats/text.h"
#include "to_tabulix/exportar.h"

namespace velmora::cli {
namespace {

const char* const kUso =
    "Uso: velmora-cli exportar DOC.xml [opciones]\n"
    "\n"
    "Convierte el documento de ITACA DOC.xml en las tablas de Tabulix (PROFT, CURSOST,\n"
    "GRUPOST, ASIGNOMT, AULAT, ASIGT y DIASHORAST) de la carpeta de trabajo.\n"
    "\n"
    "Opciones:\n"
    "  --xtemp CARPETA          Carpeta de trabajo de Tabulix (si no: VELMORA_XTEMP,\n"
    "                           $WINEPREFIX/drive_c/XTEMP o ~/.wine/drive_c/XTEMP)\n"
    "  --plantilla CODIGO       Plantilla horaria (si no: la primera del documento)\n"
    "  --idioma IDIOMA          valenciano (por omisión) o castellano: idioma de los nombres\n"
    "  --todas-plantillas       Toma las clases de todas las plantillas, no solo de la elegida\n"
    "  --conservar-sin-clases   Deja los grupos y profesores sin clases en la plantilla\n"
    "  --help                   Muestra esta ayuda\n";

}  // namespace

int Exportar(const Args& args) {
  RunState state;
  Respuestas respuestas;
  try {
    const Opciones o = LeerOpciones(args, {"--xtemp", "--plantilla", "--idioma"},
                                    {"--todas-plantillas", "--conservar-sin-clases"});
    if (o.ayuda) {
      std::fputs(kUso, stdout);
      return 0;
    }
    if (o.posicionales.size() != 1) throw ErrorDeUso("Indique un documento de ITACA.");
    respuestas.documento = o.posicionales[0];
    if (auto p = o.Valor("--plantilla")) respuestas.plantilla = Utf8ToCp1252(*p);
    respuestas.todasLasPlantillas = o.Bandera("--todas-plantillas");
    respuestas.conservarSinClases = o.Bandera("--conservar-sin-clases");
    if (auto i = o.Valor("--idioma")) state.idioma = Idioma(*i);
    state.xtemp = CarpetaTrabajo(o.Valor("--xtemp"));
  } catch (const ErrorDeUso& e) {
    return UsoIncorrecto(e.what(), kUso);
  }

  state.documentPath.clear();
  DialogosCli dialogos(respuestas);
  BExportarClick(state, dialogos);
  if (state.resultCode != 1) {
    // The run stopped at its own check (the document is not there).
    for (const auto& m : dialogos.Mensajes()) {
      std::fprintf(stderr, "Error: %s: %s\n", m.c_str(), respuestas.documento.string().c_str());
    }
    return 1;
  }
  if (respuestas.plantilla && !dialogos.PlantillaElegida()) {
    std::fputs("Aviso: el documento no tiene plantillas horarias; no se ha usado --plantilla.\n",
               stderr);
  }
  const std::string plantilla = state.plantilla.empty()
                                    ? std::string("sin plantilla horaria")
                                    : "plantilla «" + Cp1252ToUtf8(state.plantilla) + "»";
  std::printf("Tablas escritas en %s (%s, nombres en %s):\n", state.xtemp.string().c_str(),
              plantilla.c_str(), state.idioma == kValencia ? "valenciano" : "castellano");
  std::fputs(state.report.Text().c_str(), stdout);
  return 0;
}

}  // namespace velmora::cli
