#include "to_itaca/comprobar_entrada.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "formats/error.h"
#include "formats/text.h"
#include "to_itaca/fila_solucion.h"
#include "to_tabulix/plantillas.h"

namespace velmora {

namespace {

struct CamposTabla {
  std::string_view tabla;
  std::vector<std::string_view> campos;
};

// What the passes read from each table.
const std::vector<CamposTabla>& CamposNecesarios() {
  static const std::vector<CamposTabla> tablas = {
      {"SOLUC", {std::begin(kCamposSoluc), std::end(kCamposSoluc)}},
      {"GRUPOST", {"ABREV", "CLAVE", "CLAVECURSO", "ENSENANZA"}},
      {"PROFT", {"ABREV", "DNI", "ENSENANZA"}},
      {"AULAT", {"ABREV", "ABREV_ITACA"}},
      {"ASIGNOMT", {"COD", "ABREV_ITACA"}},
      {"DIASHORAST", {"HORA", "SESION_ORDEN", "HORADESDE", "HORAHASTA"}},
  };
  return tablas;
}

std::string Lista(const std::vector<std::string>& codigos) {
  std::string text;
  for (const auto& c : codigos) {
    if (!text.empty()) text += ", ";
    text += "«" + Cp1252ToUtf8(c) + "»";
  }
  return text;
}

}  // namespace

DatosCentro LeerDatosCentro(const XmlDocument& doc) {
  const XmlNodeList raiz = doc.Select("/centro");
  if (raiz.Count() == 0) {
    throw Error("El documento " + doc.File().string() + " no tiene el elemento raíz «centro».");
  }
  const XmlElement centro = raiz.Item(0);
  return DatosCentro{centro.Trimmed("codigo"), centro.Trimmed("denominacion"),
                     centro.Trimmed("curso"), centro.Trimmed("version")};
}

void ComprobarPlantilla(const XmlDocument& doc, const std::string& plantilla) {
  const PlantillasModel modelo(doc);
  const auto& codigos = modelo.Codigos();
  if (codigos.empty()) {
    throw Error("El documento " + doc.File().string() +
                " no tiene plantillas horarias (/centro/plantillas_horario/plantilla_horario): "
                "sin ellas no se pueden reconstruir las horas de DIASHORAST.");
  }
  if (std::find(codigos.begin(), codigos.end(), plantilla) != codigos.end()) return;
  const std::string elegida = plantilla.empty()
                                  ? "No se ha elegido ninguna plantilla horaria"
                                  : "La plantilla horaria «" + Cp1252ToUtf8(plantilla) +
                                        "» no está en el documento " + doc.File().string();
  throw Error(elegida + ". Elija una de las plantillas del documento: " + Lista(codigos) + ".");
}

void ComprobarTablas(const std::filesystem::path& xtemp) {
  for (std::string_view tabla :
       {"SOLUC", "GRUPOST", "CURSOST", "PROFT", "AULAT", "ASIGNOMT", "DIASHORAST", "ASIGT"}) {
    const auto file = TableFile(xtemp, tabla);
    std::error_code ec;
    const bool existe = std::filesystem::exists(file, ec);
    if (!existe && tabla != "DIASHORAST") {
      throw Error("No existe la tabla " + std::string(tabla) + " (" + file.string() +
                  "): haga antes la exportación de ITACA a Tabulix y resuelva el horario.");
    }
    if (existe && IsTableInUse(file)) {
      throw Error("La tabla " + std::string(tabla) + " (" + file.string() +
                  ") está en uso por otro programa; ciérrelo y vuelva a intentarlo.");
    }
  }
}

void ComprobarCampos(const Table& tabla, std::string_view nombre) {
  for (const auto& t : CamposNecesarios()) {
    if (t.tabla != nombre) continue;
    for (std::string_view campo : t.campos) {
      if (!tabla.HasField(campo)) {
        throw Error("A la tabla " + std::string(nombre) + " (" + tabla.Path().string() +
                    ") le falta el campo «" + std::string(campo) + "».");
      }
    }
  }
}

void ComprobarNumerosSoluc(Table& soluc) {
  for (soluc.First(); !soluc.Eof(); soluc.Next()) {
    soluc.AsInteger("DIA");
    soluc.AsFloat("HORA");
  }
}

}  // namespace velmora
