// The whole ITACA to Tabulix run on the sample school (examples/ies_la_vall.xml),
// its weekly load checked against the document, counted by hand.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "carga_tablas.h"
#include "to_tabulix/exportar.h"
#include "to_tabulix/plantillas.h"
#include "to_tabulix/preguntas.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const std::vector<std::string> kCampos = {"CASIG", "CPROF",    "CGRUP",  "CAULA",
                                          "HORAS", "SESIONES", "CTAREA", "ASIG_ITACA"};

class CargaEjemploTest : public ::testing::Test {
 protected:
  CarpetaTemporal carpeta;
  RunState state;
  FakeDialogs dialogs;

  void Exportar(const std::string& plantilla, const std::string& idioma,
                std::vector<Answer> respuestas) {
    const auto doc = carpeta.Path() / "ies_la_vall.xml";
    std::filesystem::copy_file(
        std::filesystem::path(VELMORA_SOURCE_DIR) / "examples" / "ies_la_vall.xml", doc);
    std::filesystem::create_directory(carpeta.Path() / "XTEMP");
    state.xtemp = carpeta.Path() / "XTEMP";
    dialogs.files = {doc};
    dialogs.onTemplate = [plantilla, idioma](const std::filesystem::path& file, const std::string&,
                                             int tag) {
      return ElegirPlantilla(XmlDocument::Load(file), plantilla, Cp(idioma), tag);
    };
    dialogs.answers.assign(respuestas.begin(), respuestas.end());
    BExportarClick(state, dialogs);
    ASSERT_EQ(state.resultCode, 1);
  }
  std::vector<std::string> Tabla(std::string_view nombre, const std::vector<std::string>& campos) {
    return Resumen(LeerTabla(state.xtemp, nombre), campos);
  }
};

// The morning: 1ESOB's Matemàtiques has two teachers (Gómez Puig 4 sessions
// first, Climent 4), whose second row goes after the default rows; Tutoria
// (2009) is one code in two courses, each group on its own row; 3PDC and CAGS
// have no group; 1SMXA's sessions are all in the afternoon, so its rows go,
// and so do the group and its two teachers, with Pau Sanchis, who has nothing.
// Àngela Esteve stays for her duties. Only the morning's duties count.
TEST_F(CargaEjemploTest, PlantillaDeMananaYQuitandoLosOciosos) {
  Exportar("MAT", "VALENCIÁ", {Answer::No, Answer::Yes});
  EXPECT_THAT(dialogs.questions, ElementsAre(kPreguntaVariasPlantillas, kPreguntaQuitarSinClases));
  EXPECT_THAT(Tabla("ASIGT", kCampos),
              ElementsAreArray(
                  {"2001|FSV|1ESOA|A101|3|111|*479|2001",  "2001|FSV|1ESOB|A102|3|111|*479|2001",
                   "2002|GPA|1ESOA|A101|4|1111|*479|2002", "2002|GPA1|1ESOB|A102|4|1111|*479|2002",
                   "2003|LNJ|1ESOA|GIM|2|11|*479|2003",    "2004|OM|1ESOB|A102|3|111|*479|2004",
                   "2009|GPA|1ESOA|A101|1|1|*479|2009",    "2009|GPA1|1ESOB|A102|1|1|*479|2009",
                   "2005|MDF|3ESOA|A201|3|111|*479|2005",  "2006|ISC|3ESOA|LAB|3|111|*479|2006",
                   "2009|MDF|3ESOA|A201|1|1|*479|2009",    "2010|MLE|1BATA|A201|3|111|*479|2010",
                   "2011|ISC|1BATA|A201|4|1111|*479|2011", "2002|CBN|1ESOB|A102|4|1111|*479|2002",
                   "*041|GPA|||2|11|*041|900041",          "*041|FSV|||1|1|*041|900041",
                   "*041|OM|||2|11|*041|900041",           "*044|LNJ|||1|1|*044|900044",
                   "*044|ISC|||1|1|*044|900044",           "*052|EGÀ|||3|111|*052|900052",
                   "*04A|MLE|||2|11|*04A|800041"}));
  // The further teacher's row takes the group's fields from GRUPOST.
  EXPECT_EQ(Tabla("ASIGT", {"TURNO", "NIVEL", "CURSO", "GRUPO", "CLAVE", "CLAVECURSO"})[13],
            "M|ESO|1|B|1ESOB|1001");
  EXPECT_THAT(Tabla("GRUPOST", {"ABREV"}), ElementsAre("1ESOA", "1ESOB", "3ESOA", "1BATA"));
  EXPECT_THAT(Tabla("PROFT", {"ABREV"}),
              ElementsAre("GPA", "GPA1", "FSV", "MLE", "LNJ", "CBN", "ISC", "OM", "MDF", "EGÀ"));
  EXPECT_THAT(state.report.omitted, IsEmpty());
}

// The afternoon: the two 1SMX modules have 11-character codes, stored cut to
// 10 in ASIGT and still found by their sessions.
TEST_F(CargaEjemploTest, PlantillaDeTardeConCodigosLargos) {
  Exportar("VES", "CASTELLANO", {Answer::No, Answer::Closed});
  EXPECT_THAT(dialogs.questions, ElementsAre(kPreguntaVariasPlantillas, kPreguntaQuitarSinClases));
  EXPECT_THAT(
      Tabla("ASIGT", kCampos),
      ElementsAre("0221SMX224|PVJ|1SMXA|INF|5|11111|*479|0221SMX202",
                  "0225SMX224|SRL|1SMXA|INF|5|11111|*479|0225SMX202", "*041|PVJ|||1|1|*041|900041",
                  "*044|SRL|||1|1|*044|900044", "*052|EGÀ|||1|1|*052|900052"));
  EXPECT_THAT(Tabla("GRUPOST", {"ABREV"}), ElementsAre("1SMXA"));
  EXPECT_THAT(Tabla("PROFT", {"ABREV"}), ElementsAre("PVJ", "SRL", "EGÀ"));
}

// All templates: the default rows of every subject and group stay, and the
// duties of both templates are counted together; nothing is removed.
TEST_F(CargaEjemploTest, TodasLasPlantillas) {
  Exportar("MAT", "VALENCIÁ", {Answer::Yes});
  EXPECT_THAT(dialogs.questions, ElementsAre(kPreguntaVariasPlantillas));
  const auto filas = Tabla("ASIGT", {"CASIG", "CPROF", "CGRUP", "HORAS", "SESIONES"});
  EXPECT_THAT(filas, ElementsAreArray({"2001||1ESOA|4|1111",
                                       "2001||1ESOB|4|1111",
                                       "2002||1ESOA|4|1111",
                                       "2002||1ESOB|4|1111",
                                       "2003||1ESOA|4|1111",
                                       "2003||1ESOB|4|1111",
                                       "2004||1ESOA|4|1111",
                                       "2004||1ESOB|4|1111",
                                       "2009||1ESOA|4|1111",
                                       "2009||1ESOB|4|1111",
                                       "2005||3ESOA|4|1111",
                                       "2006||3ESOA|4|1111",
                                       "2009||3ESOA|4|1111",
                                       "2010||1BATA|4|1111",
                                       "2011||1BATA|4|1111",
                                       "0221SMX224||1SMXA|4|1111",
                                       "0225SMX224||1SMXA|4|1111",
                                       "*041|GPA||2|11",
                                       "*041|FSV||1|1",
                                       "*041|OM||2|11",
                                       "*044|LNJ||1|1",
                                       "*044|ISC||1|1",
                                       "*052|EGÀ||4|1111",
                                       "*04A|MLE||2|11",
                                       "*041|PVJ||1|1",
                                       "*044|SRL||1|1"}));
  EXPECT_EQ(LeerTabla(state.xtemp, "GRUPOST").size(), 5u);
  EXPECT_EQ(LeerTabla(state.xtemp, "PROFT").size(), 13u);
}

}  // namespace
}  // namespace velmora::testing
