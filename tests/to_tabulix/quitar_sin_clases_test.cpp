// QuitarSinClases: removal of the groups and teachers that ASIGT does not name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "carga_tablas.h"
#include "to_tabulix/preguntas.h"
#include "to_tabulix/tabla_asigt.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class QuitarSinClasesTest : public EscuelaCarga {
 protected:
  // ASIGT naming these groups (class rows of P1) and these teachers (duty rows).
  void Asignaciones(const std::vector<std::string>& grupos,
                    const std::vector<std::string>& profesores) {
    std::vector<Fila> filas;
    for (const auto& g : grupos) {
      filas.push_back({{"CASIG", "MAT"}, {"CPROF", "P1"}, {"CGRUP", g}, {"HORAS", "1"}});
    }
    for (const auto& p : profesores) {
      filas.push_back({{"CASIG", "*001"}, {"CPROF", p}, {"HORAS", "1"}, {"CTAREA", "*001"}});
    }
    EscribirTabla(carpeta.Path(), "ASIGT", CamposAsigt(), filas);
  }
  std::vector<std::string> Grupos() { return Columna(Tabla("GRUPOST"), "ABREV"); }
  std::vector<std::string> Profesores() { return Columna(Tabla("PROFT"), "ABREV"); }
};

const std::vector<std::string> kTodosLosGrupos = {"G1A", "G1B", "G1C", "G2A"};
const std::vector<std::string> kTodosLosProfesores = {"P1", "P2", "P3", "PX"};

TEST_F(QuitarSinClasesTest, SinSoloPlantillaNoHaceNada) {
  Escribir();
  Asignaciones({"G1A"}, {});
  state.soloPlantillaSeleccionada = false;
  Paso(QuitarSinClases);
  EXPECT_THAT(dialogs.questions, IsEmpty());
  EXPECT_EQ(Grupos(), kTodosLosGrupos);
  EXPECT_EQ(Profesores(), kTodosLosProfesores);
}

TEST_F(QuitarSinClasesTest, TodosConClasesNoPreguntaNiQuita) {
  Escribir();
  Asignaciones(kTodosLosGrupos, {"P2", "P3", "PX"});
  state.soloPlantillaSeleccionada = true;
  Paso(QuitarSinClases);
  EXPECT_THAT(dialogs.questions, IsEmpty());
  EXPECT_EQ(Grupos(), kTodosLosGrupos);
  EXPECT_EQ(Profesores(), kTodosLosProfesores);
}

// Two idle groups (G1B, G2A) and two idle teachers (P2, PX); P3 has only a duty.
TEST_F(QuitarSinClasesTest, PreguntaUnaVezYQuitaSegunLaRespuesta) {
  struct Caso {
    Answer respuesta;
    std::vector<std::string> grupos, profesores;
  };
  for (const Caso& c : {Caso{Answer::No, kTodosLosGrupos, kTodosLosProfesores},
                        Caso{Answer::Yes, {"G1A", "G1C"}, {"P1", "P3"}},
                        Caso{Answer::Closed, {"G1A", "G1C"}, {"P1", "P3"}}}) {
    Escribir();
    Asignaciones({"G1A", "G1C"}, {"P3"});
    state.soloPlantillaSeleccionada = true;
    state.report.Clear();
    dialogs.questions.clear();
    dialogs.answers = {c.respuesta};
    Paso(QuitarSinClases);
    EXPECT_THAT(dialogs.questions, ElementsAre(kPreguntaQuitarSinClases));
    EXPECT_EQ(Grupos(), c.grupos);
    EXPECT_EQ(Profesores(), c.profesores);
    if (c.respuesta != Answer::No) {
      EXPECT_THAT(state.report.rows, ElementsAre(std::pair<std::string, long>("GRUPOST", 2),
                                                 std::pair<std::string, long>("PROFT", 2)));
    }
  }
}

TEST_F(QuitarSinClasesTest, ProfesorOciosoSinGrupoOciosoSeQuitaSinPreguntar) {
  Escribir();
  Asignaciones(kTodosLosGrupos, {"P3"});
  state.soloPlantillaSeleccionada = true;
  Paso(QuitarSinClases);
  EXPECT_THAT(dialogs.questions, IsEmpty());
  EXPECT_EQ(Grupos(), kTodosLosGrupos);
  EXPECT_THAT(Profesores(), ElementsAre("P1", "P3"));
}

// Idle rows at the start, side by side and at the end of the table.
TEST_F(QuitarSinClasesTest, QuitaFilasSeguidasYLaUltima) {
  Escribir();
  Asignaciones({"G1C"}, {"P2"});
  state.soloPlantillaSeleccionada = true;
  dialogs.answers = {Answer::Yes};
  Paso(QuitarSinClases);
  EXPECT_THAT(Grupos(), ElementsAre("G1C"));
  EXPECT_THAT(Profesores(), ElementsAre("P1", "P2"));
}

}  // namespace
}  // namespace velmora::testing
