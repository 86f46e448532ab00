#pragma once
// Any bytes as an ITACA document, through both runs as a user would make
// them: the ITACA to Tabulix run over the tables of an earlier run, and,
// when it goes through, a stand-in solution and the Tabulix to ITACA run.
//
// Rules checked: every failure is a velmora::Error; a run that fails leaves
// every table of the earlier run byte for byte as it was (the run checks the
// document before it deletes its first table) and writes no result; the
// tables of a run that goes through open and read; the result document loads.
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "fuzz/finding.h"
#include "fuzz/scratch.h"
#include "to_itaca/importar.h"
#include "to_itaca/resultado.h"
#include "to_tabulix/comprobar_tablas.h"
#include "to_tabulix/exportar.h"
#include "to_tabulix/plantillas.h"
#include "tools/lib/stand_in_solution.h"

namespace velmora::fuzz {

// The windows of a run, answered without a user: the document given, the
// template chooser's own choice (or the code given), the year unchanged.
class UnattendedDialogs : public Dialogs {
 public:
  UnattendedDialogs(std::filesystem::path doc, bool yes, std::optional<std::string> code = {})
      : doc_(std::move(doc)), yes_(yes), code_(std::move(code)) {}

  std::optional<std::filesystem::path> ChooseXmlFile() override { return doc_; }
  TemplateChoice ChooseTemplate(const XmlDocument& document, const std::string& idioma,
                                int tag) override {
    return ElegirPlantilla(document, code_, idioma, tag);
  }
  std::string ChooseSchoolYear(const std::string& current) override { return current; }
  Answer Confirm(const std::string&) override { return yes_ ? Answer::Yes : Answer::No; }
  void Inform(const std::string& text, const Report*) override { last = text; }
  void SetHourglass(bool) override {}
  void CloseMainWindow() override {}

  std::string last;

 private:
  std::filesystem::path doc_;
  bool yes_;
  std::optional<std::string> code_;
};

namespace xml_checks {

// A small school that uses every collection, for the tables of an earlier run.
inline const char* const kEarlierSchool = R"(<?xml version="1.0" encoding="UTF-8"?>
<centro codigo="46000001" denominacion="IES Anterior" curso="2009" version="1">
<plantillas_horario><plantilla_horario codigo="MAT" descripcion_val="Matí" descripcion_cas="Mañana" turno="M"/></plantillas_horario>
<sesiones_horario><sesion_horario plantilla="MAT" dia_semana="L" sesion_orden="1" hora_desde="08:00" hora_hasta="08:55"/><sesion_horario plantilla="MAT" dia_semana="L" sesion_orden="2" hora_desde="08:55" hora_hasta="09:50"/></sesiones_horario>
<docentes><docente apellido1="Pérez" apellido2="Gil" nombre="Ana" tipo_docente="P" fecha_ingreso="01/09/2005" documento="111A" ensenanza="ESO"/><docente apellido1="Soler" apellido2="" nombre="Joan" tipo_docente="D" fecha_ingreso="01/09/1999" documento="222B" ensenanza="ESO"/></docentes>
<ensenanzas><ensenanza ensenanza="ESO" abreviatura="ESO"/><ensenanza ensenanza="BAC" abreviatura="BAT"/></ensenanzas>
<cursos><curso codigo="C1" abreviatura="1ESO" padre="" ensenanza="ESO"/><curso codigo="C2" abreviatura="2ESO" padre="" ensenanza="ESO"/></cursos>
<grupos><grupo codigo="1A" nombre="1r A" turno="M" ensenanza="ESO" tutor_ppal="111A" tutor_sec=""/><grupo codigo="2A" nombre="2n A" turno="M" ensenanza="ESO" tutor_ppal="" tutor_sec="222B"/></grupos>
<cursos_grupo><curso_grupo grupo="1A" curso="C1"/><curso_grupo grupo="2A" curso="C2"/></cursos_grupo>
<contenidos><contenido codigo="MAT1" curso="C1" nombre_val="Matemàtiques" nombre_cas="Matemáticas"/><contenido codigo="VAL2" curso="C2" nombre_val="Valencià" nombre_cas="Valenciano"/></contenidos>
<ocupaciones><ocupacion codigo="GUA" nombre_val="Guàrdia" nombre_cas="Guardia"/><ocupacion codigo="REU" nombre_val="Reunió" nombre_cas="Reunión"/></ocupaciones>
<aulas><aula codigo="A1" nombre="Aula 1"/><aula codigo="A2" nombre="Aula 2"/></aulas>
<horarios_grupo><horario_grupo plantilla="MAT" grupo="1A" curso="C1" contenido="MAT1" docente="111A" aula="A1"/><horario_grupo plantilla="MAT" grupo="2A" curso="C2" contenido="VAL2" docente="222B" aula="A2"/></horarios_grupo>
<horarios_ocupaciones><horario_ocupacion ocupacion="GUA" docente="111A" plantilla="MAT"/><horario_ocupacion ocupacion="REU" docente="222B" plantilla="MAT"/></horarios_ocupaciones>
</centro>
)";

using Files = std::map<std::string, std::string>;

inline Files Snapshot(const std::filesystem::path& folder) {
  Files files;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    files[e.path().filename().string()] = ReadBytes(e.path());
  return files;
}

inline void Restore(const std::filesystem::path& folder, const Files& files) {
  for (const auto& [name, bytes] : files) {
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
}

// Opens a table and reads every field of every row as text.
inline void ReadThrough(const std::filesystem::path& file) {
  Table t(file, OpenMode::Shared);
  for (t.First(); !t.Eof(); t.Next())
    for (const FieldInfo& f : t.Fields()) (void)t.AsString(f.name);
  t.Close();
}

// The tables of an earlier run, made once per process.
inline const Files& EarlierTables(const Scratch& scratch) {
  static const Files tables = [&] {
    scratch.Clear();
    const auto xtemp = scratch.Root() / "XTEMP";
    std::filesystem::create_directory(xtemp);
    RunState state;
    state.xtemp = xtemp;
    UnattendedDialogs dialogs(scratch.Write("anterior.xml", kEarlierSchool), true);
    BExportarClick(state, dialogs);
    return Snapshot(xtemp);
  }();
  return tables;
}

}  // namespace xml_checks

inline void CheckXmlInput(std::string_view bytes, const Scratch& scratch) {
  using namespace xml_checks;
  const Files& earlier = EarlierTables(scratch);
  scratch.Clear();
  const auto xtemp = scratch.Root() / "XTEMP";
  std::filesystem::create_directory(xtemp);
  Restore(xtemp, earlier);
  const auto doc = scratch.Write("ies.xml", bytes);

  // The answers and the language follow the input, so that a saved input
  // runs again the same way.
  const bool yes = bytes.size() % 2 == 0;
  RunState state;
  state.xtemp = xtemp;
  state.idioma = bytes.size() % 3 == 0 ? kCastellano : kValencia;
  UnattendedDialogs dialogs(doc, yes);
  try {
    BExportarClick(state, dialogs);
  } catch (const Error& e) {
    Require(Snapshot(xtemp) == earlier,
            std::string("a failed run changed the tables of the earlier run: ") + e.what());
    return;
  }
  Require(state.resultCode == 1, "a run that went through did not set the result code");
  for (const char* table : kTablasExportar) ReadThrough(TableFile(xtemp, table));

  // Back to ITACA, with a stand-in for Tabulix's solution.
  try {
    tools::WriteStandInSolution(xtemp, 1);
  } catch (const Error&) {
    return;
  }
  const auto result = RutaResultado(doc);
  RunState back;
  back.xtemp = xtemp;
  back.idioma = state.idioma;
  UnattendedDialogs backDialogs(doc, yes, state.plantilla);
  try {
    BImportarClick(back, backDialogs);
  } catch (const Error&) {
    std::error_code ec;
    Require(!std::filesystem::exists(result, ec), "a failed run left a result document");
    return;
  }
  try {
    (void)XmlDocument::Load(result).Select("/centro/horarios_grupo/horario_grupo").Count();
  } catch (const Error& e) {
    throw Finding(std::string("the result document does not load: ") + e.what());
  }
}

}  // namespace velmora::fuzz
