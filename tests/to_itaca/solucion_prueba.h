#pragma once
// Helpers for the tests of the Tabulix to ITACA run: a temporary folder, the
// lookup tables of a small school written directly, SOLUC rows, and the
// result document read back with pugixml.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "formats/dbf_table.h"
#include "formats/text.h"
#include "support/carpeta_temporal.h"

namespace velmora::testing {

using CarpetaPrueba = CarpetaTemporal;

inline std::string LeerBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void EscribirBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A table written through the engine: fields, then rows of values in field
// order (UTF-8 in the tests). An empty value leaves a number field blank.
inline void CrearTabla(const std::filesystem::path& carpeta, std::string_view nombre,
                       const std::vector<FieldDef>& campos,
                       const std::vector<std::vector<std::string>>& filas) {
  const auto file = TableFile(carpeta, nombre);
  Table::Create(file, campos);
  Table t(file, OpenMode::Exclusive);
  for (const auto& fila : filas) {
    t.Append();
    for (std::size_t i = 0; i < campos.size() && i < fila.size(); ++i) {
      const FieldDef& c = campos[i];
      const std::string& v = fila[i];
      if (c.kind == FieldKind::Text) {
        t.SetString(c.name, Cp(v));
      } else if (v.empty()) {
        continue;
      } else if (c.kind == FieldKind::Integer) {
        t.SetInteger(c.name, std::stoll(v));
      } else if (c.kind == FieldKind::Float) {
        t.SetFloat(c.name, std::stod(v));
      } else {
        t.SetBool(c.name, v == "T");
      }
    }
    t.Post();
  }
  t.Close();
}

// The lookup tables of a small school, with only the fields the passes read
// (and a row with an empty key in each, which an empty code must not find).
//   GRUPOST  1A -> group G1A, course C1, programme E1
//   ASIGNOMT MAT -> MAT1 (a subject), GUA -> GUARD (a duty)
//   PROFT    JPG -> 11111111A (programme E9)
//   AULAT    A101 -> 101, AÑ -> AÑ1
//   DIASHORAST slots 1, 2, 3 = sessions 1, 2, 5 (seven days each)
inline void CrearTablasConsulta(const std::filesystem::path& xtemp) {
  CrearTabla(xtemp, "GRUPOST",
             {{"ABREV", FieldKind::Text, 10},
              {"CLAVE", FieldKind::Text, 10},
              {"CLAVECURSO", FieldKind::Text, 10},
              {"ENSENANZA", FieldKind::Text, 10}},
             {{"", "GVACIO", "CVACIO", "EVACIO"}, {"1A", "G1A", "C1", "E1"}});
  CrearTabla(xtemp, "ASIGNOMT",
             {{"COD", FieldKind::Text, 10}, {"ABREV_ITACA", FieldKind::Text, 10}},
             {{"", "SVACIO"}, {"MAT", "MAT1"}, {"GUA", "GUARD"}});
  CrearTabla(xtemp, "PROFT",
             {{"ABREV", FieldKind::Text, 10},
              {"DNI", FieldKind::Text, 14},
              {"ENSENANZA", FieldKind::Text, 5}},
             {{"", "99999999Z", "E0"}, {"JPG", "11111111A", "E9"}});
  CrearTabla(xtemp, "AULAT", {{"ABREV", FieldKind::Text, 10}, {"ABREV_ITACA", FieldKind::Text, 10}},
             {{"", "AVACIA"}, {"A101", "101"}, {"AÑ", "AÑ1"}});
  std::vector<std::vector<std::string>> tramos;
  const std::vector<std::vector<std::string>> horas = {
      {"1", "1", "08:00", "08:55"}, {"2", "2", "08:55", "09:50"}, {"3", "5", "11:00", "11:55"}};
  for (const auto& h : horas) {
    for (int dia = 1; dia <= 7; ++dia)
      tramos.push_back({std::to_string(dia), h[0], h[1], h[2], h[3]});
  }
  CrearTabla(xtemp, "DIASHORAST",
             {{"DIA", FieldKind::Text, 20},
              {"HORA", FieldKind::Text, 8},
              {"SESION_ORDEN", FieldKind::Integer, 0},
              {"HORADESDE", FieldKind::Text, 8},
              {"HORAHASTA", FieldKind::Text, 8}},
             tramos);
}

// SOLUC as Tabulix lays it out, HORA with decimals.
inline const std::vector<FieldDef> kCamposSoluc = {
    {"CODGRUPO", FieldKind::Text, 10}, {"ASIG", FieldKind::Text, 10},
    {"TAREA", FieldKind::Text, 10},    {"PROF", FieldKind::Text, 10},
    {"AULA", FieldKind::Text, 10},     {"DIA", FieldKind::Integer, 0},
    {"HORA", FieldKind::Float, 0}};

// One SOLUC row: CODGRUPO, ASIG, TAREA, PROF, AULA, DIA, HORA.
using FilaSoluc = std::vector<std::string>;

using Atributos = std::vector<std::pair<std::string, std::string>>;

// The attributes of an element, in their order.
inline Atributos AtributosDe(const pugi::xml_node& e) {
  Atributos out;
  for (const auto& a : e.attributes()) out.emplace_back(a.name(), a.value());
  return out;
}

// The children of a collection, each as its attributes.
inline std::vector<Atributos> Elementos(const pugi::xml_node& coleccion) {
  std::vector<Atributos> out;
  for (const auto& e : coleccion.children()) out.push_back(AtributosDe(e));
  return out;
}

inline Atributos SesionGrupo(std::string dia, std::string orden, std::string desde,
                             std::string hasta, std::string grupo, std::string ensenanza,
                             std::string curso, std::string contenido, std::string docente,
                             std::string aula, std::string plantilla = "P1") {
  return {{"plantilla", plantilla}, {"dia_semana", dia},   {"sesion_orden", orden},
          {"hora_desde", desde},    {"hora_hasta", hasta}, {"grupo", grupo},
          {"ensenanza", ensenanza}, {"curso", curso},      {"contenido", contenido},
          {"docente", docente},     {"aula", aula},        {"idioma", ""}};
}

inline Atributos SesionOcupacion(std::string dia, std::string orden, std::string desde,
                                 std::string hasta, std::string docente, std::string ensenanza,
                                 std::string ocupacion, std::string plantilla = "P1") {
  return {{"plantilla", plantilla}, {"dia_semana", dia},     {"sesion_orden", orden},
          {"hora_desde", desde},    {"hora_hasta", hasta},   {"docente", docente},
          {"ensenanza", ensenanza}, {"ocupacion", ocupacion}};
}

}  // namespace velmora::testing
