// velmora-cli exportar, plantillas and tabla, run as a user runs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "cli_exportar_util.h"

namespace velmora::testing::cli_exportar {
namespace {

const char* const kDocumento = R"(<?xml version="1.0" encoding="UTF-8"?>
<centro codigo="46000001" denominacion="IES" curso="2010" version="1">
<plantillas_horario>
  <plantilla_horario codigo="A1" descripcion_val="Matí" descripcion_cas="Mañana" turno="M"/>
  <plantilla_horario codigo="B2" descripcion_val="Vesprada" descripcion_cas="Tarde" turno="T"/>
</plantillas_horario>
<sesiones_horario>
  <sesion_horario plantilla="A1" dia_semana="L" sesion_orden="2" hora_desde="08:55" hora_hasta="09:50"/>
  <sesion_horario plantilla="A1" dia_semana="L" sesion_orden="1" hora_desde="08:00" hora_hasta="08:55"/>
  <sesion_horario plantilla="B2" dia_semana="L" sesion_orden="1" hora_desde="15:00" hora_hasta="15:55"/>
</sesiones_horario>
<docentes>
  <docente apellido1="García" apellido2="Pérez" nombre="Ana" tipo_docente="D" fecha_ingreso="01/09/2005" documento="11A" ensenanza="ESO"/>
  <docente apellido1="Mas" apellido2="Roig" nombre="Pau" tipo_docente="P" documento="22B" ensenanza="ESO"/>
</docentes>
<cursos>
  <curso codigo="C1" abreviatura="1ESO" padre="" ensenanza="ESO"/>
  <curso codigo="C2" abreviatura="2ESO" padre="" ensenanza="ESO"/>
</cursos>
<cursos_grupo><curso_grupo grupo="1A" curso="C1"/><curso_grupo grupo="1B" curso="C1"/></cursos_grupo>
<grupos>
  <grupo codigo="1A" nombre="1r A" turno="M" ensenanza="ESO" tutor_ppal="11A" tutor_sec=""/>
  <grupo codigo="1B" nombre="1r B" turno="M" ensenanza="ESO" tutor_ppal="22B" tutor_sec=""/>
</grupos>
<contenidos>
  <contenido codigo="MAT" curso="C1" nombre_val="Matemàtiques" nombre_cas="Matemáticas"/>
  <contenido codigo="HIS" curso="C1" nombre_val="Història" nombre_cas="Historia"/>
</contenidos>
<ocupaciones>
  <ocupacion codigo="OC1" nombre_val="Guàrdia" nombre_cas="Guardia"/>
  <ocupacion codigo="OC2" nombre_val="Guàrdia" nombre_cas="Guardia"/>
</ocupaciones>
<aulas><aula codigo="A1" nombre="Aula 1"/><aula codigo="A2" nombre="Aula 2"/></aulas>
<horarios_grupo>
  <horario_grupo plantilla="A1" grupo="1A" curso="C1" contenido="MAT" docente="11A" aula="A1"/>
  <horario_grupo plantilla="A1" grupo="1A" curso="C1" contenido="MAT" docente="11A" aula="A1"/>
</horarios_grupo>
</centro>
)";

struct CliExportar : ::testing::Test {
  Carpeta carpeta;
  std::string doc = (carpeta.Path() / "ies.xml").string();
  std::string xtemp = (carpeta.Path() / "XTEMP").string();
  void SetUp() override {
    Escribir(doc, kDocumento);
    std::filesystem::create_directory(xtemp);
  }
  Salida Tabla(const std::string& tabla, bool csv = true) const {
    std::vector<std::string> args{"tabla", xtemp + "/" + tabla + ".DBF"};
    if (csv) args.push_back("--csv");
    return carpeta.Ejecutar(args);
  }
};

TEST_F(CliExportar, ExportarWritesTheTablesAndSaysWhat) {
  const Salida s = carpeta.Ejecutar({"exportar", doc, "--xtemp", xtemp});
  ASSERT_EQ(s.estado, 0) << s.err;
  EXPECT_EQ(s.err, "");
  EXPECT_EQ(
      s.out,
      "Tablas escritas en " + xtemp +
          " (plantilla «A1», nombres en valenciano):\n"
          "PROFT: 1 fila\n"
          "CURSOST: 2 filas\n"
          "GRUPOST: 1 fila\n"
          "ASIGNOMT: 3 filas\n"
          "AULAT: 2 filas\n"
          "ASIGT: 1 fila\n"
          "DIASHORAST: 14 filas\n"
          "Elementos no convertidos (1):\n"
          "  Ocupación «OC2» (/centro/ocupaciones/ocupacion[2]): su nombre «Guàrdia» ya es el de "
          "una materia u ocupación anterior; no tiene fila propia en ASIGNOMT\n")
      << s.out;
}

TEST_F(CliExportar, TemplateAndLanguageOptions) {
  const Salida s = carpeta.Ejecutar(
      {"exportar", doc, "--xtemp=" + xtemp, "--plantilla", "B2", "--idioma", "Castellano"});
  ASSERT_EQ(s.estado, 0) << s.err;
  EXPECT_NE(s.out.find("(plantilla «B2», nombres en castellano)"), std::string::npos) << s.out;
  EXPECT_EQ(Tabla("CURSOST").out,
            "ABREV,TURNO,NIVEL,CURSO,CLAVE,ESTUD\n1ES,T,,1,C1,1ESO\n2ES,T,,2,C2,2ESO\n");
  const std::string dias = Tabla("DIASHORAST").out;
  EXPECT_NE(dias.find("11,,1,Lunes,1,1,15:00,15:55,55,1,B2\n"), std::string::npos) << dias;
  EXPECT_NE(Tabla("ASIGNOMT").out.find(",Matemáticas,"), std::string::npos);
}

TEST_F(CliExportar, QuestionOptions) {
  struct Caso {
    std::vector<std::string> opciones;
    std::string grupos;  // ABREV of GRUPOST
    std::size_t filasAsigt;
  };
  // Only the chosen template: 1A's mathematics is the whole load, and 1B,
  // without classes, goes unless it is kept. All templates: every subject for
  // every group of its course.
  const std::vector<Caso> casos = {
      {{}, "ABREV\n1A\n", 1},
      {{"--conservar-sin-clases"}, "ABREV\n1A\n1B\n", 1},
      {{"--todas-plantillas"}, "ABREV\n1A\n1B\n", 4},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.grupos);
    std::vector<std::string> args{"exportar", doc, "--xtemp", xtemp};
    args.insert(args.end(), caso.opciones.begin(), caso.opciones.end());
    const Salida s = carpeta.Ejecutar(args);
    ASSERT_EQ(s.estado, 0) << s.err;
    const std::string grupos = Tabla("GRUPOST").out;
    std::string abreviaturas;
    for (std::size_t i = 0; i < grupos.size();) {
      const std::size_t fin = grupos.find('\n', i);
      abreviaturas += grupos.substr(i, grupos.find(',', i) - i) + "\n";
      i = fin + 1;
    }
    EXPECT_EQ(abreviaturas, caso.grupos);
    const std::string asigt = Tabla("ASIGT").out;
    EXPECT_EQ(static_cast<std::size_t>(std::count(asigt.begin(), asigt.end(), '\n')),
              caso.filasAsigt + 1)
        << asigt;
  }
}

TEST_F(CliExportar, TheWorkingFolderComesFromTheEnvironment) {
  const std::string wine = (carpeta.Path() / "wine").string();
  std::filesystem::create_directories(wine + "/drive_c/XTEMP");
  struct Caso {
    std::string entorno;
    std::string carpeta;
  };
  const std::vector<Caso> casos = {
      {"VELMORA_XTEMP=" + ShellQuote(xtemp) + " WINEPREFIX=" + ShellQuote(wine), xtemp},
      {"env -u VELMORA_XTEMP WINEPREFIX=" + ShellQuote(wine), wine + "/drive_c/XTEMP"},
      {"env -u VELMORA_XTEMP -u WINEPREFIX HOME=" + ShellQuote(carpeta.Path().string()),
       (carpeta.Path() / ".wine/drive_c/XTEMP").string()},
  };
  std::filesystem::create_directories(carpeta.Path() / ".wine/drive_c/XTEMP");
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.entorno);
    const Salida s = carpeta.Ejecutar({"exportar", doc}, caso.entorno);
    ASSERT_EQ(s.estado, 0) << s.err;
    EXPECT_NE(s.out.find("Tablas escritas en " + caso.carpeta + " "), std::string::npos) << s.out;
    EXPECT_TRUE(std::filesystem::exists(caso.carpeta + "/PROFT.DBF"));
  }
}

TEST_F(CliExportar, FailuresGoToStandardError) {
  struct Caso {
    std::vector<std::string> args;
    int estado;
    std::string err;
  };
  const std::vector<Caso> casos = {
      {{"exportar", "no-existe.xml", "--xtemp", "XTEMP"},
       1,
       "Error: No existe archivo: no-existe.xml\n"},
      {{"exportar", "ies.xml", "--xtemp", "XTEMP", "--plantilla", "ZZ"},
       1,
       "Error: La plantilla horaria «ZZ» no está en el documento «ies.xml» (sus plantillas son: "
       "A1, "
       "B2). No se ha modificado ninguna tabla.\n"},
      {{"exportar", "ies.xml", "--xtemp", "NO-HAY"},
       1,
       "Error: No existe la carpeta de trabajo de Tabulix «NO-HAY»"},
      {{"exportar", "ies.xml", "--idioma", "inglés"}, 2, "Idioma desconocido: inglés"},
      {{"exportar", "ies.xml", "--plantilla"}, 2, "Falta el valor de --plantilla"},
      {{"exportar", "ies.xml", "--otra"}, 2, "Opción desconocida: --otra"},
      {{"exportar"}, 2, "Indique un documento de ITACA."},
      {{"plantillas"}, 2, "Indique un documento de ITACA."},
      {{"tabla", "NO.DBF"}, 1, "Error: "},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.args.back());
    const Salida s = carpeta.Ejecutar(caso.args);
    EXPECT_EQ(s.estado, caso.estado);
    EXPECT_EQ(s.err.rfind(caso.err, 0), 0u) << s.err;
    if (caso.estado == 2) {
      EXPECT_NE(s.err.find("Uso: velmora-cli"), std::string::npos);
    }
  }
  // Nothing was written.
  EXPECT_TRUE(std::filesystem::is_empty(xtemp));
}

// Under a limit on file sizes (ulimit -f) the write that goes beyond it is an
// error like a full disk: the program says which table it could not write
// and puts every table back, rather than dying half-way through them.
TEST_F(CliExportar, AWriteBeyondTheFileSizeLimitIsReportedAndUndone) {
  ASSERT_EQ(carpeta.Ejecutar({"exportar", "ies.xml", "--xtemp", "XTEMP"}).estado, 0);
  // Every entry of the folder with its bytes (a folder left behind as such).
  const auto instantanea = [&] {
    std::vector<std::pair<std::string, std::string>> entradas;
    for (const auto& e : std::filesystem::directory_iterator(xtemp))
      entradas.emplace_back(e.path().filename().string(),
                            e.is_directory() ? "(carpeta)" : Leer(e.path()));
    std::sort(entradas.begin(), entradas.end());
    return entradas;
  };
  const auto antes = instantanea();

  const Salida s =
      carpeta.Ejecutar({"exportar", "ies.xml", "--xtemp", "XTEMP"}, "prlimit --fsize=600");
  EXPECT_EQ(s.estado, 1) << s.err;
  EXPECT_EQ(s.err.rfind("Error: ", 0), 0u) << s.err;
  EXPECT_NE(s.err.find(".DBF"), std::string::npos) << s.err;
  EXPECT_NE(s.err.find("el archivo supera el tamaño máximo permitido"), std::string::npos) << s.err;

  EXPECT_EQ(instantanea(), antes);
}

TEST_F(CliExportar, HelpOfEachCommand) {
  for (const std::string orden : {"exportar", "plantillas", "tabla"}) {
    SCOPED_TRACE(orden);
    const Salida s = carpeta.Ejecutar({orden, "--help"});
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.out.rfind("Uso: velmora-cli " + orden, 0), 0u) << s.out;
  }
}

TEST_F(CliExportar, PlantillasListsEachTemplate) {
  const Salida s = carpeta.Ejecutar({"plantillas", doc});
  ASSERT_EQ(s.estado, 0) << s.err;
  EXPECT_EQ(s.out,
            "Plantilla A1\n"
            "  Descripción (valenciano): Matí\n"
            "  Descripción (castellano): Mañana\n"
            "  Turno: M\n"
            "  Horas del lunes:\n"
            "     1 de 08:00 a 08:55\n"
            "     2 de 08:55 a 09:50\n"
            "Plantilla B2\n"
            "  Descripción (valenciano): Vesprada\n"
            "  Descripción (castellano): Tarde\n"
            "  Turno: T\n"
            "  Horas del lunes:\n"
            "     1 de 15:00 a 15:55\n");
}

TEST_F(CliExportar, TablaShowsFieldsAndRows) {
  ASSERT_EQ(carpeta.Ejecutar({"exportar", doc, "--xtemp", xtemp, "--conservar-sin-clases"}).estado,
            0);
  const Salida s = Tabla("PROFT", false);
  ASSERT_EQ(s.estado, 0) << s.err;
  EXPECT_EQ(s.out,
            xtemp +
                "/PROFT.DBF: 7 campos, 2 filas\n"
                "  ABREV      C  10\n"
                "  NOMBRE     C  80\n"
                "  DEPART     C  40\n"
                "  DNI        C  14\n"
                "  X_EMPLEADO C  10\n"
                "  F_TOMAPOS  C  10\n"
                "  ENSENANZA  C   5\n"
                "\n"
                "ABREV | NOMBRE            | DEPART | DNI | X_EMPLEADO | F_TOMAPOS  | ENSENANZA\n"
                "------+-------------------+--------+-----+------------+------------+----------\n"
                "GPA   | García Pérez, Ana |        | 11A |            | 01/09/2005 | ESO\n"
                "MRP   | Mas Roig, Pau     |        | 22B |            |            | ESO\n");
  EXPECT_EQ(
      Tabla("AULAT").out,
      "ABREV,NOMBRE,EDIFICIO,MAXALUM,DEPCENTRO,ABREV_ITAC\nA1,Aula 1,,,,A1\nA2,Aula 2,,,,A2\n");
}

}  // namespace
}  // namespace velmora::testing::cli_exportar
