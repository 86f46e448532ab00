// The ITACA to Tabulix run: file choice, template choice, the checks made
// before any table is touched, and how the run ends.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "exportar_util.h"
#include "to_tabulix/preguntas.h"

namespace velmora::testing::exportar {
namespace {

const std::string kPlantillas =
    Coleccion("plantillas_horario", "plantilla_horario",
              {Plantilla("A1", "M", "Matí", "Mañana"), Plantilla("B2", "T", "Vesprada", "Tarde")}) +
    Coleccion("sesiones_horario", "sesion_horario",
              {Sesion("A1", "L", "1", "08:00", "08:55"), Sesion("A1", "L", "2", "08:55", "09:50"),
               Sesion("B2", "L", "1", "15:00", "15:55")});

const std::string kEscuela =
    kPlantillas +
    Coleccion("docentes", "docente",
              {Docente("García", "Pérez", "Ana", "11A"), Docente("Mas", "Roig", "Pau", "22B")}) +
    Coleccion("ensenanzas", "ensenanza", {Ensenanza("ESO", "ESO"), Ensenanza("BAT", "BACH")}) +
    Coleccion("cursos", "curso", {Curso("C1", "1ESO"), Curso("C2", "2ESO")}) +
    Coleccion("cursos_grupo", "curso_grupo", {CursoGrupo("1A", "C1"), CursoGrupo("2A", "C2")}) +
    Coleccion("grupos", "grupo", {Grupo("1A", "11A"), Grupo("2A", "22B")}) +
    Coleccion("contenidos", "contenido",
              {Contenido("MAT", "C1", "Matemàtiques", "Matemáticas"),
               Contenido("HIS", "C2", "Història", "Historia")}) +
    Coleccion("ocupaciones", "ocupacion",
              {Ocupacion("OC1", "Guàrdia", "Guardia"), Ocupacion("OC2", "Biblioteca")}) +
    Coleccion("aulas", "aula", {Aula("A1", "Aula 1"), Aula("A2", "Aula 2")});

// Tables of an earlier run, to see that a stopped run leaves them alone.
void TablasAnteriores(const Escuela& escuela) {
  for (const char* t :
       {"PROFT", "CURSOST", "GRUPOST", "ASIGNOMT", "AULAT", "ASIGT", "DIASHORAST"}) {
    Table::Create(TableFile(escuela.Xtemp(), t), {{"VIEJA", FieldKind::Text, 5}});
  }
  EscribirBytes(escuela.Xtemp() / "PROFT.MDX", "index");
}

TEST(BExportarClick, AMissingFileStopsTheRun) {
  struct Caso {
    const char* nombre;
    int modo;
    bool cancelar;
  };
  for (const Caso& caso : {Caso{"run mode 0", 0, false}, Caso{"run mode 2", 2, false},
                           Caso{"cancelled before any file was chosen", 0, true},
                           Caso{"cancelled in run mode 2", 2, true}}) {
    SCOPED_TRACE(caso.nombre);
    Escuela escuela;
    TablasAnteriores(escuela);
    const auto antes = Ficheros(escuela.Xtemp());
    Corrida c;
    c.state.xtemp = escuela.Xtemp();
    c.state.runMode = caso.modo;
    c.dialogos.files.push_back(caso.cancelar ? std::nullopt
                                             : std::optional(escuela.Raiz() / "no-existe.xml"));
    BExportarClick(c.state, c.dialogos);
    EXPECT_EQ(c.dialogos.messages, (std::vector<std::string>{"No existe archivo"}));
    EXPECT_EQ(c.state.resultCode, caso.modo == 2 ? -1 : 0);
    EXPECT_EQ(c.dialogos.closed, caso.modo == 2 ? 1 : 0);
    EXPECT_TRUE(c.state.buttonsEnabled);
    EXPECT_TRUE(c.dialogos.templateTags.empty());
    EXPECT_TRUE(c.dialogos.hourglass.empty());
    EXPECT_EQ(Ficheros(escuela.Xtemp()), antes);
  }
}

TEST(BExportarClick, AFinishedRunTakesTheChoiceAndEnds) {
  for (int modo : {0, 2}) {
    SCOPED_TRACE(modo);
    Escuela escuela;
    Corrida c;
    c.state.runMode = modo;
    Exportar(c, escuela, escuela.Escribir(kEscuela));
    EXPECT_EQ(c.dialogos.templateTags, (std::vector<int>{kTagItacaToTabulix}));
    EXPECT_EQ(c.state.plantilla, "A1");
    EXPECT_EQ(c.state.turno, "M");
    EXPECT_EQ(c.state.horas,
              (std::vector<std::string>{" 1 de 08:00 a 08:55", " 2 de 08:55 a 09:50"}));
    EXPECT_EQ(c.dialogos.hourglass, (std::vector<bool>{true, false}));
    EXPECT_EQ(c.state.resultCode, 1);
    EXPECT_EQ(c.dialogos.messages, (std::vector<std::string>{"Proceso finalizado"}));
    EXPECT_FALSE(c.state.buttonsEnabled);
    EXPECT_EQ(c.dialogos.closed, modo == 2 ? 1 : 0);
    // The old index files go with their tables.
    EXPECT_FALSE(std::filesystem::exists(escuela.Xtemp() / "PROFT.MDX"));
    std::vector<std::string> tablas;
    for (const auto& [tabla, filas] : c.state.report.rows) tablas.push_back(tabla);
    for (const char* t : {"PROFT", "CURSOST", "GRUPOST", "ASIGNOMT", "AULAT", "DIASHORAST"}) {
      EXPECT_NE(std::find(tablas.begin(), tablas.end(), t), tablas.end()) << t;
    }
    EXPECT_EQ(Filas(escuela.Xtemp(), "DIASHORAST").size(), 14u);
  }
}

TEST(BExportarClick, CancellingTheFileDialogKeepsTheLastDocument) {
  Escuela escuela;
  Corrida c;
  c.state.xtemp = escuela.Xtemp();
  c.state.documentPath = escuela.Escribir(kEscuela);
  Preparar(c.dialogos, escuela.Escribir(kEscuela));
  c.dialogos.files.front() = std::nullopt;
  BExportarClick(c.state, c.dialogos);
  EXPECT_EQ(c.state.resultCode, 1);
  EXPECT_EQ(c.state.documentPath, escuela.Raiz() / "ies.xml");
}

TEST(BExportarClick, TheChoosersLanguageBecomesTheMainWindows) {
  Escuela escuela;
  Corrida c;
  c.state.xtemp = escuela.Xtemp();
  c.dialogos.files.push_back(escuela.Escribir(kEscuela));
  c.dialogos.onTemplate = [](const std::filesystem::path& ruta, const std::string& idioma,
                             int tag) {
    EXPECT_EQ(idioma, kValencia);
    return ElegirPlantilla(XmlDocument::Load(ruta), std::string("B2"), kCastellano, tag);
  };
  BExportarClick(c.state, c.dialogos);
  ASSERT_EQ(c.state.resultCode, 1);
  EXPECT_EQ(c.state.idioma, kCastellano);
  EXPECT_EQ(c.state.plantilla, "B2");
  EXPECT_EQ(Columna(escuela.Xtemp(), "CURSOST", "TURNO"), (std::vector<std::string>{"T", "T"}));
  EXPECT_EQ(Columna(escuela.Xtemp(), "ASIGNOMT", "NOMBRE"),
            (std::vector<std::string>{"Matemáticas", "Historia", "Guardia", "Biblioteca"}));
  const auto dias = Filas(escuela.Xtemp(), "DIASHORAST");
  ASSERT_EQ(dias.size(), 7u);
  EXPECT_EQ(dias[0].at("TEXTODIA"), "Lunes");
  EXPECT_EQ(dias[0].at("PLANTILLA"), "B2");
  EXPECT_EQ(dias[0].at("HORADESDE"), "15:00");
}

TEST(BExportarClick, WithoutTemplatesTheMainWindowsChoiceStands) {
  Escuela escuela;
  Corrida c;
  c.state.plantilla = "P9";
  c.state.turno = "T";
  c.state.horas = {" 1 de 08:00 a 08:55"};
  c.state.idioma = kCastellano;
  Exportar(
      c, escuela,
      escuela.Escribir(Coleccion("cursos", "curso", {Curso("C1", "1ESO"), Curso("C2", "2ESO")})));
  ASSERT_EQ(c.state.resultCode, 1);
  EXPECT_TRUE(c.dialogos.templateTags.empty());
  EXPECT_EQ(Columna(escuela.Xtemp(), "CURSOST", "TURNO"), (std::vector<std::string>{"T", "T"}));
  const auto dias = Filas(escuela.Xtemp(), "DIASHORAST");
  ASSERT_EQ(dias.size(), 7u);
  EXPECT_EQ(dias[0].at("PLANTILLA"), "P9");
  EXPECT_EQ(dias[0].at("TEXTODIA"), "Lunes");
}

// Runs that stop before any table is touched: each leaves every file as it was.
TEST(BExportarClick, AStoppedRunTouchesNoTable) {
  struct Caso {
    const char* nombre;
    std::string documento;                 // the whole file
    std::optional<std::string> plantilla;  // typed into the chooser
    std::string mensaje;                   // part of the error
  };
  const std::vector<Caso> casos = {
      {"a template code that the document does not carry", Documento(kEscuela), "ZZ",
       "La plantilla horaria «ZZ» no está en el documento «ies.xml» (sus plantillas son: A1, B2)"},
      {"an empty template code", Documento(kEscuela), "", "La plantilla horaria «» no está"},
      {"a document that is not well-formed",
       "<?xml version=\"1.0\"?>\n<centro><docentes></centro>\n", std::nullopt, "ies.xml"},
      {"an incomplete document",
       Documento(kPlantillas + "<docentes><docente/><docente/></docentes>"), std::nullopt,
       "falta el atributo «apellido1» en /centro/docentes/docente[1]"},
      {"an hours list that does not read",
       Documento(Coleccion("plantillas_horario", "plantilla_horario", {Plantilla("A1")}) +
                 Coleccion("sesiones_horario", "sesion_horario",
                           {Sesion("A1", "L", "1", "8:00", "8:55"),
                            Sesion("A1", "L", "2", "09:00", "09:55")})),
       std::nullopt, "'8:' no es un valor entero válido"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    Escuela escuela;
    TablasAnteriores(escuela);
    const auto antes = Ficheros(escuela.Xtemp());
    const auto doc = escuela.Raiz() / "ies.xml";
    EscribirBytes(doc, caso.documento);
    Corrida c;
    c.state.xtemp = escuela.Xtemp();
    Preparar(c.dialogos, doc, {caso.plantilla, std::nullopt});
    try {
      BExportarClick(c.state, c.dialogos);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(caso.mensaje), std::string::npos) << e.what();
    }
    EXPECT_EQ(Ficheros(escuela.Xtemp()), antes);
    EXPECT_EQ(c.state.resultCode, 0);
    EXPECT_TRUE(c.state.buttonsEnabled);
    EXPECT_TRUE(c.dialogos.messages.empty());
    if (!c.dialogos.hourglass.empty()) {
      EXPECT_FALSE(c.dialogos.hourglass.back());
    }
  }
}

TEST(BExportarClick, ATableHeldByAnotherProgramStopsTheRunUntilReleased) {
  Escuela escuela;
  TablasAnteriores(escuela);
  const auto antes = Ficheros(escuela.Xtemp());
  const auto doc = escuela.Escribir(kEscuela);
  const int fd = ::open(TableFile(escuela.Xtemp(), "GRUPOST").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  {
    Corrida c;
    try {
      Exportar(c, escuela, doc);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      const std::string m = e.what();
      EXPECT_NE(m.find("la tabla GRUPOST"), std::string::npos) << m;
      EXPECT_NE(m.find("está en uso por otro programa"), std::string::npos) << m;
      EXPECT_EQ(m.find("PROFT"), std::string::npos) << m;
    }
    EXPECT_EQ(Ficheros(escuela.Xtemp()), antes);
    EXPECT_EQ(c.dialogos.hourglass, (std::vector<bool>{true, false}));
  }
  ::close(fd);
  Corrida c;
  Exportar(c, escuela, doc);
  EXPECT_EQ(c.state.resultCode, 1);
  EXPECT_EQ(Columna(escuela.Xtemp(), "GRUPOST", "ABREV"), (std::vector<std::string>{"1A", "2A"}));
}

TEST(BExportarClick, ARunAfterOneThatFailedHalfWayStartsAfresh) {
  // The first run stops inside the duty step, with the codes and names of
  // its subjects and duties still in the shared lists.
  std::vector<Atributos> ocupaciones;
  for (int i = 0; i < 193; ++i) {
    ocupaciones.push_back(Ocupacion("O" + std::to_string(i) + "731", "D" + std::to_string(i)));
  }
  Escuela escuela;
  RunState state;
  state.xtemp = escuela.Xtemp();
  {
    FakeDialogs d;
    Preparar(d, escuela.Escribir(kPlantillas +
                                     Coleccion("contenidos", "contenido",
                                               {Contenido("MAT", "C1", "Matemàtiques"),
                                                Contenido("HIS", "C1", "Història")}) +
                                     Coleccion("ocupaciones", "ocupacion", ocupaciones),
                                 "mal.xml"));
    EXPECT_THROW(BExportarClick(state, d), Error);
    EXPECT_EQ(d.hourglass, (std::vector<bool>{true, false}));
  }
  FakeDialogs d;
  Preparar(d, escuela.Escribir(kEscuela));
  BExportarClick(state, d);
  ASSERT_EQ(state.resultCode, 1);
  EXPECT_EQ(Columna(escuela.Xtemp(), "ASIGNOMT", "COD"),
            (std::vector<std::string>{"MAT", "HIS", "*OC1", "*OC2"}));
  EXPECT_TRUE(state.report.omitted.empty());
}

}  // namespace
}  // namespace velmora::testing::exportar
