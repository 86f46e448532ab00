// CargarHorariosGrupo: the class load of the chosen template.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "carga_tablas.h"
#include "to_tabulix/preguntas.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

const std::vector<std::string> kClave = {"CGRUP", "CASIG", "CPROF", "CAULA", "HORAS"};

using CargarHorariosGrupoTest = EscuelaCarga;

// --- The question -----------------------------------------------------------

TEST_F(CargarHorariosGrupoTest, SinSesionesNoPreguntaNiCambiaNada) {
  Escribir();
  state.soloPlantillaSeleccionada = true;  // from an earlier run
  Paso(CrearAsignaciones);
  const auto antes = Tabla("ASIGT");
  Paso(CargarHorariosGrupo);
  EXPECT_THAT(dialogs.questions, IsEmpty());
  EXPECT_FALSE(state.soloPlantillaSeleccionada);
  EXPECT_EQ(Tabla("ASIGT"), antes);
}

TEST_F(CargarHorariosGrupoTest, ConSiDejaLasFilasPorDefecto) {
  horariosGrupo = SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                  SesionGrupo("T1", "1A", "C1", "M1", "222", "102");
  Escribir();
  Paso(CrearAsignaciones);
  const auto antes = Tabla("ASIGT");
  dialogs.answers.push_back(Answer::Yes);
  Paso(CargarHorariosGrupo);
  EXPECT_THAT(dialogs.questions, ElementsAre(kPreguntaVariasPlantillas));
  EXPECT_FALSE(state.soloPlantillaSeleccionada);
  EXPECT_EQ(Tabla("ASIGT"), antes);
}

// Closing the box is taken as No, as is a single session, which is asked
// about but not counted: every row goes.
TEST_F(CargarHorariosGrupoTest, ConNoOCerrandoSoloCuentaLaPlantilla) {
  struct Caso {
    Answer respuesta;
    std::string sesiones;
    std::vector<std::string> filas;
  };
  const std::string dos = SesionGrupo("T1", "1B", "C1", "L1", "111", "101") +
                          SesionGrupo("T1", "1B", "C1", "L1", "111", "101");
  const std::string una = SesionGrupo("T1", "1B", "C1", "L1", "111", "101");
  for (const Caso& c :
       {Caso{Answer::No, dos, {"G1B|LEN|P1|A1|2"}}, Caso{Answer::Closed, dos, {"G1B|LEN|P1|A1|2"}},
        Caso{Answer::No, una, {}}}) {
    horariosGrupo = c.sesiones;
    dialogs.questions.clear();
    Escribir();
    state.soloPlantillaSeleccionada = false;
    CargarGrupos(c.respuesta);
    EXPECT_THAT(dialogs.questions, ElementsAre(kPreguntaVariasPlantillas));
    EXPECT_TRUE(state.soloPlantillaSeleccionada);
    EXPECT_EQ(Resumen(Tabla("ASIGT"), kClave), c.filas);
  }
}

// --- Counting the sessions: teachers, further teachers and rooms ------------

struct CasoSesiones {
  std::string nombre;
  std::vector<std::string> sesiones;  // "grupo contenido docente aula", in document order
  std::vector<std::string> filas;     // ASIGT afterwards: CGRUP|CASIG|CPROF|CAULA|HORAS
};

std::string Sesiones(const std::vector<std::string>& lista) {
  std::string xml;
  for (const std::string& s : lista) {
    std::vector<std::string> v;
    std::size_t pos = 0;
    for (std::size_t sp; (sp = s.find(' ', pos)) != std::string::npos; pos = sp + 1) {
      v.push_back(s.substr(pos, sp - pos));
    }
    v.push_back(s.substr(pos));
    if (v.size() == 5) {  // of another template
      xml += SesionGrupo(v[0], v[1], "C1", v[2], v[3], v[4]);
    } else {
      xml += SesionGrupo("T1", v[0], "C1", v[1], v[2], v[3]);
    }
  }
  return xml;
}

void PrintTo(const CasoSesiones& c, std::ostream* os) {
  *os << c.nombre;
}

class CargarHorariosGrupoCasos : public EscuelaCarga,
                                 public ::testing::WithParamInterface<CasoSesiones> {};

TEST_P(CargarHorariosGrupoCasos, CuentaLasSesiones) {
  horariosGrupo = Sesiones(GetParam().sesiones);
  Escribir();
  CargarGrupos(Answer::No);
  EXPECT_EQ(Resumen(Tabla("ASIGT"), kClave), GetParam().filas);
  EXPECT_THAT(state.report.omitted, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Reglas, CargarHorariosGrupoCasos,
    ::testing::Values(CasoSesiones{"MismoProfesor",
                                   {"1A M1 111 101", "1A M1 111 101", "1A M1 111 101"},
                                   {"G1A|MAT|P1|A1|3"}},
                      // The further teacher's row goes to the end of the table.
                      CasoSesiones{"DosProfesores",
                                   {"1A M1 111 101", "1B L1 333 101", "1A M1 222 102",
                                    "1A M1 111 101", "1A M1 222 102", "1A M1 222 101"},
                                   {"G1A|MAT|P1|A1|2", "G1B|LEN|P3|A1|1", "G1A|MAT|P2|A2|3"}},
                      CasoSesiones{"TresProfesoresAlternos",
                                   {"1A M1 111 101", "1A M1 222 102", "1A M1 333 101",
                                    "1A M1 222 101", "1A M1 111 101"},
                                   {"G1A|MAT|P1|A1|2", "G1A|MAT|P2|A2|2", "G1A|MAT|P3|A1|1"}},
                      // Unknown teachers are gathered on one row without a teacher.
                      CasoSesiones{"DesconocidoEnFilaConProfesor",
                                   {"1A M1 111 101", "1A M1 999 101", "1A M1 888 101"},
                                   {"G1A|MAT|P1|A1|1", "G1A|MAT||A1|2"}},
                      CasoSesiones{"DesconocidoPrimero",
                                   {"1A M1 999 101", "1A M1 999 102", "1A M1 111 102"},
                                   {"G1A|MAT||A1|2", "G1A|MAT|P1|A2|1"}},
                      // An empty documento is nobody, not the teacher without one (PX).
                      CasoSesiones{"DocenteVacio", {"1A M1  101", "1A M1  101"}, {"G1A|MAT||A1|2"}},
                      // An empty aula is no room, not the room without a code (AX).
                      CasoSesiones{
                          "AulaVacia", {"1A M1 111 ", "1A M1 111 102"}, {"G1A|MAT|P1|A2|2"}},
                      CasoSesiones{"AulaDesconocidaYLuegoConocida",
                                   {"1A M1 111 999", "1A M1 111 102", "1A M1 111 101"},
                                   {"G1A|MAT|P1|A2|3"}},
                      // Sessions of another template are not counted, even on a matching row.
                      CasoSesiones{"OtraPlantilla",
                                   {"T2 1A M1 111 101", "1B M1 222 102", "T2 1B M1 111 101"},
                                   {"G1B|MAT|P2|A2|1"}},
                      // The rows keep their table order, whatever the order of the sessions.
                      CasoSesiones{"OrdenDeLaTabla",
                                   {"1C L1 111 101", "1B M1 222 101", "1A L1 333 101"},
                                   {"G1B|MAT|P2|A1|1", "G1A|LEN|P3|A1|1", "G1C|LEN|P1|A1|1"}}),
    [](const ::testing::TestParamInfo<CasoSesiones>& info) { return info.param.nombre; });

TEST_F(CargarHorariosGrupoTest, FilaDeOtroProfesorTomaLosDatosDelGrupo) {
  horariosGrupo = SesionGrupo("T1", "1C", "C1", "L1", "111", "101") +
                  SesionGrupo("T1", "1C", "C1", "L1", "222", "102");
  Escribir();
  CargarGrupos();
  const auto filas = Tabla("ASIGT");
  ASSERT_THAT(filas, SizeIs(2));
  EXPECT_EQ(filas[1], (Fila{{"CASIG", "LEN"},
                            {"CPROF", "P2"},
                            {"CGRUP", "G1C"},
                            {"CAULA", "A2"},
                            {"TURNO", "T"},
                            {"NIVEL", "ESO"},
                            {"CURSO", "1"},
                            {"GRUPO", "C"},
                            {"HORAS", "1"},
                            {"SESIONES", "1111"},
                            {"NCONEX", ""},
                            {"CLAVE", "1C"},
                            {"CLAVECURSO", "C1"},
                            {"CTAREA", "*479"},
                            {"ASIG_ITACA", "L1"}}));
  EXPECT_EQ(filas[0].at("SESIONES"), "1111");
  EXPECT_EQ(state.report.rows, (std::vector<std::pair<std::string, long>>{{"ASIGT", 2}}));
}

// Two subjects with the same course and code give two rows per group. A
// session of another teacher reaches the second through the search by
// teacher (an unknown teacher: an empty CPROF): it becomes that row's first
// session instead of being added to its default four hours, and the row stays.
TEST_F(CargarHorariosGrupoTest, SegundaFilaSinUsoEmpiezaPorLaSesion) {
  contenidos = Contenido("M1", "C1") + Contenido("M1", "C1");
  horariosGrupo = SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                  SesionGrupo("T1", "1A", "C1", "M1", "999", "102") +
                  SesionGrupo("T1", "1A", "C1", "M1", "", "102");
  Escribir();
  CargarGrupos();
  EXPECT_THAT(Resumen(Tabla("ASIGT"), kClave), ElementsAre("G1A|MAT|P1|A1|1", "G1A|MAT||A2|2"));
}

// Codes longer than their fields find the rows that hold them cut.
TEST_F(CargarHorariosGrupoTest, CodigosLargosEncuentranSusFilas) {
  grupost.push_back({{"ABREV", "GL"},
                     {"TURNO", "M"},
                     {"CURSO", "3"},
                     {"GRUPO", "L"},
                     {"CLAVE", "GRUPO-LARGO"},
                     {"CLAVECURSO", "CURSO-LARGO-3"}});
  asignomt.push_back({{"COD", "LAR"}, {"NOMBRE", "Larga"}, {"ABREV_ITACA", "ASIGNATURA-12"}});
  proft.push_back({{"ABREV", "PL"}, {"DNI", "DOCUMENTO-LARGO-16"}});
  aulat.push_back({{"ABREV", "AL"}, {"ABREV_ITACA", "AULA-LARGA-1"}});
  contenidos = Contenido("ASIGNATURA-12", "CURSO-LARGO-3") + Contenido("M1", "C1");
  horariosGrupo = SesionGrupo("T1", "GRUPO-LARGO", "CURSO-LARGO-3", "ASIGNATURA-12",
                              "DOCUMENTO-LARGO-16", "AULA-LARGA-1") +
                  SesionGrupo("T1", "GRUPO-LARGO", "CURSO-LARGO-3", "ASIGNATURA-12",
                              "DOCUMENTO-LARGO-16", "AULA-LARGA-1") +
                  SesionGrupo("T1", "GRUPO-LARGO", "CURSO-LARGO-3", "ASIGNATURA-12", "111", "101");
  Escribir();
  CargarGrupos();
  EXPECT_THAT(Resumen(Tabla("ASIGT"), {"CGRUP", "CASIG", "CPROF", "CAULA", "HORAS", "CLAVE"}),
              ElementsAre("GL|LAR|PL|AL|2|GRUPO-LARG", "GL|LAR|P1|A1|1|GRUPO-LARG"));
}

// --- What the report tells ----------------------------------------------------

TEST_F(CargarHorariosGrupoTest, SesionSinFilaNoSeCuentaYSeInforma) {
  horariosGrupo = SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                  // group 2A belongs to C2, not C1
                  SesionGrupo("T1", "2A", "C1", "M1", "111", "101") +
                  SesionGrupo("T2", "1A", "C1", "ZZ", "111", "101");
  Escribir();
  CargarGrupos();
  EXPECT_THAT(Resumen(Tabla("ASIGT"), kClave), ElementsAre("G1A|MAT|P1|A1|1"));
  ASSERT_THAT(state.report.omitted, SizeIs(1));
  EXPECT_THAT(state.report.omitted[0], HasSubstr("/centro/horarios_grupo/horario_grupo[2]"));
  EXPECT_THAT(state.report.omitted[0], HasSubstr("«2A»"));
}

TEST_F(CargarHorariosGrupoTest, OtroProfesorDeGrupoDesconocidoNoSeCuenta) {
  horariosGrupo = SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                  SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                  SesionGrupo("T1", "1A", "C1", "M1", "222", "101");
  Escribir();
  Paso(CrearAsignaciones);
  // The group leaves GRUPOST after its rows were written.
  EscribirTabla(carpeta.Path(), "GRUPOST", kCamposGrupost, {grupost[1], grupost[2], grupost[3]});
  dialogs.answers.push_back(Answer::No);
  Paso(CargarHorariosGrupo);
  EXPECT_THAT(Resumen(Tabla("ASIGT"), kClave), ElementsAre("G1A|MAT|P1|A1|2"));
  ASSERT_THAT(state.report.omitted, SizeIs(1));
  EXPECT_THAT(state.report.omitted[0], HasSubstr("/centro/horarios_grupo/horario_grupo[3]"));
  EXPECT_THAT(state.report.omitted[0], HasSubstr("«G1A»"));
}

TEST_F(CargarHorariosGrupoTest, FaltaUnAtributoDeUnaSesionDeLaPlantilla) {
  horariosGrupo = "<horario_grupo plantilla=\"T2\" grupo=\"1A\"/>\n" +
                  SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                  "<horario_grupo plantilla=\"T1\" grupo=\"1A\" curso=\"C1\" contenido=\"M1\" "
                  "aula=\"101\"/>\n";
  Escribir();
  try {
    CargarGrupos();
    FAIL() << "sin error";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("docente"));
    EXPECT_THAT(e.what(), HasSubstr("horario_grupo[3]"));
  }
}

}  // namespace
}  // namespace velmora::testing
