#include "to_itaca/exportar_horarios.h"
#include "to_itaca/fila_solucion.h"

namespace velmora {

namespace {
constexpr std::string_view kPasada = "ocupación";
}  // namespace

long ExportarHorariosOcupaciones(PasadasSolucion& p) {
  XmlOut coleccion = p.centro.AppendChild("horarios_ocupaciones");
  const CodigosFuente& codigos = p.codigos;
  const int tamOcupacion = TamanoCampo(p.nombres, "ABREV_ITACA");
  const int tamDocente = TamanoCampo(p.profesores, "DNI");
  const int tamEnsenanza = TamanoCampo(p.profesores, "ENSENANZA");
  long escritas = 0;
  Table& soluc = p.soluc;
  for (soluc.First(); !soluc.Eof(); soluc.Next()) {
    const auto fila = FilaDeLaPasada(soluc, true, p.report);
    if (!fila) continue;
    const auto& [asig, dia, hora, recno] = *fila;

    if (!BuscarCodigo(p.nombres, "COD", asig)) {
      p.report.Omit(FilaOmitida(recno, kPasada, NoEncontrado("ASIG", asig, "ASIGNOMT")));
      continue;
    }
    const std::string ocupacion =
        codigos.ocupaciones.Completar(p.nombres.AsString("ABREV_ITACA"), tamOcupacion);

    // A duty belongs to its teacher: without one it is left out.
    const std::string prof = soluc.AsString("PROF");
    if (!BuscarCodigo(p.profesores, "ABREV", prof)) {
      p.report.Omit(FilaOmitida(recno, kPasada, NoEncontrado("PROF", prof, "PROFT")));
      continue;
    }
    const std::string docente =
        codigos.docentes.Completar(p.profesores.AsString("DNI"), tamDocente);
    const std::string ensenanza =
        codigos.ensenanzas.Completar(p.profesores.AsString("ENSENANZA"), tamEnsenanza);

    const auto tramo = TramoDeFila(p.tramos, hora, recno, kPasada, p.report);
    if (!tramo) continue;

    XmlOut e = NuevaSesion(coleccion, "horario_ocupacion", p.plantilla, dia, *tramo);
    e.SetAttribute("docente", docente);
    e.SetAttribute("ensenanza", ensenanza);
    e.SetAttribute("ocupacion", ocupacion);
    ++escritas;
  }
  p.report.SetRows("horarios_ocupaciones", escritas);
  return escritas;
}

}  // namespace velmora
