#pragma once
// What both passes over SOLUC share: the day letters, the slot lookup and the
// lines of the report.
#include <optional>
#include <string>
#include <string_view>

#include "formats/dbf_table.h"
#include "formats/itaca_xml.h"
#include "to_tabulix/report.h"

namespace velmora {

// The fields of SOLUC that the passes read.
inline constexpr const char* kCamposSoluc[] = {"ASIG",     "TAREA", "DIA", "HORA",
                                               "CODGRUPO", "PROF",  "AULA"};

// ITACA's letter of a day number: 1 "L" ... 7 "D"; any other number gives the
// empty text.
std::string LetraDia(long long dia);

// The text form of a slot number as DIASHORAST holds it: the decimal digits of
// a whole number (3 for 3.0). A number with a fraction keeps it (2.5), and so
// matches no slot.
std::string TextoHora(double hora);

// A slot of DIASHORAST: session order and clock times.
struct Tramo {
  std::string sesionOrden;  // decimal text
  std::string desde;        // HH:MM
  std::string hasta;        // HH:MM
};

// The first row of DIASHORAST whose HORA is the text form of `hora`.
std::optional<Tramo> BuscarTramo(Table& tramos, double hora);

// SOLUC's current row as a pass reads it.
struct FilaColocada {
  std::string asig;
  long long dia;
  double hora;
  long recno;
};

// The current row of SOLUC when it belongs to the pass (the duties' pass:
// ASIG equal to TAREA; the groups' pass: the others) and Tabulix placed it
// (day and slot not 0). An unplaced row of the pass is only counted.
std::optional<FilaColocada> FilaDeLaPasada(Table& soluc, bool ocupaciones, Report& report);

// The slot of SOLUC's row `recno`, placed at `hora`; when DIASHORAST lacks it,
// the row is named in the report as left out of its pass, and there is none.
std::optional<Tramo> TramoDeFila(Table& tramos, double hora, long recno, std::string_view pasada,
                                 Report& report);

// A new session element (horario_grupo, horario_ocupacion) at the end of
// `coleccion`, with the attributes both passes start with, in this order:
// plantilla, dia_semana, sesion_orden, hora_desde, hora_hasta.
XmlOut NuevaSesion(XmlOut& coleccion, std::string_view elemento, const std::string& plantilla,
                   long long dia, const Tramo& tramo);

// Looks a code up by one key field. An empty code finds nothing: a session
// without a group, subject, teacher or room must not take the first row whose
// key happens to be empty.
bool BuscarCodigo(Table& tabla, std::string_view campo, const std::string& codigo);

// A line of the report for a row left out: "SOLUC fila 12, sesión de grupo: "
// followed by the reason.
std::string FilaOmitida(long recno, std::string_view pasada, std::string_view motivo);

// The reason of a failed lookup: "CODGRUPO «1A» no está en GRUPOST", or
// "CODGRUPO vacío" for an empty code.
std::string NoEncontrado(std::string_view campo, const std::string& codigo, std::string_view tabla);

}  // namespace velmora
