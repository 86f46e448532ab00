#pragma once
// The two passes over Tabulix's solution (SOLUC) that fill the result
// document: the group sessions, then the duty sessions. Each turns Tabulix's
// codes back into ITACA's through the tables of the earlier export, and its
// slot numbers into session order and clock times through DIASHORAST. A code
// that a table holds cut to its field's size is written as the source has it.
//
// A row is a duty exactly when its ASIG equals its TAREA. A row whose day or
// slot is 0 was not placed by Tabulix and is only counted; a row that cannot
// be translated is left out and named in the report with its record number.
#include <string>

#include "formats/dbf_table.h"
#include "formats/itaca_xml.h"
#include "to_itaca/codigos_fuente.h"
#include "to_tabulix/report.h"

namespace velmora {

// What both passes work on. The tables are open; the passes move their rows.
struct PasadasSolucion {
  XmlOut centro;                 // the result's new root
  const std::string& plantilla;  // the chosen template code (CP1252)
  Table& soluc;                  // SOLUC
  Table& grupos;                 // GRUPOST
  Table& nombres;                // ASIGNOMT
  Table& profesores;             // PROFT
  Table& aulas;                  // AULAT
  Table& tramos;                 // DIASHORAST
  Report& report;
  // The source's codes, to give back whole the ones a table holds cut.
  const CodigosFuente& codigos;
};

// Appends horarios_grupo with one horario_grupo per placed teaching session;
// returns how many it wrote.
long ExportarHorariosGrupo(PasadasSolucion& p);

// Appends horarios_ocupaciones with one horario_ocupacion per placed duty;
// returns how many it wrote.
long ExportarHorariosOcupaciones(PasadasSolucion& p);

}  // namespace velmora
