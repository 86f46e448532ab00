#pragma once
// Checks that the ITACA to Tabulix run makes before it deletes its first
// table, so that a run either changes nothing or runs through.
#include "formats/itaca_xml.h"
#include "to_tabulix/run_state.h"

namespace velmora {

// Every attribute that the ten steps will read, on every element they will
// read, must be there: collections used only from two elements are not read
// with one, the name attributes follow the language, the sessions of other
// templates give only `plantilla`, and the attributes read only in some cases
// (fecha_ingreso of a "D" teacher, the abbreviation of a course without
// parent, the second tutor of a group without first one) are asked for in
// exactly those cases. Throws one Error that lists the missing attributes
// (path, position and name; the first twenty, then how many more).
void ComprobarDocumento(const XmlDocument& doc, const RunState& state);

}  // namespace velmora
