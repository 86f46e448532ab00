#pragma once
// The template chooser's logic, without its window: which templates a document
// has, the description and shift of a code, and its Monday hours list. The
// desktop dialog binds its widgets to it; the command line and the tests use
// it directly.
//
// Codes are compared as whole texts, case-sensitively. Values are CP1252.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/itaca_xml.h"
#include "to_tabulix/dialogs.h"

namespace velmora {

// One entry of the hours list: o + " de " + f + " a " + t, where o is the
// trimmed session order (a blank put before it when it has one character,
// then cut to three characters) and f, t the trimmed start and end times.
std::string EntradaHoras(std::string_view sesionOrden, std::string_view horaDesde,
                         std::string_view horaHasta);

class PlantillasModel {
 public:
  // Reads the templates of the document (their codes, trimmed of blanks and
  // control characters, in document order).
  explicit PlantillasModel(const XmlDocument& doc);

  const std::vector<std::string>& Codigos() const { return codigos_; }

  // What the dialog shows for the template combo's text, as typed (untrimmed),
  // and the language combo's text.
  struct Vista {
    std::string nombre = "-";  // description in the language ("-" when no template matches)
    std::string turno = "-";   // shift ("-" when no template matches; the last match wins)
    // The Monday hours list, sorted by text; nothing when the document has
    // fewer than two sessions, and the list then stays as it was.
    std::optional<std::vector<std::string>> horas;
  };
  Vista Refrescar(std::string_view textoPlantilla, std::string_view idioma) const;

 private:
  const XmlDocument& doc_;
  std::vector<std::string> codigos_;
};

// The whole dialog without a window: opens in the mode of `tag` (0: on the
// first template; 2: on an empty code), then the code `codigo` is typed when
// given, and Continuar is pressed. Returns what the dialog hands back.
TemplateChoice ElegirPlantilla(const XmlDocument& doc, const std::optional<std::string>& codigo,
                               const std::string& idioma, int tag);

}  // namespace velmora
