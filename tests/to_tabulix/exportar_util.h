#pragma once
// Small ITACA documents and a whole ITACA to Tabulix run for the tests of the
// run and of its table steps: documents are built from collections of
// elements written inline (UTF-8), the run goes through the scripted dialogs,
// and the tables are read back with the engine as UTF-8 texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "formats/text.h"
#include "support/carpeta_temporal.h"
#include "support/fake_dialogs.h"
#include "to_tabulix/exportar.h"
#include "to_tabulix/plantillas.h"
#include "to_tabulix/run_state.h"

namespace velmora::testing::exportar {

// An element's attributes, in order (UTF-8).
using Atributos = std::vector<std::pair<std::string, std::string>>;
// A row read back: field -> value (UTF-8).
using Fila = std::map<std::string, std::string>;

inline std::string Escapar(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// <plural><singular a="..."/>...</plural>
inline std::string Coleccion(const std::string& plural, const std::string& singular,
                             const std::vector<Atributos>& elementos) {
  std::string xml = "<" + plural + ">";
  for (const auto& atributos : elementos) {
    xml += "<" + singular;
    for (const auto& [nombre, valor] : atributos)
      xml += " " + nombre + "=\"" + Escapar(valor) + "\"";
    xml += "/>";
  }
  return xml + "</" + plural + ">\n";
}

inline std::string Documento(const std::string& colecciones) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<centro codigo=\"46000001\" "
         "denominacion=\"IES Prueba\" curso=\"2010\" version=\"1\">\n" +
         colecciones + "</centro>\n";
}

// Ready-made elements.
inline Atributos Docente(const std::string& a1, const std::string& a2, const std::string& nombre,
                         const std::string& documento, const std::string& tipo = "P",
                         const std::string& fecha = "01/09/2005",
                         const std::string& ensenanza = "ESO") {
  return {{"apellido1", a1},       {"apellido2", a2},        {"nombre", nombre},
          {"tipo_docente", tipo},  {"fecha_ingreso", fecha}, {"documento", documento},
          {"ensenanza", ensenanza}};
}
inline Atributos Curso(const std::string& codigo, const std::string& abreviatura,
                       const std::string& padre = "", const std::string& ensenanza = "ESO") {
  return {
      {"codigo", codigo}, {"abreviatura", abreviatura}, {"padre", padre}, {"ensenanza", ensenanza}};
}
inline Atributos Ensenanza(const std::string& codigo, const std::string& abreviatura) {
  return {{"ensenanza", codigo}, {"abreviatura", abreviatura}};
}
inline Atributos CursoGrupo(const std::string& grupo, const std::string& curso) {
  return {{"grupo", grupo}, {"curso", curso}};
}
inline Atributos Grupo(const std::string& codigo, const std::string& tutor = "",
                       const std::string& tutorSec = "", const std::string& turno = "M",
                       const std::string& ensenanza = "ESO") {
  return {{"codigo", codigo},       {"nombre", "Grupo " + codigo}, {"turno", turno},
          {"ensenanza", ensenanza}, {"tutor_ppal", tutor},         {"tutor_sec", tutorSec}};
}
inline Atributos Contenido(const std::string& codigo, const std::string& curso,
                           const std::string& nombreVal, const std::string& nombreCas = "") {
  return {{"codigo", codigo},
          {"curso", curso},
          {"nombre_val", nombreVal},
          {"nombre_cas", nombreCas.empty() ? nombreVal : nombreCas}};
}
inline Atributos Ocupacion(const std::string& codigo, const std::string& nombreVal,
                           const std::string& nombreCas = "") {
  return {{"codigo", codigo},
          {"nombre_val", nombreVal},
          {"nombre_cas", nombreCas.empty() ? nombreVal : nombreCas}};
}
inline Atributos Aula(const std::string& codigo, const std::string& nombre) {
  return {{"codigo", codigo}, {"nombre", nombre}};
}
inline Atributos Plantilla(const std::string& codigo, const std::string& turno = "M",
                           const std::string& val = "Horari", const std::string& cas = "Horario") {
  return {{"codigo", codigo}, {"descripcion_val", val}, {"descripcion_cas", cas}, {"turno", turno}};
}
inline Atributos Sesion(const std::string& plantilla, const std::string& dia,
                        const std::string& orden, const std::string& desde,
                        const std::string& hasta) {
  return {{"plantilla", plantilla},
          {"dia_semana", dia},
          {"sesion_orden", orden},
          {"hora_desde", desde},
          {"hora_hasta", hasta}};
}

inline std::string LeerBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void EscribirBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every file of a folder with its bytes.
inline std::map<std::string, std::string> Ficheros(const std::filesystem::path& carpeta) {
  std::map<std::string, std::string> ficheros;
  for (const auto& e : std::filesystem::directory_iterator(carpeta)) {
    ficheros[e.path().filename().string()] = LeerBytes(e.path());
  }
  return ficheros;
}

// A working folder and a document folder for one test, removed afterwards.
class Escuela {
 public:
  Escuela() { std::filesystem::create_directory(Xtemp()); }

  std::filesystem::path Xtemp() const { return raiz_ / "XTEMP"; }
  std::filesystem::path Raiz() const { return raiz_.Path(); }

  // Writes a document (the collections, UTF-8) and returns its path.
  std::filesystem::path Escribir(const std::string& colecciones,
                                 const std::string& nombre = "ies.xml") {
    const auto file = raiz_ / nombre;
    EscribirBytes(file, Documento(colecciones));
    return file;
  }

 private:
  CarpetaTemporal raiz_{"velmora-exportar"};
};

// The dialogs of one run: the file, then the template chooser's logic with
// the code typed (or its own first choice) and the language it is given.
struct Guion {
  std::optional<std::string> plantilla;  // UTF-8, typed into the chooser
  // UTF-8, typed into the main window's language combo before the run (and so
  // the chooser's, which starts from it).
  std::optional<std::string> idioma;
};

inline void Preparar(FakeDialogs& dialogos, const std::filesystem::path& doc,
                     const Guion& guion = {}) {
  dialogos.files.push_back(doc);
  dialogos.onTemplate = [guion](const std::filesystem::path& ruta, const std::string& idioma,
                                int tag) {
    const XmlDocument d = XmlDocument::Load(ruta);
    std::optional<std::string> codigo;
    if (guion.plantilla) codigo = Cp(*guion.plantilla);
    return ElegirPlantilla(d, codigo, idioma, tag);
  };
}

// One run over a document in a school's working folder.
struct Corrida {
  RunState state;
  FakeDialogs dialogos;
};

inline void Exportar(Corrida& c, const Escuela& escuela, const std::filesystem::path& doc,
                     const Guion& guion = {}) {
  c.state.xtemp = escuela.Xtemp();
  if (guion.idioma) c.state.idioma = Cp(*guion.idioma);
  Preparar(c.dialogos, doc, guion);
  BExportarClick(c.state, c.dialogos);
}

// A table read back with the engine, rows in order, values in UTF-8.
inline std::vector<Fila> Filas(const std::filesystem::path& carpeta, const std::string& tabla) {
  Table t(TableFile(carpeta, tabla), OpenMode::Shared);
  std::vector<Fila> filas;
  for (t.First(); !t.Eof(); t.Next()) {
    Fila fila;
    for (const auto& f : t.Fields()) fila[f.name] = Cp1252ToUtf8(t.AsString(f.name));
    filas.push_back(std::move(fila));
  }
  return filas;
}

// One field of every row.
inline std::vector<std::string> Columna(const std::filesystem::path& carpeta,
                                        const std::string& tabla, const std::string& campo) {
  std::vector<std::string> valores;
  for (const Fila& f : Filas(carpeta, tabla)) valores.push_back(f.at(campo));
  return valores;
}

// Field names, types and sizes as stored: "ABREV C 10".
inline std::vector<std::string> Campos(const std::filesystem::path& carpeta,
                                       const std::string& tabla) {
  Table t(TableFile(carpeta, tabla), OpenMode::Shared);
  std::vector<std::string> campos;
  for (const auto& f : t.Fields()) {
    campos.push_back(f.name + " " + std::string(1, f.type) + " " + std::to_string(f.length));
  }
  return campos;
}

}  // namespace velmora::testing::exportar
