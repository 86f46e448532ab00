// A SOLUC written by another program, as Tabulix's own may be: its own field
// order, extra fields (a memo among them), HORA with decimals, deleted rows
// that were never packed, a file name in small letters.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "solucion_prueba.h"
#include "support/fake_dialogs.h"
#include "support/shell_quote.h"
#include "to_itaca/importar.h"
#include "to_tabulix/run_state.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;

std::string Python() {
  return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

bool Funciona(const std::string& orden) {
  return std::system((orden + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Citado(const std::filesystem::path& p) {
  return ShellQuote(p.string());
}

struct Escritor {
  std::string nombre;
  std::string prueba;  // a command that succeeds when the program is there
  std::function<std::string(const std::filesystem::path& xtemp)> orden;
  long sinColocar;
  std::string omitida;  // the row left out, named by its record number
};

const std::vector<Escritor>& Escritores() {
  static const std::vector<Escritor> escritores = {
      {"python3-dbf", Python() + " -c 'import dbf'",
       [](const std::filesystem::path& xtemp) {
         return Python() + " " +
                Citado(std::filesystem::path(VELMORA_FIXTURES) / "to_itaca" /
                       "soluc_python_dbf.py") +
                " " + Citado(xtemp);
       },
       1,
       // Rows 2 and 5 are deleted, and the record numbers count them.
       "SOLUC fila 7, sesión de grupo: CODGRUPO «9Z» no está en GRUPOST"},
      {"ogr2ogr", "ogr2ogr --version",
       [](const std::filesystem::path& xtemp) {
         // The same rows as a CSV, with the field types beside it.
         EscribirBytes(xtemp / "solucion.csv",
                       "CODGRUPO,ASIG,TAREA,PROF,AULA,DIA,HORA,COMENTARIO\n"
                       "1A,MAT,*479,JPG,A101,3,2,primera\n"
                       ",GUA,GUA,JPG,,5,3,\n"
                       "1A,MAT,*479,XYZ,AÑ,2,1,eñe\n"
                       "1A,MAT,*479,JPG,A101,,,sin colocar\n"
                       "9Z,MAT,*479,JPG,A101,1,2,\n");
         EscribirBytes(xtemp / "solucion.csvt",
                       "\"String(10)\",\"String(10)\",\"String(10)\",\"String(10)\","
                       "\"String(10)\",\"Integer(2)\",\"Real(6.2)\",\"String(40)\"\n");
         return "ogr2ogr -f 'ESRI Shapefile' -lco ENCODING=CP1252 " + Citado(xtemp / "soluc.dbf") +
                " " + Citado(xtemp / "solucion.csv");
       },
       1, "SOLUC fila 5, sesión de grupo: CODGRUPO «9Z» no está en GRUPOST"},
  };
  return escritores;
}

TEST(SolucDeOtroProgramaTest, SeLeeComoLaDeTabulix) {
  for (const Escritor& e : Escritores()) {
    SCOPED_TRACE(e.nombre);
    if (!Funciona(e.prueba)) {
      ADD_FAILURE() << e.nombre << " no está instalado (scripts/install-deps lo instala)";
      continue;
    }
    CarpetaPrueba carpeta;
    const auto xtemp = carpeta / "XTEMP";
    std::filesystem::create_directory(xtemp);
    CrearTablasConsulta(xtemp);
    CrearTabla(xtemp, "CURSOST", {{"CLAVE", FieldKind::Text, 10}}, {{"C1"}});
    CrearTabla(xtemp, "ASIGT", {{"CASIG", FieldKind::Text, 10}}, {{"MAT"}});
    ASSERT_EQ(std::system(e.orden(xtemp).c_str()), 0);
    const auto fuente = carpeta / "centro.xml";
    EscribirBytes(fuente,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<centro codigo=\"1\" denominacion=\"D\" curso=\"2023\" version=\"1\">"
                  "<plantillas_horario><plantilla_horario codigo=\"P1\"/></plantillas_horario>"
                  "</centro>\n");

    RunState state;
    state.xtemp = xtemp;
    FakeDialogs dialogs;
    dialogs.files.push_back(fuente);
    dialogs.templateChoice = {
        "P1",
        "M",
        kValencia,
        {" 1 de 08:00 a 08:55", " 2 de 08:55 a 09:50", " 5 de 11:00 a 11:55"}};
    BImportarClick(state, dialogs);
    ASSERT_EQ(state.resultCode, 1);

    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file((carpeta / "ResultadoTabulixcentro.xml").c_str()));
    const auto raiz = doc.document_element();
    EXPECT_THAT(
        Elementos(raiz.child("horarios_grupo")),
        ElementsAre(
            SesionGrupo("X", "2", "08:55", "09:50", "G1A", "E1", "C1", "MAT1", "11111111A", "101"),
            SesionGrupo("M", "1", "08:00", "08:55", "G1A", "E1", "C1", "MAT1", "", "AÑ1")));
    EXPECT_THAT(
        Elementos(raiz.child("horarios_ocupaciones")),
        ElementsAre(SesionOcupacion("V", "5", "11:00", "11:55", "11111111A", "E9", "GUARD")));
    EXPECT_THAT(state.report.omitted, ElementsAre(e.omitida));
    EXPECT_EQ(state.report.unplaced, e.sinColocar);
  }
}

}  // namespace
}  // namespace velmora::testing
