// The synthetic schools that tests, demos and benchmarks rely on: the same
// bytes for the same seed, readable in every encoding they are written in,
// with every collection the conversions read and references that hold.
#include "tools/lib/synthetic_school.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "tests/formats/xml_test_util.h"

namespace velmora::tools {
namespace {

using velmora::testing::XmlTempFolder;

struct Collection {
  const char* path;
  std::vector<const char*> attributes;
};

// Every collection and attribute the conversions read.
const std::vector<Collection> kCollections = {
    {"/centro", {"codigo", "denominacion", "curso", "version"}},
    {"/centro/plantillas_horario/plantilla_horario",
     {"codigo", "descripcion_val", "descripcion_cas", "turno"}},
    {"/centro/sesiones_horario/sesion_horario",
     {"plantilla", "dia_semana", "sesion_orden", "hora_desde", "hora_hasta"}},
    {"/centro/docentes/docente",
     {"apellido1", "apellido2", "nombre", "tipo_docente", "fecha_ingreso", "documento",
      "ensenanza"}},
    {"/centro/cursos/curso", {"codigo", "abreviatura", "padre", "ensenanza"}},
    {"/centro/ensenanzas/ensenanza", {"ensenanza", "abreviatura"}},
    {"/centro/cursos_grupo/curso_grupo", {"grupo", "curso"}},
    {"/centro/grupos/grupo", {"codigo", "nombre", "turno", "ensenanza", "tutor_ppal", "tutor_sec"}},
    {"/centro/contenidos/contenido", {"codigo", "curso", "nombre_val", "nombre_cas"}},
    {"/centro/ocupaciones/ocupacion", {"codigo", "nombre_val", "nombre_cas"}},
    {"/centro/aulas/aula", {"codigo", "nombre"}},
    {"/centro/horarios_grupo/horario_grupo",
     {"plantilla", "grupo", "curso", "contenido", "docente", "aula"}},
    {"/centro/horarios_ocupaciones/horario_ocupacion", {"ocupacion", "docente", "plantilla"}},
};

XmlDocument LoadSchool(const XmlTempFolder& dir, const SchoolOptions& options) {
  const auto file = dir / ("centro-" + options.encoding + ".xml");
  WriteSyntheticSchool(file, options);
  return XmlDocument::Load(file);
}

// Every value the conversions read, in document order, one text.
std::string AllValues(const XmlDocument& doc) {
  std::string all;
  for (const Collection& c : kCollections) {
    const XmlNodeList list = doc.Select(c.path);
    for (std::size_t i = 0; i < list.Count(); ++i) {
      for (const char* a : c.attributes) all += list.Item(i).Attr(a) + '\x1F';
    }
  }
  return all;
}

std::set<std::string> Keys(const XmlDocument& doc, const char* path, const char* attribute) {
  std::set<std::string> keys;
  const XmlNodeList list = doc.Select(path);
  for (std::size_t i = 0; i < list.Count(); ++i) keys.insert(list.Item(i).Trimmed(attribute));
  return keys;
}

TEST(SyntheticSchool, SameSeedSameBytesOtherSeedOtherSchool) {
  const SchoolOptions options{.seed = 7, .scale = 2};
  const std::string first = SyntheticSchoolXml(options);
  EXPECT_EQ(first, SyntheticSchoolXml(options));
  EXPECT_NE(first, SyntheticSchoolXml({.seed = 8, .scale = 2}));
}

TEST(SyntheticSchool, ScaleMultipliesTheSchoolWithUniqueCodes) {
  SchoolStats one, three;
  SyntheticSchoolXml({.seed = 1, .scale = 1}, &one);
  SyntheticSchoolXml({.seed = 1, .scale = 3}, &three);
  EXPECT_EQ(one.docentes, 150u);
  EXPECT_EQ(three.docentes, 3 * one.docentes);
  EXPECT_EQ(three.grupos, 3 * one.grupos);
  EXPECT_EQ(three.contenidos, 3 * one.contenidos);
  EXPECT_EQ(three.aulas, 3 * one.aulas);
  EXPECT_EQ(three.sesionesHorario, one.sesionesHorario);  // the school's templates do not grow

  XmlTempFolder dir;
  const XmlDocument doc = LoadSchool(dir, {.seed = 1, .scale = 3});
  EXPECT_EQ(Keys(doc, "/centro/docentes/docente", "documento").size(), three.docentes);
  EXPECT_EQ(Keys(doc, "/centro/grupos/grupo", "codigo").size(), three.grupos);
  EXPECT_EQ(Keys(doc, "/centro/cursos/curso", "codigo").size(), three.cursos);
}

TEST(SyntheticSchool, HoldsEveryCollectionWithConsistentReferences) {
  XmlTempFolder dir;
  SchoolStats stats;
  const XmlDocument doc = LoadSchool(dir, {.seed = 3, .scale = 1});
  SyntheticSchoolXml({.seed = 3, .scale = 1}, &stats);

  for (const Collection& c : kCollections) {
    SCOPED_TRACE(c.path);
    const XmlNodeList list = doc.Select(c.path);
    // Most collections are used only from two elements on.
    EXPECT_GE(list.Count(), std::string(c.path) == "/centro" ? 1u : 2u);
    for (std::size_t i = 0; i < list.Count(); ++i) {
      for (const char* a : c.attributes) ASSERT_TRUE(list.Item(i).Has(a)) << list.Item(i).Where();
    }
  }
  EXPECT_EQ(doc.Select("/centro/horarios_grupo/horario_grupo").Count(), stats.horariosGrupo);
  EXPECT_EQ(doc.Select("/centro/horarios_ocupaciones/horario_ocupacion").Count(),
            stats.horariosOcupacion);

  const std::map<std::string, std::set<std::string>> keys = {
      {"docente", Keys(doc, "/centro/docentes/docente", "documento")},
      {"curso", Keys(doc, "/centro/cursos/curso", "codigo")},
      {"ensenanza", Keys(doc, "/centro/ensenanzas/ensenanza", "ensenanza")},
      {"grupo", Keys(doc, "/centro/grupos/grupo", "codigo")},
      {"contenido", Keys(doc, "/centro/contenidos/contenido", "codigo")},
      {"ocupacion", Keys(doc, "/centro/ocupaciones/ocupacion", "codigo")},
      {"aula", Keys(doc, "/centro/aulas/aula", "codigo")},
      {"plantilla", Keys(doc, "/centro/plantillas_horario/plantilla_horario", "codigo")},
  };
  struct Reference {
    const char* path;
    const char* attribute;
    const char* key;
    bool mayBeEmpty;
  };
  const Reference references[] = {
      {"/centro/sesiones_horario/sesion_horario", "plantilla", "plantilla", false},
      {"/centro/docentes/docente", "ensenanza", "ensenanza", false},
      {"/centro/cursos/curso", "ensenanza", "ensenanza", false},
      {"/centro/cursos/curso", "padre", "curso", true},
      {"/centro/grupos/grupo", "ensenanza", "ensenanza", false},
      {"/centro/grupos/grupo", "tutor_ppal", "docente", true},
      {"/centro/grupos/grupo", "tutor_sec", "docente", true},
      {"/centro/cursos_grupo/curso_grupo", "grupo", "grupo", false},
      {"/centro/cursos_grupo/curso_grupo", "curso", "curso", false},
      {"/centro/contenidos/contenido", "curso", "curso", false},
      {"/centro/horarios_grupo/horario_grupo", "plantilla", "plantilla", false},
      {"/centro/horarios_grupo/horario_grupo", "grupo", "grupo", false},
      {"/centro/horarios_grupo/horario_grupo", "curso", "curso", false},
      {"/centro/horarios_grupo/horario_grupo", "contenido", "contenido", false},
      {"/centro/horarios_grupo/horario_grupo", "docente", "docente", false},
      {"/centro/horarios_grupo/horario_grupo", "aula", "aula", false},
      {"/centro/horarios_ocupaciones/horario_ocupacion", "ocupacion", "ocupacion", false},
      {"/centro/horarios_ocupaciones/horario_ocupacion", "docente", "docente", false},
      {"/centro/horarios_ocupaciones/horario_ocupacion", "plantilla", "plantilla", false},
  };
  for (const Reference& r : references) {
    SCOPED_TRACE(std::string(r.path) + " @" + r.attribute);
    const XmlNodeList list = doc.Select(r.path);
    const std::set<std::string>& known = keys.at(r.key);
    bool someEmpty = false;
    for (std::size_t i = 0; i < list.Count(); ++i) {
      const std::string value = list.Item(i).Trimmed(r.attribute);
      if (value.empty() && r.mayBeEmpty) {
        someEmpty = true;
        continue;
      }
      ASSERT_TRUE(known.count(value)) << list.Item(i).Where() << " «" << value << "»";
    }
    // Where a reference may be empty, the school shows both kinds.
    if (r.mayBeEmpty) {
      EXPECT_TRUE(someEmpty);
    }
  }

  // A group's code starts with its course number and ends with its letter;
  // session times are HH:MM.
  const XmlNodeList grupos = doc.Select("/centro/grupos/grupo");
  for (std::size_t i = 0; i < grupos.Count(); ++i) {
    const std::string codigo = grupos.Item(i).Attr("codigo");
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(codigo.front()))) << codigo;
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(codigo.back()))) << codigo;
  }
  const XmlNodeList sesiones = doc.Select("/centro/sesiones_horario/sesion_horario");
  for (std::size_t i = 0; i < sesiones.Count(); ++i) {
    for (const char* a : {"hora_desde", "hora_hasta"}) {
      const std::string hora = sesiones.Item(i).Attr(a);
      EXPECT_TRUE(hora.size() == 5 && hora[2] == ':') << hora;
    }
  }
}

// The same school in every encoding reads as the same values (the accented
// names and the typographic apostrophe, which ISO-8859-1 lacks, included).
TEST(SyntheticSchool, EveryEncodingReadsTheSameValues) {
  XmlTempFolder dir;
  const std::string expected = AllValues(LoadSchool(dir, {.seed = 5, .scale = 1}));
  ASSERT_NE(expected.find("Sal\xF3 d\x92"
                          "actes"),
            std::string::npos);  // CP1252 bytes
  for (const char* encoding :
       {"UTF-8-BOM", "UTF-16LE", "UTF-16BE", "ISO-8859-1", "ISO-8859-15", "windows-1252"}) {
    SCOPED_TRACE(encoding);
    const XmlDocument doc = LoadSchool(dir, {.seed = 5, .scale = 1, .encoding = encoding});
    EXPECT_EQ(AllValues(doc), expected);
  }
}

TEST(SyntheticSchool, RejectsUnknownEncodingAndScale) {
  EXPECT_THROW(SyntheticSchoolXml({.encoding = "latin2"}), Error);
  EXPECT_THROW(SyntheticSchoolXml({.scale = 0}), Error);
  EXPECT_THROW(SyntheticSchoolXml({.scale = 1001}), Error);
}

}  // namespace
}  // namespace velmora::tools
