#pragma once
// The assignments table ASIGT: its fields, in the order Tabulix expects them,
// and the task code that marks a class row.
#include <string>
#include <vector>

#include "formats/dbf_table.h"

namespace velmora {

// CTAREA of a class row. A duty row carries its own duty code there instead,
// so that CTAREA equals CASIG in duty rows only.
inline const std::string kTareaClase = "*479";

inline const std::vector<FieldDef>& CamposAsigt() {
  static const std::vector<FieldDef> campos = {
      {"CASIG", FieldKind::Text, 10},      {"CPROF", FieldKind::Text, 10},
      {"CGRUP", FieldKind::Text, 10},      {"CAULA", FieldKind::Text, 10},
      {"TURNO", FieldKind::Text, 1},       {"NIVEL", FieldKind::Text, 5},
      {"CURSO", FieldKind::Text, 3},       {"GRUPO", FieldKind::Text, 2},
      {"HORAS", FieldKind::Float, 0},      {"SESIONES", FieldKind::Text, 20},
      {"NCONEX", FieldKind::Text, 4},      {"CLAVE", FieldKind::Text, 10},
      {"CLAVECURSO", FieldKind::Text, 10}, {"CTAREA", FieldKind::Text, 10},
      {"ASIG_ITACA", FieldKind::Text, 10},
  };
  return campos;
}

}  // namespace velmora
