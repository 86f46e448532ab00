#include "cli/dialogos_cli.h"

#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "to_tabulix/plantillas.h"
#include "to_tabulix/preguntas.h"

namespace velmora::cli {

TemplateChoice DialogosCli::ChooseTemplate(const XmlDocument& document, const std::string& idioma,
                                           int tag) {
  plantillaElegida_ = true;
  return ElegirPlantilla(document, r_.plantilla, idioma, tag);
}

std::string DialogosCli::ChooseSchoolYear(const std::string& current) {
  return r_.curso.value_or(current);
}

Answer DialogosCli::Confirm(const std::string& text) {
  if (text == kPreguntaVariasPlantillas) return r_.todasLasPlantillas ? Answer::Yes : Answer::No;
  if (text == kPreguntaQuitarSinClases) return r_.conservarSinClases ? Answer::No : Answer::Yes;
  throw Error("Pregunta sin respuesta en la línea de órdenes: " + text);
}

void DialogosCli::Inform(const std::string& text, const Report*) {
  mensajes_.push_back(text);
}

}  // namespace velmora::cli
