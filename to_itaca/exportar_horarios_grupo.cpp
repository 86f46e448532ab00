#include "to_itaca/exportar_horarios.h"
#include "to_itaca/fila_solucion.h"

namespace velmora {

namespace {
constexpr std::string_view kPasada = "sesión de grupo";
}  // namespace

long ExportarHorariosGrupo(PasadasSolucion& p) {
  XmlOut coleccion = p.centro.AppendChild("horarios_grupo");
  const CodigosFuente& codigos = p.codigos;
  const int tamGrupo = TamanoCampo(p.grupos, "CLAVE");
  const int tamCurso = TamanoCampo(p.grupos, "CLAVECURSO");
  const int tamEnsenanza = TamanoCampo(p.grupos, "ENSENANZA");
  const int tamContenido = TamanoCampo(p.nombres, "ABREV_ITACA");
  const int tamDocente = TamanoCampo(p.profesores, "DNI");
  const int tamAula = TamanoCampo(p.aulas, "ABREV_ITACA");
  long escritas = 0;
  Table& soluc = p.soluc;
  for (soluc.First(); !soluc.Eof(); soluc.Next()) {
    const auto fila = FilaDeLaPasada(soluc, false, p.report);
    if (!fila) continue;
    const auto& [asig, dia, hora, recno] = *fila;

    const std::string codgrupo = soluc.AsString("CODGRUPO");
    if (!BuscarCodigo(p.grupos, "ABREV", codgrupo)) {
      p.report.Omit(FilaOmitida(recno, kPasada, NoEncontrado("CODGRUPO", codgrupo, "GRUPOST")));
      continue;
    }
    const std::string grupo = codigos.grupos.Completar(p.grupos.AsString("CLAVE"), tamGrupo);
    const std::string curso = codigos.cursos.Completar(p.grupos.AsString("CLAVECURSO"), tamCurso);
    const std::string ensenanza =
        codigos.ensenanzas.Completar(p.grupos.AsString("ENSENANZA"), tamEnsenanza);

    if (!BuscarCodigo(p.nombres, "COD", asig)) {
      p.report.Omit(FilaOmitida(recno, kPasada, NoEncontrado("ASIG", asig, "ASIGNOMT")));
      continue;
    }
    const std::string contenido =
        codigos.contenidos.Completar(p.nombres.AsString("ABREV_ITACA"), tamContenido);

    // A session without a known teacher or room is still written, with the
    // attribute empty.
    std::string docente;
    if (BuscarCodigo(p.profesores, "ABREV", soluc.AsString("PROF"))) {
      docente = codigos.docentes.Completar(p.profesores.AsString("DNI"), tamDocente);
    }
    std::string aula;
    if (BuscarCodigo(p.aulas, "ABREV", soluc.AsString("AULA"))) {
      aula = codigos.aulas.Completar(p.aulas.AsString("ABREV_ITACA"), tamAula);
    }

    const auto tramo = TramoDeFila(p.tramos, hora, recno, kPasada, p.report);
    if (!tramo) continue;

    XmlOut e = NuevaSesion(coleccion, "horario_grupo", p.plantilla, dia, *tramo);
    e.SetAttribute("grupo", grupo);
    e.SetAttribute("ensenanza", ensenanza);
    e.SetAttribute("curso", curso);
    e.SetAttribute("contenido", contenido);
    e.SetAttribute("docente", docente);
    e.SetAttribute("aula", aula);
    e.SetAttribute("idioma", "");
    ++escritas;
  }
  p.report.SetRows("horarios_grupo", escritas);
  return escritas;
}

}  // namespace velmora
