// The ITACA to Tabulix run: the document, the template, the checks that keep a
// failed run from touching any table, then the ten steps in their fixed order.
#include "to_tabulix/exportar.h"

#include <algorithm>
#include <iterator>

#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "formats/text.h"
#include "to_tabulix/comprobar_documento.h"
#include "to_tabulix/comprobar_tablas.h"
#include "to_tabulix/plantillas.h"
#include "to_tabulix/respaldo_tablas.h"
#include "to_tabulix/run_context.h"
#include "to_tabulix/steps.h"
#include "to_tabulix/tramos_horas.h"

namespace velmora {
namespace {

// The hourglass goes off however the steps end.
class RelojDeArena {
 public:
  explicit RelojDeArena(Dialogs& dialogs) : dialogs_(dialogs) { dialogs_.SetHourglass(true); }
  ~RelojDeArena() {
    try {
      dialogs_.SetHourglass(false);
    } catch (...) {
    }
  }
  RelojDeArena(const RelojDeArena&) = delete;
  RelojDeArena& operator=(const RelojDeArena&) = delete;

 private:
  Dialogs& dialogs_;
};

// A template code that the document does not carry would empty the slots and
// the load, and the run would still report success.
void ComprobarPlantillaElegida(const XmlDocument& doc, const RunState& state) {
  const PlantillasModel modelo(doc);
  const auto& codigos = modelo.Codigos();
  if (std::find(codigos.begin(), codigos.end(), state.plantilla) != codigos.end()) return;
  std::string lista;
  for (const auto& c : codigos) lista += (lista.empty() ? "" : ", ") + Cp1252ToUtf8(c);
  throw Error("La plantilla horaria «" + Cp1252ToUtf8(state.plantilla) +
              "» no está en el documento «" + doc.File().filename().string() +
              "» (sus plantillas son: " + lista + "). No se ha modificado ninguna tabla.");
}

}  // namespace

void BExportarClick(RunState& state, Dialogs& dialogs) {
  state.report.Clear();
  state.listaCodigos.clear();
  state.listaNombres.clear();

  if (auto elegido = dialogs.ChooseXmlFile()) state.documentPath = *elegido;
  std::error_code ec;
  if (state.documentPath.empty() || !std::filesystem::is_regular_file(state.documentPath, ec)) {
    dialogs.Inform("No existe archivo");
    if (state.runMode == 2) {
      state.resultCode = -1;
      dialogs.CloseMainWindow();
    }
    return;
  }

  const XmlDocument doc = XmlDocument::Load(state.documentPath);
  const bool hayPlantillas =
      doc.Select("/centro/plantillas_horario/plantilla_horario").Count() >= 1;
  if (hayPlantillas) {
    state.plantilla.clear();
    TemplateChoice eleccion = dialogs.ChooseTemplate(doc, state.idioma, kTagItacaToTabulix);
    state.plantilla = std::move(eleccion.codigo);
    state.idioma = std::move(eleccion.idioma);
    state.turno = std::move(eleccion.turno);
    state.horas = std::move(eleccion.horas);
  }

  {
    const RelojDeArena reloj(dialogs);
    // Nothing is deleted before the run knows it can go through.
    if (hayPlantillas) ComprobarPlantillaElegida(doc, state);
    ComprobarDocumento(doc, state);
    LeerTramos(state.horas);
    ComprobarTablasLibres(state.xtemp);
    RespaldoTablas respaldo(state.xtemp, {std::begin(kTablasExportar), std::end(kTablasExportar)});
    respaldo.Avisar(state.report);

    RunContext ctx{state, doc, dialogs, state.report};
    CrearProfesores(ctx);
    CrearCursosGrupos(ctx);
    CrearNombresAsignaturas(ctx);
    AnadirOcupaciones(ctx);
    CrearAulas(ctx);
    CrearAsignaciones(ctx);
    CargarHorariosGrupo(ctx);
    CargarHorariosOcupaciones(ctx);
    QuitarSinClases(ctx);
    CrearDiasHoras(state, state.report);
    respaldo.Confirmar();
  }

  state.resultCode = 1;
  dialogs.Inform("Proceso finalizado", &state.report);
  state.buttonsEnabled = false;
  if (state.runMode == 2) dialogs.CloseMainWindow();
}

}  // namespace velmora
