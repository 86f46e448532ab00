// AULAT through the whole run.
#include "exportar_util.h"

namespace velmora::testing::exportar {
namespace {

TEST(CrearAulas, WritesOneRowPerRoom) {
  Escuela escuela;
  Corrida c;
  Exportar(c, escuela,
           escuela.Escribir(
               Coleccion("aulas", "aula", {Aula(" A12 ", " Aula 12 "), Aula("", "Laboratorio")})));
  ASSERT_EQ(c.state.resultCode, 1);
  EXPECT_EQ(Campos(escuela.Xtemp(), "AULAT"),
            (std::vector<std::string>{"ABREV C 10", "NOMBRE C 80", "EDIFICIO C 1", "MAXALUM N 11",
                                      "DEPCENTRO C 10", "ABREV_ITAC C 10"}));
  const auto filas = Filas(escuela.Xtemp(), "AULAT");
  ASSERT_EQ(filas.size(), 2u);
  EXPECT_EQ(filas[0], (Fila{{"ABREV", "A12"},
                            {"NOMBRE", "Aula 12"},
                            {"EDIFICIO", ""},
                            {"MAXALUM", ""},
                            {"DEPCENTRO", ""},
                            {"ABREV_ITAC", "A12"}}));
  EXPECT_EQ(filas[1].at("ABREV"), "Labo");
  EXPECT_EQ(filas[1].at("ABREV_ITAC"), "");
}

TEST(CrearAulas, AbbreviationsAreUniqueWithoutRegardToCase) {
  struct Caso {
    const char* nombre;
    std::vector<Atributos> aulas;
    std::vector<std::string> abreviaturas;
    std::vector<std::string> abrevItaca;
  };
  const std::vector<Caso> casos = {
      {"rooms without a code take four letters of their name",
       {Aula("", "Laboratorio"), Aula("", "Laboratori de Física"), Aula("", "Lab")},
       {"Labo", "Labo1", "Lab"},
       {"", "", ""}},
      {"case is ignored, letters keep theirs",
       {Aula("a12", "x"), Aula("A12", "y")},
       {"a12", "A121"},
       {"a12", "A12"}},
      {"accented letters too",
       {Aula("", "Àgora"), Aula("", "àgora petita")},
       {"Àgor", "àgor1"},
       {"", ""}},
      {"a long code takes a counter on its first 8 even when free",
       {Aula("ABCDEFGHIJK", "x"), Aula("ABCDEFGHXYZ", "y")},
       {"ABCDEFGH1", "ABCDEFGH2"},
       {"ABCDEFGHIJ", "ABCDEFGHXY"}},
      {"a ten-character code repeated",
       {Aula("ABCDEFGHIJ", "x"), Aula("ABCDEFGHIJ", "y")},
       {"ABCDEFGHIJ", "ABCDEFGH1"},
       {"ABCDEFGHIJ", "ABCDEFGHIJ"}},
      {"a single room is not taken", {Aula("A1", "x")}, {}, {}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    Escuela escuela;
    Corrida c;
    Exportar(c, escuela, escuela.Escribir(Coleccion("aulas", "aula", caso.aulas)));
    ASSERT_EQ(c.state.resultCode, 1);
    EXPECT_EQ(Columna(escuela.Xtemp(), "AULAT", "ABREV"), caso.abreviaturas);
    EXPECT_EQ(Columna(escuela.Xtemp(), "AULAT", "ABREV_ITAC"), caso.abrevItaca);
  }
}

TEST(CrearAulas, AHundredLongNamesakesStayUniqueInTheField) {
  // From the hundredth on, the counter no longer fits behind eight characters:
  // the base gives up one rather than let the field cut the counter off.
  std::vector<Atributos> aulas;
  for (int i = 0; i < 101; ++i) aulas.push_back(Aula("ABCDEFGHIJK", "Aula"));
  Escuela escuela;
  Corrida c;
  Exportar(c, escuela, escuela.Escribir(Coleccion("aulas", "aula", aulas)));
  ASSERT_EQ(c.state.resultCode, 1);
  const auto abreviaturas = Columna(escuela.Xtemp(), "AULAT", "ABREV");
  ASSERT_EQ(abreviaturas.size(), 101u);
  EXPECT_EQ(abreviaturas[0], "ABCDEFGH1");
  EXPECT_EQ(abreviaturas[98], "ABCDEFGH99");
  EXPECT_EQ(abreviaturas[99], "ABCDEFG100");
  EXPECT_EQ(abreviaturas[100], "ABCDEFG101");
}

}  // namespace
}  // namespace velmora::testing::exportar
