#pragma once
// Small schools for the tests of the weekly load (ASIGT and the removal of
// idle groups and teachers): the input tables written directly, a document
// built from pieces of XML, and ASIGT read back as short texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "formats/text.h"
#include "support/carpeta_temporal.h"
#include "support/fake_dialogs.h"
#include "to_tabulix/run_context.h"
#include "to_tabulix/steps.h"

namespace velmora::testing {

using Fila = std::map<std::string, std::string>;  // field -> value (UTF-8 in the tests)

// The layouts of the tables the load steps read, as the earlier steps write them.
inline const std::vector<FieldDef> kCamposProft = {
    {"ABREV", FieldKind::Text, 10},      {"NOMBRE", FieldKind::Text, 80},
    {"DEPART", FieldKind::Text, 40},     {"DNI", FieldKind::Text, 14},
    {"X_EMPLEADO", FieldKind::Text, 10}, {"F_TOMAPOS", FieldKind::Text, 10},
    {"ENSENANZA", FieldKind::Text, 5}};
inline const std::vector<FieldDef> kCamposGrupost = {
    {"ABREV", FieldKind::Text, 10},      {"TURNO", FieldKind::Text, 1},
    {"NIVEL", FieldKind::Text, 5},       {"CURSO", FieldKind::Text, 3},
    {"GRUPO", FieldKind::Text, 2},       {"CLAVE", FieldKind::Text, 10},
    {"CLAVECURSO", FieldKind::Text, 10}, {"DESCRIP", FieldKind::Text, 80},
    {"ENSENANZA", FieldKind::Text, 10},  {"TUTOR", FieldKind::Text, 10}};
inline const std::vector<FieldDef> kCamposAsignomt = {
    {"COD", FieldKind::Text, 10},        {"CODLARGO", FieldKind::Text, 10},
    {"NOMBRE", FieldKind::Text, 80},     {"MATERIA", FieldKind::Text, 8},
    {"CODTAREA", FieldKind::Text, 12},   {"ESTAREA", FieldKind::Logical, 0},
    {"DENIVEL", FieldKind::Text, 5},     {"DECURSO", FieldKind::Text, 3},
    {"ABREV_ITACA", FieldKind::Text, 10}};
inline const std::vector<FieldDef> kCamposAulat = {
    {"ABREV", FieldKind::Text, 10},     {"NOMBRE", FieldKind::Text, 80},
    {"EDIFICIO", FieldKind::Text, 1},   {"MAXALUM", FieldKind::Integer, 0},
    {"DEPCENTRO", FieldKind::Text, 10}, {"ABREV_ITACA", FieldKind::Text, 10}};

inline void EscribirTabla(const std::filesystem::path& carpeta, std::string_view nombre,
                          const std::vector<FieldDef>& campos, const std::vector<Fila>& filas) {
  const auto file = TableFile(carpeta, nombre);
  Table::Create(file, campos);
  Table t(file, OpenMode::Exclusive);
  for (const Fila& fila : filas) {
    t.Append();
    for (const auto& [campo, valor] : fila) {
      if (campo == "ESTAREA") {
        t.SetBool(campo, valor == "T");
      } else if (campo == "HORAS") {
        t.SetFloat(campo, std::stod(valor));
      } else {
        t.SetString(campo, Cp(valor));
      }
    }
    t.Post();
  }
  t.Close();
}

// Every row of a table, each field as text (UTF-8; numbers as %g).
inline std::vector<Fila> LeerTabla(const std::filesystem::path& carpeta, std::string_view nombre) {
  Table t(TableFile(carpeta, nombre), OpenMode::Shared);
  std::vector<Fila> filas;
  for (t.First(); !t.Eof(); t.Next()) {
    Fila fila;
    for (const FieldInfo& f : t.Fields()) {
      if (f.type == 'N' || f.type == 'F') {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", t.AsFloat(f.name));
        fila[f.name] = buf;
      } else if (f.type == 'L') {
        fila[f.name] = t.AsBool(f.name) ? "T" : "F";
      } else {
        fila[f.name] = Cp1252ToUtf8(t.AsString(f.name));
      }
    }
    filas.push_back(std::move(fila));
  }
  t.Close();
  return filas;
}

// Some fields of every row, joined by "|", one text per row.
inline std::vector<std::string> Resumen(const std::vector<Fila>& filas,
                                        const std::vector<std::string>& campos) {
  std::vector<std::string> out;
  for (const Fila& fila : filas) {
    std::string s;
    for (std::size_t i = 0; i < campos.size(); ++i) {
      if (i) s += "|";
      const auto it = fila.find(campos[i]);
      s += it == fila.end() ? "?" : it->second;
    }
    out.push_back(s);
  }
  return out;
}

inline std::vector<std::string> Columna(const std::vector<Fila>& filas, const std::string& campo) {
  return Resumen(filas, {campo});
}

// A document: the root with the given collections inside.
inline std::string Documento(const std::string& cuerpo) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<centro codigo=\"46000001\" denominacion=\"IES Prueba\" curso=\"2024\" version=\"1\">\n" +
         cuerpo + "</centro>\n";
}

inline std::string Contenido(const std::string& codigo, const std::string& curso,
                             const std::string& nombreVal = "", const std::string& nombreCas = "") {
  return "<contenido codigo=\"" + codigo + "\" curso=\"" + curso + "\" nombre_val=\"" + nombreVal +
         "\" nombre_cas=\"" + nombreCas + "\"/>\n";
}

inline std::string SesionGrupo(const std::string& plantilla, const std::string& grupo,
                               const std::string& curso, const std::string& contenido,
                               const std::string& docente, const std::string& aula) {
  return "<horario_grupo plantilla=\"" + plantilla +
         "\" dia_semana=\"L\" sesion_orden=\"1\" grupo=\"" + grupo + "\" curso=\"" + curso +
         "\" contenido=\"" + contenido + "\" docente=\"" + docente + "\" aula=\"" + aula + "\"/>\n";
}

inline std::string SesionOcupacion(const std::string& plantilla, const std::string& ocupacion,
                                   const std::string& docente) {
  return "<horario_ocupacion plantilla=\"" + plantilla +
         "\" dia_semana=\"M\" sesion_orden=\"2\" "
         "ocupacion=\"" +
         ocupacion + "\" docente=\"" + docente + "\"/>\n";
}

inline std::string Coleccion(const std::string& nombre, const std::string& elementos) {
  return "<" + nombre + ">\n" + elementos + "</" + nombre + ">\n";
}

// A small school: three teachers and one without a documento, three groups of
// course C1 and one of C2, two subjects and two duties, two rooms and one
// without an ITACA code. Tests change these before calling Escribir().
struct EscuelaCarga : ::testing::Test {
  CarpetaTemporal carpeta;
  std::vector<Fila> proft = {
      {{"ABREV", "P1"}, {"DNI", "111"}, {"NOMBRE", "Uno"}},
      {{"ABREV", "P2"}, {"DNI", "222"}, {"NOMBRE", "Dos"}},
      {{"ABREV", "P3"}, {"DNI", "333"}, {"NOMBRE", "Tres"}},
      {{"ABREV", "PX"}, {"DNI", ""}, {"NOMBRE", "Sin documento"}},
  };
  std::vector<Fila> grupost = {
      {{"ABREV", "G1A"},
       {"TURNO", "M"},
       {"NIVEL", "ESO"},
       {"CURSO", "1"},
       {"GRUPO", "A"},
       {"CLAVE", "1A"},
       {"CLAVECURSO", "C1"}},
      {{"ABREV", "G1B"},
       {"TURNO", "M"},
       {"NIVEL", "ESO"},
       {"CURSO", "1"},
       {"GRUPO", "B"},
       {"CLAVE", "1B"},
       {"CLAVECURSO", "C1"}},
      {{"ABREV", "G1C"},
       {"TURNO", "T"},
       {"NIVEL", "ESO"},
       {"CURSO", "1"},
       {"GRUPO", "C"},
       {"CLAVE", "1C"},
       {"CLAVECURSO", "C1"}},
      {{"ABREV", "G2A"},
       {"TURNO", "M"},
       {"NIVEL", "BAC"},
       {"CURSO", "2"},
       {"GRUPO", "A"},
       {"CLAVE", "2A"},
       {"CLAVECURSO", "C2"}},
  };
  std::vector<Fila> asignomt = {
      {{"COD", "MAT"}, {"NOMBRE", "Matemàtiques"}, {"ABREV_ITACA", "M1"}, {"ESTAREA", "F"}},
      {{"COD", "LEN"}, {"NOMBRE", "Lengua"}, {"ABREV_ITACA", "L1"}, {"ESTAREA", "F"}},
      {{"COD", "*001"}, {"NOMBRE", "Guardia"}, {"ABREV_ITACA", "GU001"}, {"ESTAREA", "T"}},
      {{"COD", "*002"}, {"NOMBRE", "Reunión"}, {"ABREV_ITACA", "RE002"}, {"ESTAREA", "T"}},
  };
  std::vector<Fila> aulat = {
      {{"ABREV", "A1"}, {"NOMBRE", "Aula 1"}, {"ABREV_ITACA", "101"}},
      {{"ABREV", "A2"}, {"NOMBRE", "Aula 2"}, {"ABREV_ITACA", "102"}},
      {{"ABREV", "AX"}, {"NOMBRE", "Patio"}, {"ABREV_ITACA", ""}},
  };
  // Subjects M1 and L1 of course C1.
  std::string contenidos = Contenido("M1", "C1") + Contenido("L1", "C1");
  std::string horariosGrupo;
  std::string horariosOcupaciones;

  RunState state;
  FakeDialogs dialogs;
  std::optional<XmlDocument> doc;

  EscuelaCarga() {
    state.xtemp = carpeta.Path();
    state.plantilla = "T1";
  }

  // Writes the four input tables and loads the document.
  void Escribir() {
    EscribirTabla(carpeta.Path(), "PROFT", kCamposProft, proft);
    EscribirTabla(carpeta.Path(), "GRUPOST", kCamposGrupost, grupost);
    EscribirTabla(carpeta.Path(), "ASIGNOMT", kCamposAsignomt, asignomt);
    EscribirTabla(carpeta.Path(), "AULAT", kCamposAulat, aulat);
    CargarDocumento();
  }

  void CargarDocumento() {
    std::string cuerpo;
    if (!contenidos.empty()) cuerpo += Coleccion("contenidos", contenidos);
    if (!horariosGrupo.empty()) cuerpo += Coleccion("horarios_grupo", horariosGrupo);
    if (!horariosOcupaciones.empty())
      cuerpo += Coleccion("horarios_ocupaciones", horariosOcupaciones);
    const auto file = carpeta.Path() / "centro.xml";
    std::ofstream(file, std::ios::binary) << Documento(cuerpo);
    doc.emplace(XmlDocument::Load(file));
  }

  RunContext Ctx() { return RunContext{state, *doc, dialogs, state.report}; }

  template <typename Step>
  void Paso(Step step) {
    RunContext ctx = Ctx();
    step(ctx);
  }

  // CrearAsignaciones, then CargarHorariosGrupo answering `respuesta`.
  void CargarGrupos(Answer respuesta = Answer::No) {
    Paso(CrearAsignaciones);
    dialogs.answers.push_back(respuesta);
    Paso(CargarHorariosGrupo);
  }

  std::vector<Fila> Tabla(std::string_view nombre) { return LeerTabla(carpeta.Path(), nombre); }
};

}  // namespace velmora::testing
