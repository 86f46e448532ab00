// ASIGNOMT: the subjects (CrearNombresAsignaturas) and then the duties
// (AnadirOcupaciones), through the whole run.
#include <algorithm>

#include "exportar_util.h"

namespace velmora::testing::exportar {
namespace {

const std::string kCursos =
    Coleccion("ensenanzas", "ensenanza", {Ensenanza("ESO", "ESO"), Ensenanza("BAT", "BACH")}) +
    Coleccion("cursos", "curso",
              {Curso("C1", "1ESO"), Curso("C2", "2ESO"), Curso("B1", "1BAT", "", "BAT")});

std::vector<Fila> Asignomt(const std::string& colecciones, const Guion& guion = {}) {
  Escuela escuela;
  Corrida c;
  Exportar(c, escuela, escuela.Escribir(kCursos + colecciones), guion);
  EXPECT_EQ(c.state.resultCode, 1);
  EXPECT_TRUE(c.state.listaCodigos.empty());
  EXPECT_TRUE(c.state.listaNombres.empty());
  return Filas(escuela.Xtemp(), "ASIGNOMT");
}

std::vector<std::string> Valores(const std::vector<Fila>& filas, const std::string& campo) {
  std::vector<std::string> v;
  for (const auto& f : filas) v.push_back(f.at(campo));
  return v;
}

TEST(CrearNombresAsignaturas, SubjectRowsCarryTheirCourse) {
  Escuela escuela;
  Corrida c;
  Exportar(c, escuela,
           escuela.Escribir(kCursos +
                            Coleccion("contenidos", "contenido",
                                      {Contenido(" MAT ", " C1 ", " Matemàtiques ", "Matemáticas"),
                                       Contenido("HIS", "C9", "Història", "Historia")})));
  ASSERT_EQ(c.state.resultCode, 1);
  EXPECT_EQ(Campos(escuela.Xtemp(), "ASIGNOMT"),
            (std::vector<std::string>{"COD C 10", "CODLARGO C 10", "NOMBRE C 80", "MATERIA C 8",
                                      "CODTAREA C 12", "ESTAREA L 1", "DENIVEL C 5", "DECURSO C 3",
                                      "ABREV_ITAC C 10"}));
  const auto filas = Filas(escuela.Xtemp(), "ASIGNOMT");
  ASSERT_EQ(filas.size(), 2u);
  EXPECT_EQ(filas[0], (Fila{{"COD", "MAT"},
                            {"CODLARGO", "M"},
                            {"NOMBRE", "Matemàtiques"},
                            {"MATERIA", ""},
                            {"CODTAREA", ""},
                            {"ESTAREA", "F"},
                            {"DENIVEL", "ESO"},
                            {"DECURSO", "1"},
                            {"ABREV_ITAC", "MAT"}}));
  // A course that CURSOST does not have leaves level and course empty.
  EXPECT_EQ(filas[1].at("DENIVEL"), "");
  EXPECT_EQ(filas[1].at("DECURSO"), "");
}

TEST(CrearNombresAsignaturas, NameByLanguageAndLongCode) {
  const std::string contenidos =
      Coleccion("contenidos", "contenido",
                {Contenido("M1", "C1", "Música", "Música cas"),
                 Contenido("M2", "C1", "Informàtica", "Informática"),
                 Contenido("M3", "C1", "Educació Física", "Educación Física"),
                 Contenido("M4", "C1", "Llengua i Literatura", "Lengua Castellana y Literatura"),
                 Contenido("M5", "C1", "Taller de TIC", "Taller")});
  struct Caso {
    std::string idioma;
    std::vector<std::string> nombres;
    std::vector<std::string> largos;
  };
  const std::vector<Caso> casos = {
      {"VALENCIÁ",
       {"Música", "Informàtica", "Educació Física", "Llengua i Literatura", "Taller de TIC"},
       {"MúSICA", "INFORMàTIC", "EF", "LL", "TT"}},
      {"CASTELLANO",
       {"Música cas", "Informática", "Educación Física", "Lengua Castellana y Literatura",
        "Taller"},
       {"MúSICA CAS", "INFORMáTIC", "EF", "LCL", "TALLER"}},
      // Any other text of the combo gives the Castilian names.
      {"valenciá",
       {"Música cas", "Informática", "Educación Física", "Lengua Castellana y Literatura",
        "Taller"},
       {"MúSICA CAS", "INFORMáTIC", "EF", "LCL", "TALLER"}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.idioma);
    const auto filas = Asignomt(contenidos, {std::nullopt, caso.idioma});
    EXPECT_EQ(Valores(filas, "NOMBRE"), caso.nombres);
    EXPECT_EQ(Valores(filas, "CODLARGO"), caso.largos);
  }
}

TEST(CrearNombresAsignaturas, CodesAndNamesMet) {
  struct Caso {
    const char* nombre;
    std::vector<Atributos> contenidos;
    std::vector<std::string> cod, abrevItaca, denivel, decurso;
  };
  const std::vector<Caso> casos = {
      {"same code and name: one row, course kept while they agree",
       {Contenido("MAT", "C1", "Matemàtiques"), Contenido("MAT", "C2", "Matemàtiques"),
        Contenido("FIS", "C1", "Física"), Contenido("FIS", "C1", "Física"),
        Contenido("BIO", "C1", "Biologia"), Contenido("BIO", "B1", "Biologia")},
       {"MAT", "FIS", "BIO"},
       {"MAT", "FIS", "BIO"},
       {"ESO", "ESO", ""},
       {"", "1", "1"}},
      {"same name, different codes: a row under each",
       {Contenido("MAT1", "C1", "Matemàtiques"), Contenido("MAT2", "C2", "Matemàtiques")},
       {"MAT1", "MAT2"},
       {"MAT1", "MAT2"},
       {"ESO", "ESO"},
       {"1", "2"}},
      {"a long new code is shortened to its first 8 and last 2",
       {Contenido("ABCDEFGHIJKL", "C1", "Nova"), Contenido("X", "C1", "Altra")},
       {"ABCDEFGHKL", "X"},
       {"ABCDEFGHIJ", "X"},
       {"ESO", "ESO"},
       {"1", "1"}},
      {"a long code under a name already met is not shortened",
       {Contenido("A", "C1", "Nova"), Contenido("ABCDEFGHIJKL", "C2", "Nova")},
       {"A", "ABCDEFGHIJ"},
       {"A", "ABCDEFGHIJ"},
       {"ESO", "ESO"},
       {"1", "2"}},
      // A subject under a code already given, with a name of its own, gets a
      // row of its own under a fresh code rather than being lost.
      {"code taken, name new: a row under a fresh code",
       {Contenido("MAT", "C1", "Matemàtiques"), Contenido("MAT", "C2", "Matemàtiques II"),
        Contenido("MAT", "B1", "Matemàtiques III")},
       {"MAT", "MAT1", "MAT2"},
       {"MAT", "MAT", "MAT"},
       {"ESO", "ESO", "BACH"},
       {"1", "2", "1"}},
      {"a shortening that meets a code given: a row under a fresh code",
       {Contenido("ABCDEFGHIJKL", "C1", "Primera"), Contenido("ABCDEFGHXYKL", "C2", "Segona")},
       {"ABCDEFGHKL", "ABCDEFGHK1"},
       {"ABCDEFGHIJ", "ABCDEFGHXY"},
       {"ESO", "ESO"},
       {"1", "2"}},
      {"a single subject is not taken", {Contenido("MAT", "C1", "Matemàtiques")}, {}, {}, {}, {}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    const auto filas = Asignomt(Coleccion("contenidos", "contenido", caso.contenidos));
    EXPECT_EQ(Valores(filas, "COD"), caso.cod);
    EXPECT_EQ(Valores(filas, "ABREV_ITAC"), caso.abrevItaca);
    EXPECT_EQ(Valores(filas, "DENIVEL"), caso.denivel);
    EXPECT_EQ(Valores(filas, "DECURSO"), caso.decurso);
  }
}

TEST(AnadirOcupaciones, DutyRowsFollowTheSubjects) {
  Escuela escuela;
  Corrida c;
  Exportar(
      c, escuela,
      escuela.Escribir(
          kCursos +
          Coleccion("contenidos", "contenido",
                    {Contenido("MAT", "C1", "Matemàtiques"), Contenido("GUA", "C1", "Guàrdia")}) +
          Coleccion(
              "ocupaciones", "ocupacion",
              {Ocupacion(" OC731 ", " Reunió de departament "), Ocupacion("XY731", "Biblioteca"),
               Ocupacion("ZZ731", "Pati"), Ocupacion("12", "Tutoria"), Ocupacion("", "Sense codi"),
               Ocupacion("G1", "Guàrdia"), Ocupacion("B2", "Biblioteca")})));
  ASSERT_EQ(c.state.resultCode, 1);
  const auto filas = Filas(escuela.Xtemp(), "ASIGNOMT");
  ASSERT_EQ(filas.size(), 7u);
  EXPECT_EQ(filas[2], (Fila{{"COD", "*731"},
                            {"CODLARGO", "RD"},
                            {"NOMBRE", "Reunió de departament"},
                            {"MATERIA", ""},
                            {"CODTAREA", "OC731"},
                            {"ESTAREA", "T"},
                            {"DENIVEL", ""},
                            {"DECURSO", ""},
                            {"ABREV_ITAC", "OC731"}}));
  EXPECT_EQ(Valores(filas, "COD"),
            (std::vector<std::string>{"MAT", "GUA", "*731", "*73A", "*73B", "*12", "*"}));
  EXPECT_EQ(Valores(filas, "ESTAREA"),
            (std::vector<std::string>{"F", "F", "T", "T", "T", "T", "T"}));
  // Duties named as a subject or an earlier duty give no row; the report says so.
  ASSERT_EQ(c.state.report.omitted.size(), 2u);
  EXPECT_NE(c.state.report.omitted[0].find("G1"), std::string::npos);
  EXPECT_NE(c.state.report.omitted[1].find("B2"), std::string::npos);
  const auto& rows = c.state.report.rows;
  EXPECT_NE(std::find(rows.begin(), rows.end(), std::pair<std::string, long>("ASIGNOMT", 7)),
            rows.end());
}

TEST(AnadirOcupaciones, ASingleDutyIsNotTaken) {
  const auto filas = Asignomt(Coleccion("ocupaciones", "ocupacion", {Ocupacion("OC1", "Guàrdia")}));
  EXPECT_TRUE(filas.empty());
}

TEST(AnadirOcupaciones, ASubjectUnderAFreshCodeStillBarsItsNameToDuties) {
  const auto filas = Asignomt(
      Coleccion("contenidos", "contenido",
                {Contenido("MAT", "C1", "Matemàtiques"), Contenido("MAT", "C2", "Reforç")}) +
      Coleccion("ocupaciones", "ocupacion",
                {Ocupacion("R1", "Reforç"), Ocupacion("G1", "Guàrdia")}));
  EXPECT_EQ(Valores(filas, "COD"), (std::vector<std::string>{"MAT", "MAT1", "*G1"}));
}

TEST(AnadirOcupaciones, LettersRunOutWithAClearError) {
  // "*73" followed by A and every character after it: 191 codes, and *731 itself.
  std::vector<Atributos> ocupaciones;
  for (int i = 0; i < 193; ++i)
    ocupaciones.push_back(Ocupacion("O" + std::to_string(i) + "731", "D" + std::to_string(i)));
  Escuela escuela;
  Corrida c;
  EXPECT_THROW(
      {
        try {
          Exportar(c, escuela,
                   escuela.Escribir(Coleccion("ocupaciones", "ocupacion", ocupaciones)));
        } catch (const Error& e) {
          EXPECT_NE(std::string(e.what()).find("O192731"), std::string::npos) << e.what();
          throw;
        }
      },
      Error);
  // The hourglass is off again although a step failed.
  ASSERT_FALSE(c.dialogos.hourglass.empty());
  EXPECT_FALSE(c.dialogos.hourglass.back());
  EXPECT_EQ(c.state.resultCode, 0);
  EXPECT_TRUE(c.dialogos.messages.empty());
}

}  // namespace
}  // namespace velmora::testing::exportar
