#pragma once
// The two questions of the ITACA to Tabulix run, word for word as Tabulix's
// users know them (UTF-8; lines joined by CR LF, no line break at the end).
#include <string>

namespace velmora {

inline const std::string kCabeceraImportante =
    "                       !!! I M P O R T A N T E !!!                         ";

// Asked by CargarHorariosGrupo when the document has group sessions.
inline const std::string kPreguntaVariasPlantillas =
    kCabeceraImportante + "\r\n" +
    "Se han encontrado Datos que pueden pertenecer a varias Plantillas Horarias.\r\n"
    "RECOMENDAMOS IMPORTAR SOLAMENTE LOS DATOS PERTENECIENTES A UNA SOLA PLANTILLA.\r\n"
    "Si quiere Importar los Datos de todas las Plantillas Pulse el Botón \"Sí\".\r\n"
    "Para Importar solo los Datos de la Plantilla seleccionada,Pulse el Botón \"No\".\r\n"
    "(Recomendamos Pulsar \"No\", y trabajar solo con datos de una Plantilla.)";

// Asked by QuitarSinClases at the first idle group.
inline const std::string kPreguntaQuitarSinClases =
    kCabeceraImportante + "\r\n" +
    "Existen Grupos de Clase y Profesores que NO tienen Clases en esta Plantilla.\r\n"
    "Tanto, QUITAR como DEJAR estos Grupos y Profesores, No afectará al Horario.\r\n"
    "¿Quieren quitar dichos Grupos y Profesores, del Horario que se va a Importar?.";

}  // namespace velmora
