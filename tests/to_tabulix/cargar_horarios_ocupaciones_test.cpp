// CargarHorariosOcupaciones: the teachers' duty rows and the session patterns.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "carga_tablas.h"
#include "to_tabulix/tabla_asigt.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

const std::vector<std::string> kDuty = {"CASIG", "CPROF",    "ASIG_ITACA",
                                        "HORAS", "SESIONES", "CTAREA"};

using CargarHorariosOcupacionesTest = EscuelaCarga;

struct CasoOcupaciones {
  std::string nombre;
  bool soloPlantilla;
  std::vector<std::string> sesiones;  // "plantilla ocupacion docente"
  std::vector<std::string> filas;     // CASIG|CPROF|ASIG_ITACA|HORAS|SESIONES|CTAREA
  std::size_t informadas = 0;         // lines of the report
};

void PrintTo(const CasoOcupaciones& c, std::ostream* os) {
  *os << c.nombre;
}

class CargarHorariosOcupacionesCasos : public EscuelaCarga,
                                       public ::testing::WithParamInterface<CasoOcupaciones> {};

TEST_P(CargarHorariosOcupacionesCasos, ReuneLasSesiones) {
  contenidos.clear();  // ASIGT starts empty: only duty rows
  asignomt.push_back({{"COD", "*LAR"}, {"ABREV_ITACA", "OCUPACION-LARGA"}, {"ESTAREA", "T"}});
  for (const std::string& s : GetParam().sesiones) {
    const auto a = s.find(' '), b = s.find(' ', a + 1);
    horariosOcupaciones +=
        SesionOcupacion(s.substr(0, a), s.substr(a + 1, b - a - 1), s.substr(b + 1));
  }
  Escribir();
  Paso(CrearAsignaciones);
  state.soloPlantillaSeleccionada = GetParam().soloPlantilla;
  Paso(CargarHorariosOcupaciones);
  EXPECT_EQ(Resumen(Tabla("ASIGT"), kDuty), GetParam().filas);
  EXPECT_THAT(state.report.omitted, SizeIs(GetParam().informadas));
  EXPECT_EQ(state.report.rows.back(),
            (std::pair<std::string, long>("ASIGT", GetParam().filas.size())));
}

INSTANTIATE_TEST_SUITE_P(
    Reglas, CargarHorariosOcupacionesCasos,
    ::testing::Values(
        // A single duty session is used.
        CasoOcupaciones{"UnaSola", true, {"T1 GU001 111"}, {"*001|P1|GU001|1|1|*001"}},
        CasoOcupaciones{"MismoProfesorYOcupacion",
                        true,
                        {"T1 GU001 111", "T1 RE002 111", "T1 GU001 111", "T1 GU001 111"},
                        {"*001|P1|GU001|3|111|*001", "*002|P1|RE002|1|1|*002"}},
        CasoOcupaciones{"DosProfesores",
                        true,
                        {"T1 GU001 111", "T1 GU001 222", "T1 GU001 222"},
                        {"*001|P1|GU001|1|1|*001", "*001|P2|GU001|2|11|*001"}},
        CasoOcupaciones{"OtraPlantillaNoCuenta",
                        true,
                        {"T2 GU001 111", "T1 GU001 111", "T2 RE002 111"},
                        {"*001|P1|GU001|1|1|*001"}},
        CasoOcupaciones{"TodasLasPlantillasJuntas",
                        false,
                        {"T2 GU001 111", "T1 GU001 111", "T3 GU001 111"},
                        {"*001|P1|GU001|3|111|*001"}},
        // Unknown duties and teachers are counted all the same, and told.
        CasoOcupaciones{
            "OcupacionDesconocida", true, {"T1 ZZ999 111", "T1 ZZ999 111"}, {"|P1|ZZ999|2|11|"}, 2},
        CasoOcupaciones{"ProfesoresDesconocidosJuntos",
                        true,
                        {"T1 GU001 999", "T1 GU001 888", "T1 RE002 999"},
                        {"*001||GU001|2|11|*001", "*002||RE002|1|1|*002"},
                        3},
        // An empty documento is nobody, not the teacher without one (PX).
        CasoOcupaciones{
            "DocenteVacio", true, {"T1 GU001 ", "T1 GU001 "}, {"*001||GU001|2|11|*001"}, 2},
        // A code longer than its field finds the row that holds it cut.
        CasoOcupaciones{"CodigoLargo",
                        true,
                        {"T1 OCUPACION-LARGA 111", "T1 OCUPACION-LARGA 111"},
                        {"*LAR|P1|OCUPACION-|2|11|*LAR"}}),
    [](const ::testing::TestParamInfo<CasoOcupaciones>& info) { return info.param.nombre; });

TEST_F(CargarHorariosOcupacionesTest, SinSesionesNoAbreNadaNiReescribePatrones) {
  horariosGrupo = SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                  SesionGrupo("T1", "1A", "C1", "M1", "111", "101") +
                  SesionGrupo("T1", "1A", "C1", "M1", "111", "101");
  Escribir();
  CargarGrupos();
  const auto antes = Tabla("ASIGT");
  ASSERT_THAT(Resumen(antes, {"HORAS", "SESIONES"}), ElementsAre("3|1111"));
  // Not even opened: a missing table does not matter.
  std::filesystem::remove(TableFile(carpeta.Path(), "ASIGNOMT"));
  Paso(CargarHorariosOcupaciones);
  EXPECT_EQ(Tabla("ASIGT"), antes);
}

TEST_F(CargarHorariosOcupacionesTest, FilaDeOcupacionCompleta) {
  contenidos.clear();
  horariosOcupaciones = SesionOcupacion("T1", " GU001 ", " 222 ");
  Escribir();
  Paso(CrearAsignaciones);
  Paso(CargarHorariosOcupaciones);
  EXPECT_THAT(Tabla("ASIGT"), ElementsAre(Fila{{"CASIG", "*001"},
                                               {"CPROF", "P2"},
                                               {"CGRUP", ""},
                                               {"CAULA", ""},
                                               {"TURNO", ""},
                                               {"NIVEL", ""},
                                               {"CURSO", ""},
                                               {"GRUPO", ""},
                                               {"HORAS", "1"},
                                               {"SESIONES", "1"},
                                               {"NCONEX", ""},
                                               {"CLAVE", ""},
                                               {"CLAVECURSO", ""},
                                               {"CTAREA", "*001"},
                                               {"ASIG_ITACA", "GU001"}}));
}

// Every row gets the pattern of its hours, class rows included.
TEST_F(CargarHorariosOcupacionesTest, ReescribeElPatronDeTodasLasFilas) {
  Escribir();
  auto clase = [](const std::string& grupo, const std::string& horas) {
    return Fila{{"CASIG", "MAT"},   {"CGRUP", grupo},     {"HORAS", horas}, {"SESIONES", "1111"},
                {"CTAREA", "*479"}, {"ASIG_ITACA", "M1"}, {"CPROF", "P1"}};
  };
  EscribirTabla(carpeta.Path(), "ASIGT", CamposAsigt(),
                {clase("G1A", "4"), clase("G1B", "5"), clase("G1C", "15"), clase("G2A", "2")});
  horariosOcupaciones = SesionOcupacion("T1", "GU001", "111");
  CargarDocumento();
  Paso(CargarHorariosOcupaciones);
  EXPECT_THAT(Resumen(Tabla("ASIGT"), {"CGRUP", "SESIONES"}),
              ElementsAre("G1A|1111", "G1B|11111", "G1C|21111111111111", "G2A|11", "|1"));
}

// The search by teacher and duty code finds any row: a class row without a
// teacher whose subject code equals the duty's takes the duty sessions.
TEST_F(CargarHorariosOcupacionesTest, CualquierFilaDelProfesorYCodigoSirve) {
  Escribir();
  EscribirTabla(carpeta.Path(), "ASIGT", CamposAsigt(),
                {Fila{{"CASIG", "MAT"},
                      {"CGRUP", "G1A"},
                      {"HORAS", "2"},
                      {"SESIONES", "1111"},
                      {"CTAREA", "*479"},
                      {"ASIG_ITACA", "GU001"},
                      {"CPROF", "P1"}}});
  horariosOcupaciones = SesionOcupacion("T1", "GU001", "111");
  CargarDocumento();
  Paso(CargarHorariosOcupaciones);
  EXPECT_THAT(Resumen(Tabla("ASIGT"), {"CASIG", "HORAS", "SESIONES"}), ElementsAre("MAT|3|111"));
}

TEST_F(CargarHorariosOcupacionesTest, InformaDondeEstaLaSesion) {
  contenidos.clear();
  horariosOcupaciones = SesionOcupacion("T1", "GU001", "111") + SesionOcupacion("T1", "ZZ", "111") +
                        SesionOcupacion("T1", "GU001", "999");
  Escribir();
  Paso(CrearAsignaciones);
  Paso(CargarHorariosOcupaciones);
  ASSERT_THAT(state.report.omitted, SizeIs(2));
  EXPECT_THAT(state.report.omitted[0],
              HasSubstr("/centro/horarios_ocupaciones/horario_ocupacion[2]"));
  EXPECT_THAT(state.report.omitted[0], HasSubstr("«ZZ»"));
  EXPECT_THAT(state.report.omitted[1],
              HasSubstr("/centro/horarios_ocupaciones/horario_ocupacion[3]"));
  EXPECT_THAT(state.report.omitted[1], HasSubstr("«999»"));
}

}  // namespace
}  // namespace velmora::testing
