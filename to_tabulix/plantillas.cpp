// The template chooser without its window. Every text here is trimmed of
// blanks and control characters, as the chooser has always trimmed.
#include "to_tabulix/plantillas.h"

#include <algorithm>

#include "formats/text.h"
#include "to_tabulix/run_state.h"

namespace velmora {
namespace {

constexpr const char* kPlantillas = "/centro/plantillas_horario/plantilla_horario";
constexpr const char* kSesiones = "/centro/sesiones_horario/sesion_horario";

std::string Recortado(const XmlElement& e, std::string_view atributo) {
  return TrimBlanksAndControls(e.Attr(atributo));
}

}  // namespace

std::string EntradaHoras(std::string_view sesionOrden, std::string_view horaDesde,
                         std::string_view horaHasta) {
  std::string orden = TrimBlanksAndControls(sesionOrden);
  if (orden.size() == 1) orden = " " + orden;
  return Left(orden, 3) + " de " + TrimBlanksAndControls(horaDesde) + " a " +
         TrimBlanksAndControls(horaHasta);
}

PlantillasModel::PlantillasModel(const XmlDocument& doc) : doc_(doc) {
  const XmlNodeList plantillas = doc_.Select(kPlantillas);
  codigos_.reserve(plantillas.Count());
  for (std::size_t i = 0; i < plantillas.Count(); ++i) {
    codigos_.push_back(Recortado(plantillas.Item(i), "codigo"));
  }
}

PlantillasModel::Vista PlantillasModel::Refrescar(std::string_view textoPlantilla,
                                                  std::string_view idioma) const {
  Vista vista;
  const XmlNodeList plantillas = doc_.Select(kPlantillas);
  const char* descripcion = idioma == kValencia ? "descripcion_val" : "descripcion_cas";
  for (std::size_t i = 0; i < plantillas.Count() && i < codigos_.size(); ++i) {
    // The text as typed, untrimmed: a trailing blank matches nothing yet.
    if (codigos_[i] != textoPlantilla) continue;
    const XmlElement plantilla = plantillas.Item(i);
    vista.nombre = Recortado(plantilla, descripcion);
    vista.turno = Recortado(plantilla, "turno");  // the last match wins
  }

  const XmlNodeList sesiones = doc_.Select(kSesiones);
  if (sesiones.Count() >= 2) {
    std::vector<std::string> horas;
    for (std::size_t i = 0; i < sesiones.Count(); ++i) {
      const XmlElement sesion = sesiones.Item(i);
      if (Recortado(sesion, "plantilla") != textoPlantilla) continue;
      if (Recortado(sesion, "dia_semana") != "L") continue;
      horas.push_back(EntradaHoras(sesion.Attr("sesion_orden"), sesion.Attr("hora_desde"),
                                   sesion.Attr("hora_hasta")));
    }
    // The list box sorts its entries by text.
    std::sort(horas.begin(), horas.end());
    vista.horas = std::move(horas);
  }
  return vista;
}

TemplateChoice ElegirPlantilla(const XmlDocument& doc, const std::optional<std::string>& codigo,
                               const std::string& idioma, int tag) {
  const PlantillasModel modelo(doc);
  std::vector<std::string> horas;
  auto refrescar = [&](const std::string& texto) {
    PlantillasModel::Vista vista = modelo.Refrescar(texto, idioma);
    if (vista.horas) horas = std::move(*vista.horas);
    return vista;
  };

  // Opening: on the first template from ITACA to Tabulix, on nothing the other way.
  std::string texto;
  if (tag != kTagTabulixToItaca && !modelo.Codigos().empty()) texto = modelo.Codigos().front();
  PlantillasModel::Vista vista = refrescar(texto);
  if (codigo) {
    texto = *codigo;
    vista = refrescar(texto);
  }

  // Continuar.
  TemplateChoice eleccion;
  eleccion.codigo = TrimBlanksAndControls(texto);
  eleccion.turno = vista.turno;
  eleccion.idioma = idioma;
  eleccion.horas = std::move(horas);
  return eleccion;
}

}  // namespace velmora
