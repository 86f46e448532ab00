// The four load steps one after the other, as the run calls them, with the
// scripted dialogs answering both questions.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "carga_tablas.h"
#include "to_tabulix/preguntas.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;

class CargaSemanalTest : public EscuelaCarga {
 protected:
  CargaSemanalTest() {
    horariosGrupo = SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                    SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                    SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                    SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                    SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                    SesionGrupo("T1", "1B", "C1", "L1", "222", "102") +
                    SesionGrupo("T2", "1C", "C1", "L1", "333", "101");
    horariosOcupaciones = SesionOcupacion("T1", "GU001", "333") +
                          SesionOcupacion("T2", "GU001", "333") +
                          SesionOcupacion("T1", "RE002", "111");
  }
  void Cargar() {
    Escribir();
    Paso(CrearAsignaciones);
    Paso(CargarHorariosGrupo);
    Paso(CargarHorariosOcupaciones);
    Paso(QuitarSinClases);
  }
};

TEST_F(CargaSemanalTest, SoloLaPlantillaElegidaYSinOciosos) {
  dialogs.answers = {Answer::No, Answer::Yes};
  Cargar();
  EXPECT_THAT(dialogs.questions, ElementsAre(kPreguntaVariasPlantillas, kPreguntaQuitarSinClases));
  EXPECT_THAT(Resumen(Tabla("ASIGT"), {"CASIG", "CPROF", "CGRUP", "CAULA", "HORAS", "SESIONES",
                                       "CTAREA", "ASIG_ITACA"}),
              ElementsAre("MAT|P1|G1A|A1|5|11111|*479|M1", "LEN|P2|G1B|A2|1|1|*479|L1",
                          "*001|P3|||1|1|*001|GU001", "*002|P1|||1|1|*002|RE002"));
  // G1C has sessions of the other template only, G2A no subject; PX has
  // nothing to do.
  EXPECT_THAT(Columna(Tabla("GRUPOST"), "ABREV"), ElementsAre("G1A", "G1B"));
  EXPECT_THAT(Columna(Tabla("PROFT"), "ABREV"), ElementsAre("P1", "P2", "P3"));
  EXPECT_THAT(state.report.rows, ElementsAre(std::pair<std::string, long>("ASIGT", 4),
                                             std::pair<std::string, long>("GRUPOST", 2),
                                             std::pair<std::string, long>("PROFT", 3)));
}

TEST_F(CargaSemanalTest, TodasLasPlantillasNoQuitaNada) {
  dialogs.answers = {Answer::Yes};
  Cargar();
  EXPECT_THAT(dialogs.questions, ElementsAre(kPreguntaVariasPlantillas));
  EXPECT_THAT(
      Resumen(Tabla("ASIGT"), {"CASIG", "CPROF", "CGRUP", "HORAS", "SESIONES"}),
      ElementsAre("MAT||G1A|4|1111", "MAT||G1B|4|1111", "MAT||G1C|4|1111", "LEN||G1A|4|1111",
                  "LEN||G1B|4|1111", "LEN||G1C|4|1111", "*001|P3||2|11", "*002|P1||1|1"));
  EXPECT_EQ(Tabla("GRUPOST").size(), 4u);
  EXPECT_EQ(Tabla("PROFT").size(), 4u);
}

// Keeping the idle ones leaves every group and teacher.
TEST_F(CargaSemanalTest, ConservarSinClases) {
  dialogs.answers = {Answer::No, Answer::No};
  Cargar();
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(Tabla("GRUPOST").size(), 4u);
  EXPECT_EQ(Tabla("PROFT").size(), 4u);
}

}  // namespace
}  // namespace velmora::testing
