// velmora-cli plantillas: the timetable templates of a document, as the
// template chooser would show each of them.
#include <cstdio>

#include "cli/commands.h"
#include "cli/opciones.h"
#include "formats/itaca_xml.h"
#include "formats/text.h"
#include "to_tabulix/plantillas.h"
#include "to_tabulix/run_state.h"

namespace velmora::cli {
namespace {

const char* const kUso =
    "Uso: velmora-cli plantillas DOC.xml\n"
    "\n"
    "Lista las plantillas horarias del documento de ITACA: código, descripción en\n"
    "valenciano y en castellano, turno y horas del lunes.\n";

std::string Utf8(const std::string& cp1252) {
  return Cp1252ToUtf8(cp1252);
}

}  // namespace

int Plantillas(const Args& args) {
  Opciones o;
  try {
    o = LeerOpciones(args, {}, {});
    if (o.ayuda) {
      std::fputs(kUso, stdout);
      return 0;
    }
    if (o.posicionales.size() != 1) throw ErrorDeUso("Indique un documento de ITACA.");
  } catch (const ErrorDeUso& e) {
    return UsoIncorrecto(e.what(), kUso);
  }

  const XmlDocument doc = XmlDocument::Load(o.posicionales[0]);
  const PlantillasModel modelo(doc);
  if (modelo.Codigos().empty()) {
    std::puts("El documento no tiene plantillas horarias.");
    return 0;
  }
  const XmlNodeList plantillas = doc.Select("/centro/plantillas_horario/plantilla_horario");
  for (std::size_t i = 0; i < plantillas.Count(); ++i) {
    const XmlElement p = plantillas.Item(i);
    const std::string& codigo = modelo.Codigos()[i];
    std::printf("Plantilla %s\n", Utf8(codigo).c_str());
    std::printf("  Descripción (valenciano): %s\n",
                Utf8(TrimBlanksAndControls(p.Attr("descripcion_val"))).c_str());
    std::printf("  Descripción (castellano): %s\n",
                Utf8(TrimBlanksAndControls(p.Attr("descripcion_cas"))).c_str());
    std::printf("  Turno: %s\n", Utf8(TrimBlanksAndControls(p.Attr("turno"))).c_str());
    const PlantillasModel::Vista vista = modelo.Refrescar(codigo, kValencia);
    if (!vista.horas) {
      std::puts("  Horas del lunes: ninguna (el documento tiene menos de dos sesiones)");
    } else if (vista.horas->empty()) {
      std::puts("  Horas del lunes: ninguna");
    } else {
      std::puts("  Horas del lunes:");
      for (const auto& h : *vista.horas) std::printf("    %s\n", Utf8(h).c_str());
    }
  }
  return 0;
}

}  // namespace velmora::cli
