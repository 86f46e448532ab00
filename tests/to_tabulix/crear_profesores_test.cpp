// PROFT through the whole run.
#include "exportar_util.h"

namespace velmora::testing::exportar {
namespace {

std::string Docentes(const std::vector<Atributos>& docentes) {
  return Coleccion("docentes", "docente", docentes);
}

TEST(CrearProfesores, WritesOneTrimmedRowPerTeacher) {
  Escuela escuela;
  Corrida c;
  Exportar(c, escuela,
           escuela.Escribir(Docentes({
               Docente(" García ", "Pérez", " Ana ", " 12345678A ", "D", " 01/09/2005 ", " ESO "),
               Docente("López", "", "Joan", "87654321B", "P", "02/02/2002", "FP"),
           })));
  ASSERT_EQ(c.state.resultCode, 1);

  EXPECT_EQ(Campos(escuela.Xtemp(), "PROFT"),
            (std::vector<std::string>{"ABREV C 10", "NOMBRE C 80", "DEPART C 40", "DNI C 14",
                                      "X_EMPLEADO C 10", "F_TOMAPOS C 10", "ENSENANZA C 5"}));
  const auto filas = Filas(escuela.Xtemp(), "PROFT");
  ASSERT_EQ(filas.size(), 2u);
  EXPECT_EQ(filas[0], (Fila{{"ABREV", "GPA"},
                            {"NOMBRE", "García Pérez, Ana"},
                            {"DEPART", ""},
                            {"DNI", "12345678A"},
                            {"X_EMPLEADO", ""},
                            {"F_TOMAPOS", "01/09/2005"},
                            {"ENSENANZA", "ESO"}}));
  // An empty second surname leaves its blank before the comma; only "D"
  // teachers carry their date.
  EXPECT_EQ(filas[1].at("NOMBRE"), "López , Joan");
  EXPECT_EQ(filas[1].at("ABREV"), "LJ");
  EXPECT_EQ(filas[1].at("F_TOMAPOS"), "");
}

TEST(CrearProfesores, ASingleTeacherOrNoneGivesAnEmptyTable) {
  for (const std::string& docentes :
       {std::string(), Docentes({Docente("García", "Pérez", "Ana", "1")})}) {
    Escuela escuela;
    Corrida c;
    Exportar(c, escuela, escuela.Escribir(docentes));
    ASSERT_EQ(c.state.resultCode, 1);
    EXPECT_EQ(Campos(escuela.Xtemp(), "PROFT").size(), 7u);
    EXPECT_TRUE(Filas(escuela.Xtemp(), "PROFT").empty());
  }
}

TEST(CrearProfesores, AbbreviationsAreUniqueWithoutRegardToCase) {
  struct Caso {
    const char* nombre;
    std::vector<Atributos> docentes;
    std::vector<std::string> abreviaturas;
  };
  const std::vector<Caso> casos = {
      {"namesakes count from 1",
       {Docente("García", "Pérez", "Ana", "1"), Docente("Gil", "Puig", "Alba", "2"),
        Docente("Gómez", "Pons", "Aitana", "3")},
       {"GPA", "GPA1", "GPA2"}},
      {"small letters keep their case",
       {Docente("García", "Pérez", "Ana", "1"), Docente("gil", "puig", "alba", "2")},
       {"GPA", "gpa1"}},
      {"accented capitals and small letters are one letter",
       {Docente("Ávila", "Pérez", "Ana", "1"), Docente("ávila", "pérez", "ana", "2")},
       {"ÁPA", "ápa1"}},
      {"an empty second surname",
       {Docente("García", "", "Ana", "1"), Docente("Gil", "", "Alba", "2")},
       {"GA", "GA1"}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    Escuela escuela;
    Corrida c;
    Exportar(c, escuela, escuela.Escribir(Docentes(caso.docentes)));
    ASSERT_EQ(c.state.resultCode, 1);
    EXPECT_EQ(Columna(escuela.Xtemp(), "PROFT", "ABREV"), caso.abreviaturas);
  }
}

TEST(CrearProfesores, DateOnlyForTypeDAndLongValuesCutToTheirFields) {
  Escuela escuela;
  Corrida c;
  Exportar(c, escuela,
           escuela.Escribir(Docentes({
               Docente("Mas", "Roig", "Pau", "123456789012345678", "d", "01/09/2005", "ESOBACH"),
               Docente("Mas", "Roig", "Pep", "2", "D", "01/09/2005 09:00", "ESO"),
           })));
  ASSERT_EQ(c.state.resultCode, 1);
  const auto filas = Filas(escuela.Xtemp(), "PROFT");
  ASSERT_EQ(filas.size(), 2u);
  EXPECT_EQ(filas[0].at("F_TOMAPOS"), "");
  EXPECT_EQ(filas[0].at("DNI"), "12345678901234");
  EXPECT_EQ(filas[0].at("ENSENANZA"), "ESOBA");
  EXPECT_EQ(filas[1].at("F_TOMAPOS"), "01/09/2005");
  EXPECT_EQ(filas[1].at("ABREV"), "MRP1");
}

TEST(CrearProfesores, ASecondRunReplacesTheTable) {
  Escuela escuela;
  {
    Corrida c;
    Exportar(c, escuela,
             escuela.Escribir(Docentes({Docente("A", "B", "C", "1"), Docente("D", "E", "F", "2"),
                                        Docente("G", "H", "I", "3")})));
    ASSERT_EQ(c.state.resultCode, 1);
  }
  Corrida c;
  Exportar(c, escuela,
           escuela.Escribir(Docentes({Docente("X", "Y", "Z", "9"), Docente("X", "Y", "Z", "8")}),
                            "otro.xml"));
  ASSERT_EQ(c.state.resultCode, 1);
  EXPECT_EQ(Columna(escuela.Xtemp(), "PROFT", "ABREV"), (std::vector<std::string>{"XYZ", "XYZ1"}));
}

}  // namespace
}  // namespace velmora::testing::exportar
