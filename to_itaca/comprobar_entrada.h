#pragma once
// The checks the Tabulix to ITACA run makes before it writes anything: a
// document it can use, a template the document has, and tables it can read.
// Each failure is a velmora::Error that says what is wrong and where.
#include <filesystem>
#include <string>

#include "formats/dbf_table.h"
#include "formats/itaca_xml.h"

namespace velmora {

// The school's identification in the source root, trimmed of blanks.
struct DatosCentro {
  std::string codigo;
  std::string denominacion;
  std::string curso;
  std::string version;
};

// Reads codigo, denominacion, curso and version of /centro; a missing one is
// an error naming the attribute.
DatosCentro LeerDatosCentro(const XmlDocument& doc);

// The chosen code must be one of the document's templates: the slots that
// Tabulix solved against are rebuilt from it, and a code the document lacks
// (the empty code included) would leave no slot to find.
void ComprobarPlantilla(const XmlDocument& doc, const std::string& plantilla);

// Every table the run reads exists in the working folder (DIASHORAST is
// rebuilt, so it need not), and no other program holds one of the eight open.
void ComprobarTablas(const std::filesystem::path& xtemp);

// The fields a table must have for the passes to read it.
void ComprobarCampos(const Table& tabla, std::string_view nombre);

// Every day and slot of SOLUC is a number, so the passes cannot stop half-way.
void ComprobarNumerosSoluc(Table& soluc);

}  // namespace velmora
