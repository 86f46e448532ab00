// CURSOST and GRUPOST through the whole run.
#include "exportar_util.h"

namespace velmora::testing::exportar {
namespace {

const std::string kDosProgramas =
    Coleccion("ensenanzas", "ensenanza", {Ensenanza("ESO", "ESO"), Ensenanza("BAT", "BACH")});

TEST(CrearCursosGrupos, CoursesAreTheNumberedOnesAndThoseWithAParent) {
  Escuela escuela;
  Corrida c;
  Exportar(c, escuela,
           escuela.Escribir(
               Coleccion("plantillas_horario", "plantilla_horario", {Plantilla("P1", " V ")}) +
               kDosProgramas +
               Coleccion("cursos", "curso",
                         {Curso(" C1 ", " 1ESO "), Curso("C0", "ESO"), Curso("C9", ""),
                          Curso("C2", "2B", "", "BAT"), Curso("C3", "Batxillerat", "C0", "XXX"),
                          Curso("C4", "Formació Professional Bàsica", "C0", "BAT")})));
  ASSERT_EQ(c.state.resultCode, 1);

  EXPECT_EQ(Campos(escuela.Xtemp(), "CURSOST"),
            (std::vector<std::string>{"ABREV C 3", "TURNO C 1", "NIVEL C 5", "CURSO C 3",
                                      "CLAVE C 10", "ESTUD C 40"}));
  const auto filas = Filas(escuela.Xtemp(), "CURSOST");
  ASSERT_EQ(filas.size(), 4u);
  EXPECT_EQ(filas[0], (Fila{{"ABREV", "1ES"},
                            {"TURNO", "V"},
                            {"NIVEL", "ESO"},
                            {"CURSO", "1"},
                            {"CLAVE", "C1"},
                            {"ESTUD", "1ESO"}}));
  EXPECT_EQ(filas[1], (Fila{{"ABREV", "2B"},
                            {"TURNO", "V"},
                            {"NIVEL", "BACH"},
                            {"CURSO", "2"},
                            {"CLAVE", "C2"},
                            {"ESTUD", "2B"}}));
  // A course with a parent is taken whatever its abbreviation.
  EXPECT_EQ(filas[2].at("CLAVE"), "C3");
  EXPECT_EQ(filas[2].at("ABREV"), "Bat");
  EXPECT_EQ(filas[2].at("CURSO"), "B");
  EXPECT_EQ(filas[2].at("NIVEL"), "");
  EXPECT_EQ(filas[3].at("ESTUD"), "Formació Professional Bàsica");
  EXPECT_EQ(filas[3].at("TURNO"), "V");
}

TEST(CrearCursosGrupos, GroupsCarryLevelCourseLinkAndTutor) {
  Escuela escuela;
  Corrida c;
  Exportar(
      c, escuela,
      escuela.Escribir(
          Coleccion("docentes", "docente",
                    {Docente("García", "Pérez", "Ana", "11A"), Docente("Mas", "Roig", "Pau", "22B"),
                     Docente("Sin", "Documento", "Uno", "")}) +
          kDosProgramas +
          Coleccion("cursos_grupo", "curso_grupo",
                    {CursoGrupo(" 1A ", " C1 "), CursoGrupo("1A", "C9"), CursoGrupo("2B", "C2")}) +
          Coleccion("grupos", "grupo",
                    {Grupo(" 1A ", " 11A ", "22B", " Mañana ", " ESO "),
                     Grupo("2B", "", "22B", "T", "BAT"), Grupo("3C", "99Z", "", "T", "FP"),
                     Grupo("4D", "", "", "T", "ESO")})));
  ASSERT_EQ(c.state.resultCode, 1);

  EXPECT_EQ(Campos(escuela.Xtemp(), "GRUPOST"),
            (std::vector<std::string>{"ABREV C 10", "TURNO C 1", "NIVEL C 5", "CURSO C 3",
                                      "GRUPO C 2", "CLAVE C 10", "CLAVECURSO C 10", "DESCRIP C 80",
                                      "ENSENANZA C 10", "TUTOR C 10"}));
  const auto filas = Filas(escuela.Xtemp(), "GRUPOST");
  ASSERT_EQ(filas.size(), 4u);
  EXPECT_EQ(filas[0], (Fila{{"ABREV", "1A"},
                            {"TURNO", "M"},
                            {"NIVEL", "ESO"},
                            {"CURSO", "1"},
                            {"GRUPO", "A"},
                            {"CLAVE", "1A"},
                            {"CLAVECURSO", "C1"},
                            {"DESCRIP", "Grupo  1A"},
                            {"ENSENANZA", "ESO"},
                            {"TUTOR", "GPA"}}));
  // Without a first tutor the second decides.
  EXPECT_EQ(filas[1].at("TUTOR"), "MRP");
  EXPECT_EQ(filas[1].at("NIVEL"), "BACH");
  EXPECT_EQ(filas[1].at("CLAVECURSO"), "C2");
  // A key that no teacher has, and no tutor at all: no tutor, even though a
  // teacher has an empty document.
  EXPECT_EQ(filas[2].at("TUTOR"), "");
  EXPECT_EQ(filas[2].at("NIVEL"), "");
  EXPECT_EQ(filas[2].at("CLAVECURSO"), "");
  EXPECT_EQ(filas[3].at("TUTOR"), "");
}

TEST(CrearCursosGrupos, CollectionsOfOneElementAreNotUsed) {
  Escuela escuela;
  Corrida c;
  Exportar(
      c, escuela,
      escuela.Escribir(Coleccion("ensenanzas", "ensenanza", {Ensenanza("ESO", "ESO")}) +
                       Coleccion("cursos", "curso", {Curso("C1", "1ESO"), Curso("C2", "2ESO")}) +
                       Coleccion("cursos_grupo", "curso_grupo", {CursoGrupo("1A", "C1")}) +
                       Coleccion("grupos", "grupo", {Grupo("1A"), Grupo("2A")})));
  ASSERT_EQ(c.state.resultCode, 1);
  EXPECT_EQ(Columna(escuela.Xtemp(), "CURSOST", "NIVEL"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(Columna(escuela.Xtemp(), "GRUPOST", "NIVEL"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(Columna(escuela.Xtemp(), "GRUPOST", "CLAVECURSO"), (std::vector<std::string>{"", ""}));

  Escuela otra;
  Corrida d;
  Exportar(d, otra,
           otra.Escribir(Coleccion("cursos", "curso", {Curso("C1", "1ESO")}) +
                         Coleccion("grupos", "grupo", {Grupo("1A")})));
  ASSERT_EQ(d.state.resultCode, 1);
  EXPECT_TRUE(Filas(otra.Xtemp(), "CURSOST").empty());
  EXPECT_TRUE(Filas(otra.Xtemp(), "GRUPOST").empty());
}

TEST(CrearCursosGrupos, GroupAbbreviationsStayUnique) {
  struct Caso {
    const char* nombre;
    std::vector<std::string> codigos;
    std::vector<std::string> abreviaturas;
  };
  const std::vector<Caso> casos = {
      {"case is ignored, letters keep theirs", {"1a", "1A", "1A"}, {"1a", "1A1", "1A2"}},
      {"a long code is shortened to its first 8 and last 2",
       {"ABCDEFGHIJKL", "1A"},
       {"ABCDEFGHKL", "1A"}},
      {"a shortening that meets an abbreviation takes a counter",
       {"ABCDEFGHIJKL", "ABCDEFGHXYKL", "ABCDEFGHIJKL"},
       {"ABCDEFGHKL", "ABCDEFGH1", "ABCDEFGH2"}},
      {"a ten-character code repeated", {"ABCDEFGHIJ", "ABCDEFGHIJ"}, {"ABCDEFGHIJ", "ABCDEFGHI1"}},
      {"a counter past 9 is shortened, and takes a counter of its own when that meets one",
       {"ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI",
        "ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI"},
       {"ABCDEFGHI", "ABCDEFGHI1", "ABCDEFGHI2", "ABCDEFGHI3", "ABCDEFGHI4", "ABCDEFGHI5",
        "ABCDEFGHI6", "ABCDEFGHI7", "ABCDEFGHI8", "ABCDEFGHI9", "ABCDEFGH10", "ABCDEFGH1"}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    std::vector<Atributos> grupos;
    for (const auto& codigo : caso.codigos) grupos.push_back(Grupo(codigo));
    Escuela escuela;
    Corrida c;
    Exportar(c, escuela, escuela.Escribir(Coleccion("grupos", "grupo", grupos)));
    ASSERT_EQ(c.state.resultCode, 1);
    EXPECT_EQ(Columna(escuela.Xtemp(), "GRUPOST", "ABREV"), caso.abreviaturas);
  }
}

TEST(CrearCursosGrupos, LongCodesAndKeysFindTheirCutRows) {
  Escuela escuela;
  Corrida c;
  Exportar(c, escuela,
           escuela.Escribir(Coleccion("docentes", "docente",
                                      {Docente("García", "Pérez", "Ana", "X-123456789012-A"),
                                       Docente("Mas", "Roig", "Pau", "2")}) +
                            Coleccion("grupos", "grupo",
                                      {Grupo("ABCDEFGHIJKL", "X-123456789012-A"), Grupo("K")})));
  ASSERT_EQ(c.state.resultCode, 1);
  const auto filas = Filas(escuela.Xtemp(), "GRUPOST");
  ASSERT_EQ(filas.size(), 2u);
  EXPECT_EQ(filas[0].at("CLAVE"), "ABCDEFGHIJ");
  EXPECT_EQ(filas[0].at("CURSO"), "A");
  EXPECT_EQ(filas[0].at("GRUPO"), "L");
  // The tutor's document is longer than DNI keeps: the cut row is found.
  EXPECT_EQ(filas[0].at("TUTOR"), "GPA");
  // A one-character code is both course and group.
  EXPECT_EQ(filas[1].at("CURSO"), "K");
  EXPECT_EQ(filas[1].at("GRUPO"), "K");
}

}  // namespace
}  // namespace velmora::testing::exportar
