// CrearAsignaciones: the default class rows of ASIGT.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "carga_tablas.h"
#include "to_tabulix/tabla_asigt.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

using CrearAsignacionesTest = EscuelaCarga;

TEST_F(CrearAsignacionesTest, UnaFilaPorAsignaturaYGrupoDeSuCurso) {
  contenidos = Contenido("M1", "C1") + Contenido(" L1 ", " C2 ") + Contenido("M1", "C9");
  Escribir();
  Paso(CrearAsignaciones);

  const auto filas = Tabla("ASIGT");
  // Subjects in document order, each with the groups of its course in GRUPOST order.
  EXPECT_THAT(Resumen(filas, {"CASIG", "CGRUP", "TURNO", "NIVEL", "CURSO", "GRUPO", "CLAVE",
                              "CLAVECURSO", "ASIG_ITACA"}),
              ElementsAre("MAT|G1A|M|ESO|1|A|1A|C1|M1", "MAT|G1B|M|ESO|1|B|1B|C1|M1",
                          "MAT|G1C|T|ESO|1|C|1C|C1|M1", "LEN|G2A|M|BAC|2|A|2A|C2|L1"));
  for (const Fila& f : filas) {
    EXPECT_EQ(f.at("HORAS"), "4");
    EXPECT_EQ(f.at("SESIONES"), "1111");
    EXPECT_EQ(f.at("CTAREA"), "*479");
    EXPECT_EQ(f.at("CPROF"), "");
    EXPECT_EQ(f.at("CAULA"), "");
    EXPECT_EQ(f.at("NCONEX"), "");
  }
  EXPECT_EQ(state.report.rows, (std::vector<std::pair<std::string, long>>{{"ASIGT", 4}}));
}

TEST_F(CrearAsignacionesTest, CreaLosQuinceCamposEnSuOrden) {
  Escribir();
  Paso(CrearAsignaciones);
  Table t(TableFile(carpeta.Path(), "ASIGT"), OpenMode::Shared);
  std::vector<std::string> nombres;
  for (const FieldInfo& f : t.Fields()) nombres.push_back(f.name + ":" + f.type);
  EXPECT_THAT(nombres, ElementsAre("CASIG:C", "CPROF:C", "CGRUP:C", "CAULA:C", "TURNO:C", "NIVEL:C",
                                   "CURSO:C", "GRUPO:C", "HORAS:N", "SESIONES:C", "NCONEX:C",
                                   "CLAVE:C", "CLAVECURSO:C", "CTAREA:C", "ASIG_ITACA:C"));
  ASSERT_EQ(t.Fields().size(), CamposAsigt().size());
  for (std::size_t i = 0; i < t.Fields().size(); ++i) {
    if (CamposAsigt()[i].kind == FieldKind::Text) {
      EXPECT_EQ(t.Fields()[i].length, CamposAsigt()[i].size) << CamposAsigt()[i].name;
    }
  }
  t.Close();
}

TEST_F(CrearAsignacionesTest, SinContenidosOConUnoSoloNoHayFilas) {
  for (const std::string& lista : {std::string(), Contenido("M1", "C1")}) {
    contenidos = lista;
    Escribir();
    Paso(CrearAsignaciones);
    EXPECT_THAT(Tabla("ASIGT"), IsEmpty()) << lista;
  }
}

// The name is looked up in the language of the run only, and only when the
// code finds nothing.
TEST_F(CrearAsignacionesTest, BuscaPorNombreEnElIdiomaElegido) {
  asignomt.push_back({{"COD", "HIS"}, {"NOMBRE", "Historia"}, {"ABREV_ITACA", "H-OTRO"}});
  asignomt.push_back({{"COD", "HIV"}, {"NOMBRE", "Història"}, {"ABREV_ITACA", "H-OTRO2"}});
  // M1 is found by code even though its names point elsewhere.
  contenidos = Contenido("H9", "C2", "Història", " Historia ") +
               Contenido("M1", "C2", "Història", "Historia");
  struct Caso {
    std::string idioma;
    std::vector<std::string> casig;
  };
  for (const Caso& c : {Caso{"CASTELLANO", {"HIS", "MAT"}}, Caso{"VALENCIÁ", {"HIV", "MAT"}},
                        Caso{"castellano", {"MAT"}}, Caso{"INGLÉS", {"MAT"}}}) {
    state.idioma = Cp(c.idioma);
    state.report.Clear();
    Escribir();
    Paso(CrearAsignaciones);
    EXPECT_EQ(Columna(Tabla("ASIGT"), "CASIG"), c.casig) << c.idioma;
  }
}

TEST_F(CrearAsignacionesTest, SoloLeeElNombreDelIdiomaElegido) {
  // Without nombre_val: the Castilian run must not need it.
  contenidos =
      "<contenido codigo=\"H9\" curso=\"C2\" nombre_cas=\"Lengua\"/>\n" + Contenido("M1", "C2");
  state.idioma = "CASTELLANO";
  Escribir();
  Paso(CrearAsignaciones);
  EXPECT_THAT(Columna(Tabla("ASIGT"), "CASIG"), ElementsAre("LEN", "MAT"));

  state.idioma = kValencia;
  EXPECT_THROW(Paso(CrearAsignaciones), Error);
}

TEST_F(CrearAsignacionesTest, AsignaturaDesconocidaNoDaFilasYSeInforma) {
  contenidos = Contenido("M1", "C2") + Contenido("ZZ", "C2", "Nada", "Nada");
  state.idioma = "CASTELLANO";
  Escribir();
  Paso(CrearAsignaciones);
  EXPECT_THAT(Columna(Tabla("ASIGT"), "CASIG"), ElementsAre("MAT"));
  ASSERT_EQ(state.report.omitted.size(), 1u);
  EXPECT_THAT(state.report.omitted[0], HasSubstr("/centro/contenidos/contenido[2]"));
  EXPECT_THAT(state.report.omitted[0], HasSubstr("«ZZ»"));
}

TEST_F(CrearAsignacionesTest, FilaDeASIGNOMTSinCodigoNoCuenta) {
  asignomt.push_back({{"COD", ""}, {"NOMBRE", "Vacía"}, {"ABREV_ITACA", "V1"}});
  contenidos = Contenido("V1", "C2") + Contenido("M1", "C2");
  Escribir();
  Paso(CrearAsignaciones);
  EXPECT_THAT(Columna(Tabla("ASIGT"), "ASIG_ITACA"), ElementsAre("M1"));
}

TEST_F(CrearAsignacionesTest, AsignaturasRepetidasDanFilasRepetidas) {
  contenidos = Contenido("M1", "C2") + Contenido("M1", "C2");
  Escribir();
  Paso(CrearAsignaciones);
  EXPECT_THAT(Resumen(Tabla("ASIGT"), {"CASIG", "CGRUP"}), ElementsAre("MAT|G2A", "MAT|G2A"));
}

// Codes longer than their fields are stored cut and still found by the full code.
TEST_F(CrearAsignacionesTest, CodigosLargosEncuentranSusFilasCortadas) {
  grupost.push_back({{"ABREV", "GL"},
                     {"CURSO", "3"},
                     {"GRUPO", "L"},
                     {"CLAVE", "GRUPO-LARGO"},
                     {"CLAVECURSO", "CURSO-LARGO-3"}});
  asignomt.push_back({{"COD", "LAR"}, {"NOMBRE", "Larga"}, {"ABREV_ITACA", "ASIGNATURA-12"}});
  contenidos = Contenido("ASIGNATURA-12", "CURSO-LARGO-3") + Contenido("M1", "C2");
  Escribir();
  Paso(CrearAsignaciones);
  EXPECT_THAT(Resumen(Tabla("ASIGT"), {"CASIG", "CGRUP", "CLAVE", "CLAVECURSO", "ASIG_ITACA"}),
              ElementsAre("LAR|GL|GRUPO-LARG|CURSO-LARG|ASIGNATURA", "MAT|G2A|2A|C2|M1"));
}

TEST_F(CrearAsignacionesTest, OtraEjecucionReemplazaLaTabla) {
  contenidos = Contenido("M1", "C1") + Contenido("L1", "C1");
  Escribir();
  Paso(CrearAsignaciones);
  ASSERT_EQ(Tabla("ASIGT").size(), 6u);
  contenidos = Contenido("L1", "C2") + Contenido("M1", "C9");
  CargarDocumento();
  Paso(CrearAsignaciones);
  EXPECT_THAT(Resumen(Tabla("ASIGT"), {"CASIG", "CGRUP"}), ElementsAre("LEN|G2A"));
}

}  // namespace
}  // namespace velmora::testing
