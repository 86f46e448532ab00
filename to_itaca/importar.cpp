#include "to_itaca/importar.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <system_error>

#include "formats/dbf_table.h"
#include "formats/itaca_xml.h"
#include "to_itaca/codigos_fuente.h"
#include "to_itaca/comprobar_entrada.h"
#include "to_itaca/exportar_horarios.h"
#include "to_itaca/resultado.h"
#include "to_tabulix/respaldo_tablas.h"
#include "to_tabulix/steps.h"

namespace velmora {

namespace {

const char* const kAviso =
    "Deberá Abrir el fichero XML de ITACA,\r\n"
    "desde el cual realizó la Importación a Tabulix";
const char* const kNoExiste = "No existe archivo XML o Solución.";
const char* const kFinalizado = "Proceso finalizado";

bool ExisteFichero(const std::filesystem::path& file) {
  std::error_code ec;
  return !file.empty() && std::filesystem::is_regular_file(file, ec);
}

// The hourglass for as long as the tables are worked on, also when a step fails.
class RelojDeArena {
 public:
  explicit RelojDeArena(Dialogs& dialogs) : dialogs_(dialogs) { dialogs_.SetHourglass(true); }
  ~RelojDeArena() { Quitar(); }
  RelojDeArena(const RelojDeArena&) = delete;
  RelojDeArena& operator=(const RelojDeArena&) = delete;
  void Quitar() {
    if (puesto_) dialogs_.SetHourglass(false);
    puesto_ = false;
  }

 private:
  Dialogs& dialogs_;
  bool puesto_ = true;
};

Table AbrirTabla(const RunState& state, std::string_view nombre) {
  Table tabla(TableFile(state.xtemp, nombre), OpenMode::Exclusive);
  ComprobarCampos(tabla, nombre);
  return tabla;
}

}  // namespace

void BImportarClick(RunState& state, Dialogs& dialogs) {
  state.report.Clear();
  Report& report = state.report;

  dialogs.Inform(kAviso);
  if (auto elegido = dialogs.ChooseXmlFile()) state.documentPath = *elegido;

  if (!ExisteFichero(state.documentPath) || !ExisteFichero(TableFile(state.xtemp, "SOLUC"))) {
    dialogs.Inform(kNoExiste);
    if (state.runMode == 2) {
      state.resultCode = -1;
      dialogs.CloseMainWindow();
    }
    return;
  }

  // The source is read and checked before anything is asked or written: a
  // document that cannot be used stops the run here with its reason.
  XmlDocument doc = XmlDocument::Load(state.documentPath);
  const DatosCentro centro = LeerDatosCentro(doc);

  // The template chooser in its Tabulix to ITACA mode: its code and hours
  // list; the language stays the main window's.
  TemplateChoice eleccion = dialogs.ChooseTemplate(doc, state.idioma, kTagTabulixToItaca);
  state.plantilla = eleccion.codigo;
  state.horas = std::move(eleccion.horas);

  // DIASHORAST is rebuilt from the chosen template; with a code the document
  // lacks it would lose the slots Tabulix solved against.
  ComprobarPlantilla(doc, state.plantilla);
  ComprobarTablas(state.xtemp);

  RelojDeArena reloj(dialogs);
  // DIASHORAST is backed up before any table is opened: the tables that an
  // interrupted run left half-written are put back first, and read as such.
  RespaldoTablas respaldo(state.xtemp, {"DIASHORAST"});
  respaldo.Avisar(report);

  // The tables are opened for exclusive use, in this order; the ones the
  // passes read are checked for their fields, and SOLUC for numbers in its
  // days and slots, before DIASHORAST is replaced.
  Table soluc = AbrirTabla(state, "SOLUC");
  ComprobarNumerosSoluc(soluc);
  Table grupos = AbrirTabla(state, "GRUPOST");
  Table cursos = AbrirTabla(state, "CURSOST");
  Table profesores = AbrirTabla(state, "PROFT");
  Table aulas = AbrirTabla(state, "AULAT");
  Table nombres = AbrirTabla(state, "ASIGNOMT");
  CrearDiasHoras(state, report);
  Table tramos = AbrirTabla(state, "DIASHORAST");
  Table asignaciones = AbrirTabla(state, "ASIGT");

  state.cursoDestino = centro.curso;
  state.cursoDestino = dialogs.ChooseSchoolYear(state.cursoDestino);

  const std::time_t ahora =
      state.clock ? state.clock()
                  : std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  const CodigosFuente codigos = CodigosFuente::Leer(doc);
  XmlOut raiz = doc.ReplaceRoot("centro");
  raiz.SetAttribute("codigo", centro.codigo);
  raiz.SetAttribute("denominacion", centro.denominacion);
  raiz.SetAttribute("curso", state.cursoDestino);
  raiz.SetAttribute("fecha_exportacion", FechaExportacion(ahora));
  raiz.SetAttribute("version", centro.version);

  PasadasSolucion pasadas{raiz,       state.plantilla, soluc,  grupos, nombres,
                          profesores, aulas,           tramos, report, codigos};
  ExportarHorariosGrupo(pasadas);
  ExportarHorariosOcupaciones(pasadas);

  for (Table* tabla :
       {&soluc, &grupos, &cursos, &profesores, &aulas, &nombres, &tramos, &asignaciones}) {
    tabla->Close();
  }

  doc.Save(RutaResultado(state.documentPath));
  respaldo.Confirmar();

  reloj.Quitar();
  state.resultCode = 1;
  dialogs.Inform(kFinalizado, &report);
  state.buttonsEnabled = false;
  if (state.runMode == 2) dialogs.CloseMainWindow();
}

}  // namespace velmora
