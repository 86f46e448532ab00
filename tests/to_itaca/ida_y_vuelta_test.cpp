// Both directions on a whole school: the ITACA to Tabulix run, a stand-in
// solution of its tables, and the Tabulix to ITACA run back. Every placed
// session of the solution must come back with ITACA's own codes for its
// group, course, subject, teacher and room, and its template's times.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

#include "formats/itaca_xml.h"
#include "solucion_prueba.h"
#include "support/fake_dialogs.h"
#include "to_itaca/importar.h"
#include "to_tabulix/exportar.h"
#include "to_tabulix/plantillas.h"
#include "to_tabulix/run_state.h"
#include "tools/lib/stand_in_solution.h"
#include "tools/lib/synthetic_school.h"

namespace velmora::testing {
namespace {

using ::testing::IsEmpty;

std::string Recortar(std::string s) {
  const auto a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::string A(const pugi::xml_node& e, const char* nombre) {
  return Recortar(e.attribute(nombre).value());
}

using Clase = std::tuple<std::string, std::string, std::string, std::string, std::string>;
using Tramo = std::tuple<std::string, std::string, std::string>;

// What the source says about one template (UTF-8, trimmed).
struct Fuente {
  std::set<Clase> clases;  // grupo, curso, contenido, docente, aula of its group sessions
  std::set<std::pair<std::string, std::string>> ocupaciones;  // docente, ocupacion
  std::set<Tramo> tramos;  // Monday's sesion_orden, hora_desde, hora_hasta
  std::map<std::string, std::string> ensenanzaGrupo, ensenanzaDocente;
  pugi::xml_node centro;
};

Fuente LeerFuente(pugi::xml_document& doc, const std::string& plantilla) {
  Fuente f;
  f.centro = doc.child("centro");
  for (const auto& s : f.centro.child("horarios_grupo").children("horario_grupo")) {
    if (A(s, "plantilla") != plantilla) continue;
    f.clases.emplace(A(s, "grupo"), A(s, "curso"), A(s, "contenido"), A(s, "docente"),
                     A(s, "aula"));
  }
  for (const auto& s : f.centro.child("horarios_ocupaciones").children("horario_ocupacion")) {
    if (A(s, "plantilla") == plantilla) f.ocupaciones.emplace(A(s, "docente"), A(s, "ocupacion"));
  }
  for (const auto& s : f.centro.child("sesiones_horario").children("sesion_horario")) {
    if (A(s, "plantilla") == plantilla && A(s, "dia_semana") == "L") {
      f.tramos.emplace(A(s, "sesion_orden"), A(s, "hora_desde"), A(s, "hora_hasta"));
    }
  }
  for (const auto& g : f.centro.child("grupos").children("grupo")) {
    f.ensenanzaGrupo[A(g, "codigo")] = A(g, "ensenanza");
  }
  for (const auto& d : f.centro.child("docentes").children("docente")) {
    f.ensenanzaDocente[A(d, "documento")] = A(d, "ensenanza");
  }
  return f;
}

struct Caso {
  std::string nombre;
  std::string plantilla;
  std::function<void(const std::filesystem::path&)> escribir;
};

const std::vector<Caso>& Casos() {
  static const std::vector<Caso> casos = {
      {"muestra, mañana", "MAT",
       [](const std::filesystem::path& f) {
         std::filesystem::copy_file(
             std::filesystem::path(VELMORA_SOURCE_DIR) / "examples" / "ies_la_vall.xml", f);
       }},
      {"muestra, tarde", "VES",
       [](const std::filesystem::path& f) {
         std::filesystem::copy_file(
             std::filesystem::path(VELMORA_SOURCE_DIR) / "examples" / "ies_la_vall.xml", f);
       }},
      {"centro sintético", "MAT",
       [](const std::filesystem::path& f) {
         tools::WriteSyntheticSchool(f, {.seed = 7, .scale = 1});
       }},
  };
  return casos;
}

TEST(IdaYVueltaTest, CadaSesionColocadaVuelveConSusCodigos) {
  for (const Caso& c : Casos()) {
    SCOPED_TRACE(c.nombre);
    CarpetaPrueba carpeta;
    const auto xtemp = carpeta / "XTEMP";
    std::filesystem::create_directory(xtemp);
    const auto documento = carpeta / "centro.xml";
    c.escribir(documento);

    // ITACA to Tabulix, only the chosen template, idle groups and teachers removed.
    auto elegir = [&](const std::filesystem::path& ruta, const std::string& idioma, int tag) {
      return ElegirPlantilla(XmlDocument::Load(ruta), c.plantilla, idioma, tag);
    };
    RunState ida;
    ida.xtemp = xtemp;
    FakeDialogs d1;
    d1.files.push_back(documento);
    d1.onTemplate = elegir;
    d1.answers = {Answer::No, Answer::Yes};
    BExportarClick(ida, d1);
    ASSERT_EQ(ida.resultCode, 1);

    const tools::StandInStats solucion = tools::WriteStandInSolution(xtemp, 3);
    ASSERT_GT(solucion.rows, 0u);

    RunState vuelta;
    vuelta.xtemp = xtemp;
    FakeDialogs d2;
    d2.files.push_back(documento);
    d2.onTemplate = elegir;
    BImportarClick(vuelta, d2);
    ASSERT_EQ(vuelta.resultCode, 1);
    EXPECT_THAT(vuelta.report.omitted, IsEmpty());

    // The placed rows of the solution, read with the table engine.
    long clasesColocadas = 0, ocupacionesColocadas = 0, sinColocar = 0;
    Table soluc(TableFile(xtemp, "SOLUC"), OpenMode::Shared);
    for (soluc.First(); !soluc.Eof(); soluc.Next()) {
      if (soluc.AsInteger("DIA") == 0 || soluc.AsFloat("HORA") == 0) {
        ++sinColocar;
      } else if (soluc.AsString("ASIG") == soluc.AsString("TAREA")) {
        ++ocupacionesColocadas;
      } else {
        ++clasesColocadas;
      }
    }
    soluc.Close();
    EXPECT_EQ(vuelta.report.unplaced, sinColocar);

    const auto resultado = carpeta / "ResultadoTabulixcentro.xml";
    ASSERT_EQ(std::system(("xmllint --noout '" + resultado.string() + "'").c_str()), 0);
    pugi::xml_document fuenteDoc, resultadoDoc;
    ASSERT_TRUE(fuenteDoc.load_file(documento.c_str()));
    ASSERT_TRUE(resultadoDoc.load_file(resultado.c_str()));
    const Fuente fuente = LeerFuente(fuenteDoc, c.plantilla);
    const pugi::xml_node raiz = resultadoDoc.child("centro");
    for (const char* a : {"codigo", "denominacion", "curso", "version"}) {
      EXPECT_EQ(A(raiz, a), A(fuente.centro, a)) << a;
    }

    const std::set<std::string> dias = {"L", "M", "X", "J", "V"};
    long clases = 0;
    for (const auto& s : raiz.child("horarios_grupo").children()) {
      ++clases;
      const Clase clase{A(s, "grupo"), A(s, "curso"), A(s, "contenido"), A(s, "docente"),
                        A(s, "aula")};
      EXPECT_TRUE(fuente.clases.count(clase))
          << std::get<0>(clase) << " " << std::get<1>(clase) << " " << std::get<2>(clase) << " "
          << std::get<3>(clase) << " " << std::get<4>(clase);
      EXPECT_TRUE(
          fuente.tramos.count({A(s, "sesion_orden"), A(s, "hora_desde"), A(s, "hora_hasta")}))
          << A(s, "sesion_orden");
      EXPECT_TRUE(dias.count(A(s, "dia_semana"))) << A(s, "dia_semana");
      EXPECT_EQ(A(s, "plantilla"), c.plantilla);
      EXPECT_EQ(A(s, "ensenanza"), fuente.ensenanzaGrupo.at(A(s, "grupo")));
    }
    long ocupaciones = 0;
    for (const auto& s : raiz.child("horarios_ocupaciones").children()) {
      ++ocupaciones;
      EXPECT_TRUE(fuente.ocupaciones.count({A(s, "docente"), A(s, "ocupacion")}))
          << A(s, "docente") << " " << A(s, "ocupacion");
      EXPECT_TRUE(
          fuente.tramos.count({A(s, "sesion_orden"), A(s, "hora_desde"), A(s, "hora_hasta")}));
      EXPECT_EQ(A(s, "ensenanza"), fuente.ensenanzaDocente.at(A(s, "docente")));
    }
    EXPECT_EQ(clases, clasesColocadas);
    EXPECT_EQ(ocupaciones, ocupacionesColocadas);
    EXPECT_GT(clases, 0);
  }
}

}  // namespace
}  // namespace velmora::testing
