// The Tabulix to ITACA run: its dialogs, the checks before anything is
// written, the result document and the end of the run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>
#include <functional>

#include "formats/error.h"
#include "solucion_prueba.h"
#include "support/fake_dialogs.h"
#include "to_itaca/importar.h"
#include "to_itaca/resultado.h"
#include "to_tabulix/run_state.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string kAviso =
    "Deberá Abrir el fichero XML de ITACA,\r\ndesde el cual realizó la Importación a Tabulix";
const std::string kNoExiste = "No existe archivo XML o Solución.";
const std::string kFinalizado = "Proceso finalizado";

std::string Fuente(const std::string& declaracion = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                   const std::string& raiz =
                       "<centro codigo=\" 46000001 \" denominacion=\" IES Velmora \" "
                       "curso=\" 2023 \" version=\" 1.4 \" fecha_exportacion=\"01/09/2023\">") {
  return declaracion + "\n<!-- Exportación de ITACA -->\n" + raiz +
         R"(
  <plantillas_horario>
    <plantilla_horario codigo="P1" descripcion_val="Matí" descripcion_cas="Mañana" turno="M"/>
    <plantilla_horario codigo="P2" descripcion_val="Vesprada" descripcion_cas="Tarde" turno="T"/>
  </plantillas_horario>
  <sesiones_horario>
    <sesion_horario plantilla="P1" dia_semana="L" sesion_orden="1" hora_desde="08:00" hora_hasta="08:55"/>
    <sesion_horario plantilla="P1" dia_semana="L" sesion_orden="2" hora_desde="08:55" hora_hasta="09:50"/>
    <sesion_horario plantilla="P1" dia_semana="L" sesion_orden="5" hora_desde="11:00" hora_hasta="11:55"/>
    <sesion_horario plantilla="P2" dia_semana="L" sesion_orden="8" hora_desde="15:00" hora_hasta="15:55"/>
  </sesiones_horario>
  <docentes>
    <docente documento="11111111A" nombre="Juan" apellido1="Pérez" apellido2="" tipo_docente="D" fecha_ingreso="01/09/2000" ensenanza="E9"/>
  </docentes>
</centro>
<!-- fin -->
)";
}

// Local 05/03/2024 09:07:02, whatever the time zone.
std::time_t MomentoFijo() {
  std::tm t{};
  t.tm_year = 2024 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_hour = 9;
  t.tm_min = 7;
  t.tm_sec = 2;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

class ImportarTest : public ::testing::Test {
 public:  // the tables of cases prepare the fixture through lambdas
  void SetUp() override {
    std::filesystem::create_directory(xtemp());
    std::filesystem::create_directory(datos());
    CrearTablasConsulta(xtemp());
    CrearTabla(xtemp(), "CURSOST", {{"CLAVE", FieldKind::Text, 10}}, {{"C1"}});
    CrearTabla(xtemp(), "ASIGT", {{"CASIG", FieldKind::Text, 10}}, {{"MAT"}});
    CrearTabla(xtemp(), "SOLUC", kCamposSoluc,
               {{"1A", "MAT", "*479", "JPG", "A101", "3", "2"},
                {"", "GUA", "GUA", "JPG", "", "5", "3"},
                {"1A", "MAT", "*479", "JPG", "A101", "0", "0"},
                {"9Z", "MAT", "*479", "JPG", "A101", "1", "1"}});
    EscribirBytes(fuente(), Fuente());

    state.xtemp = xtemp();
    state.clock = MomentoFijo;
    dialogs.files.push_back(fuente());
    dialogs.templateChoice = {
        "P1",
        "M",
        kValencia,
        {" 1 de 08:00 a 08:55", " 2 de 08:55 a 09:50", " 5 de 11:00 a 11:55"}};
  }

  std::filesystem::path xtemp() const { return carpeta / "XTEMP"; }
  std::filesystem::path datos() const { return carpeta / "datos"; }
  std::filesystem::path fuente() const { return datos() / "centro.xml"; }
  std::filesystem::path resultado() const { return datos() / "ResultadoTabulixcentro.xml"; }

  pugi::xml_node Resultado() {
    const auto r = leido.load_file(
        resultado().c_str(), pugi::parse_default | pugi::parse_declaration | pugi::parse_comments);
    EXPECT_TRUE(r) << r.description();
    return leido.document_element();
  }

  CarpetaPrueba carpeta;
  RunState state;
  FakeDialogs dialogs;
  pugi::xml_document leido;
};

TEST_F(ImportarTest, EscribeElResultadoJuntoALaFuente) {
  BImportarClick(state, dialogs);

  EXPECT_THAT(dialogs.messages, ElementsAre(kAviso, kFinalizado));
  EXPECT_THAT(dialogs.templateTags, ElementsAre(kTagTabulixToItaca));
  EXPECT_THAT(dialogs.yearsShown, ElementsAre("2023"));  // the source's, trimmed
  EXPECT_THAT(dialogs.hourglass, ElementsAre(true, false));
  EXPECT_EQ(dialogs.closed, 0);
  EXPECT_EQ(state.resultCode, 1);
  EXPECT_FALSE(state.buttonsEnabled);
  EXPECT_EQ(state.documentPath, fuente());
  EXPECT_EQ(state.plantilla, "P1");
  EXPECT_EQ(state.cursoDestino, "2023");

  // Worked out by hand from the tables of SetUp.
  const pugi::xml_node raiz = Resultado();
  EXPECT_EQ(AtributosDe(raiz), (Atributos{{"codigo", "46000001"},
                                          {"denominacion", "IES Velmora"},
                                          {"curso", "2023"},
                                          {"fecha_exportacion", "05/03/2024 09:07:02"},
                                          {"version", "1.4"}}));
  std::vector<std::string> hijos;
  for (const auto& h : raiz.children()) hijos.push_back(h.name());
  EXPECT_THAT(hijos, ElementsAre("horarios_grupo", "horarios_ocupaciones"));
  EXPECT_THAT(Elementos(raiz.child("horarios_grupo")),
              ElementsAre(SesionGrupo("X", "2", "08:55", "09:50", "G1A", "E1", "C1", "MAT1",
                                      "11111111A", "101")));
  EXPECT_THAT(Elementos(raiz.child("horarios_ocupaciones")),
              ElementsAre(SesionOcupacion("V", "5", "11:00", "11:55", "11111111A", "E9", "GUARD")));

  // The declaration and the comments stay where they were; the new root comes last.
  std::vector<std::string> nivelSuperior;
  for (const auto& n : leido.children()) {
    nivelSuperior.push_back(n.type() == pugi::node_declaration ? "declaración"
                            : n.type() == pugi::node_comment
                                ? std::string("comentario:") + n.value()
                                : n.name());
  }
  EXPECT_THAT(nivelSuperior, ElementsAre("declaración", "comentario: Exportación de ITACA ",
                                         "comentario: fin ", "centro"));

  const Report& r = state.report;
  EXPECT_THAT(r.rows, ElementsAre(std::pair<std::string, long>{"DIASHORAST", 21},
                                  std::pair<std::string, long>{"horarios_grupo", 1},
                                  std::pair<std::string, long>{"horarios_ocupaciones", 1}));
  EXPECT_THAT(r.omitted,
              ElementsAre("SOLUC fila 4, sesión de grupo: CODGRUPO «9Z» no está en GRUPOST"));
  EXPECT_EQ(r.unplaced, 1);

  // DIASHORAST now holds the chosen template's slots.
  Table tramos(TableFile(xtemp(), "DIASHORAST"), OpenMode::Shared);
  EXPECT_EQ(tramos.RecordCount(), 21);
  ASSERT_TRUE(tramos.Locate("HORA", "3"));
  EXPECT_EQ(tramos.AsString("PLANTILLA"), "P1");
  EXPECT_EQ(tramos.AsInteger("SESION_ORDEN"), 5);
}

TEST_F(ImportarTest, ElResultadoEsXmlBienFormado) {
  BImportarClick(state, dialogs);
  ASSERT_TRUE(std::filesystem::exists(resultado()));
  const std::string orden = "xmllint --noout '" + resultado().string() + "' 2>&1";
  EXPECT_EQ(std::system(orden.c_str()), 0);
}

TEST_F(ImportarTest, GuardaEnLaCodificacionDeclarada) {
  EscribirBytes(fuente(), Cp(Fuente("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",
                                    "<centro codigo=\"1\" denominacion=\"IES Ñora\" curso=\"2023\" "
                                    "version=\"1\">")));
  BImportarClick(state, dialogs);
  const std::string bytes = LeerBytes(resultado());
  EXPECT_THAT(bytes, HasSubstr("encoding=\"ISO-8859-1\""));
  EXPECT_THAT(bytes, HasSubstr("IES \xD1ora"));
  const std::string orden = "xmllint --noout '" + resultado().string() + "' 2>&1";
  EXPECT_EQ(std::system(orden.c_str()), 0);
}

TEST_F(ImportarTest, ElCursoElegidoVaALaRaizYLasSesionesConservanElSuyo) {
  dialogs.years.push_back("2012");
  BImportarClick(state, dialogs);
  const pugi::xml_node raiz = Resultado();
  EXPECT_STREQ(raiz.attribute("curso").value(), "2012");
  EXPECT_STREQ(raiz.child("horarios_grupo").first_child().attribute("curso").value(), "C1");
  EXPECT_EQ(state.cursoDestino, "2012");
}

TEST_F(ImportarTest, EnModo2CierraLaVentanaAlTerminar) {
  state.runMode = 2;
  BImportarClick(state, dialogs);
  EXPECT_EQ(state.resultCode, 1);
  EXPECT_EQ(dialogs.closed, 1);
}

TEST_F(ImportarTest, SinFilasColocadasDaLaRaizYDosColeccionesVacias) {
  CrearTabla(xtemp(), "SOLUC", kCamposSoluc, {{"1A", "MAT", "*479", "JPG", "A101", "0", "0"}});
  BImportarClick(state, dialogs);
  const pugi::xml_node raiz = Resultado();
  EXPECT_EQ(AtributosDe(raiz).size(), 5u);
  EXPECT_TRUE(raiz.child("horarios_grupo"));
  EXPECT_FALSE(raiz.child("horarios_grupo").first_child());
  EXPECT_TRUE(raiz.child("horarios_ocupaciones"));
  EXPECT_FALSE(raiz.child("horarios_ocupaciones").first_child());
  EXPECT_EQ(state.resultCode, 1);
}

// Cancelling the open dialog uses the path kept from an earlier choice.
TEST_F(ImportarTest, AlCancelarUsaLaRutaGuardada) {
  dialogs.files.clear();
  state.documentPath = fuente();
  BImportarClick(state, dialogs);
  EXPECT_EQ(state.resultCode, 1);
  EXPECT_TRUE(std::filesystem::exists(resultado()));
}

TEST_F(ImportarTest, UnSegundoResultadoSobrescribeElPrimero) {
  EscribirBytes(resultado(), "anterior");
  BImportarClick(state, dialogs);
  EXPECT_EQ(state.resultCode, 1);
  EXPECT_THAT(LeerBytes(resultado()), HasSubstr("horarios_grupo"));
}

TEST_F(ImportarTest, SinDocumentoOSinSolucionAvisaYNoHaceNada) {
  struct Caso {
    std::string nombre;
    std::function<void(ImportarTest&)> preparar;
  };
  const std::vector<Caso> casos = {
      {"cancelado sin ruta guardada", [](ImportarTest& t) { t.dialogs.files = {std::nullopt}; }},
      {"documento inexistente",
       [](ImportarTest& t) { t.dialogs.files = {t.datos() / "otro.xml"}; }},
      {"sin SOLUC", [](ImportarTest& t) { DeleteTableFiles(t.xtemp(), "SOLUC"); }},
  };
  for (const Caso& c : casos) {
    for (int modo : {0, 2}) {
      SCOPED_TRACE(c.nombre + ", modo " + std::to_string(modo));
      RunState s;
      s.xtemp = xtemp();
      s.runMode = modo;
      FakeDialogs d;
      d.files.push_back(fuente());
      dialogs = d;
      c.preparar(*this);
      const std::string antes = LeerBytes(TableFile(xtemp(), "DIASHORAST"));
      BImportarClick(s, dialogs);
      EXPECT_THAT(dialogs.messages, ElementsAre(kAviso, kNoExiste));
      EXPECT_THAT(dialogs.templateTags, IsEmpty());
      EXPECT_EQ(s.resultCode, modo == 2 ? -1 : 0);
      EXPECT_EQ(dialogs.closed, modo == 2 ? 1 : 0);
      EXPECT_TRUE(s.buttonsEnabled);
      EXPECT_FALSE(std::filesystem::exists(resultado()));
      EXPECT_EQ(LeerBytes(TableFile(xtemp(), "DIASHORAST")), antes);
    }
  }
}

// SOLUC is found whatever the capitals of its file name.
TEST_F(ImportarTest, EncuentraSolucEnMinusculas) {
  std::filesystem::rename(TableFile(xtemp(), "SOLUC"), xtemp() / "soluc.dbf");
  BImportarClick(state, dialogs);
  EXPECT_EQ(state.resultCode, 1);
  EXPECT_THAT(Elementos(Resultado().child("horarios_grupo")), ::testing::SizeIs(1));
}

// Bad input stops the run with a clear message before anything is written:
// DIASHORAST keeps the slots Tabulix solved against, an earlier result stays.
TEST_F(ImportarTest, EntradaIncorrectaNoEscribeNada) {
  struct Caso {
    std::string nombre;
    std::function<void(ImportarTest&)> preparar;
    std::string mensaje;  // a part of the error's message
  };
  auto fuenteCon = [](std::string raiz) {
    return [raiz](ImportarTest& t) {
      EscribirBytes(t.fuente(), Fuente("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", raiz));
    };
  };
  auto plantilla = [](std::string codigo) {
    return [codigo](ImportarTest& t) { t.dialogs.templateChoice.codigo = codigo; };
  };
  const std::vector<Caso> casos = {
      {"no bien formado",
       [](ImportarTest& t) {
         EscribirBytes(t.fuente(), "<centro codigo=\"1\"><docentes></centro>");
       },
       "no es un XML bien formado"},
      {"raíz que no es centro",
       [](ImportarTest& t) { EscribirBytes(t.fuente(), "<escuela codigo=\"1\"/>"); }, "escuela"},
      {"sin codigo", fuenteCon("<centro denominacion=\"D\" curso=\"2023\" version=\"1\">"),
       "«codigo»"},
      {"sin denominacion", fuenteCon("<centro codigo=\"1\" curso=\"2023\" version=\"1\">"),
       "«denominacion»"},
      {"sin curso", fuenteCon("<centro codigo=\"1\" denominacion=\"D\" version=\"1\">"), "«curso»"},
      {"sin version", fuenteCon("<centro codigo=\"1\" denominacion=\"D\" curso=\"2023\">"),
       "«version»"},
      {"plantilla que el documento no tiene", plantilla("P9"), "«P9»"},
      {"plantilla vacía", plantilla(""), "ninguna plantilla"},
      {"plantilla en minúsculas", plantilla("p1"), "«p1»"},
      {"documento sin plantillas",
       [](ImportarTest& t) {
         EscribirBytes(t.fuente(),
                       "<centro codigo=\"1\" denominacion=\"D\" curso=\"2023\" "
                       "version=\"1\"/>");
       },
       "no tiene plantillas"},
      {"falta GRUPOST", [](ImportarTest& t) { DeleteTableFiles(t.xtemp(), "GRUPOST"); }, "GRUPOST"},
      {"falta ASIGT", [](ImportarTest& t) { DeleteTableFiles(t.xtemp(), "ASIGT"); }, "ASIGT"},
      {"SOLUC sin AULA",
       [](ImportarTest& t) {
         std::vector<FieldDef> campos(kCamposSoluc.begin(), kCamposSoluc.end() - 3);
         campos.push_back(kCamposSoluc[5]);
         campos.push_back(kCamposSoluc[6]);
         CrearTabla(t.xtemp(), "SOLUC", campos, {{"1A", "MAT", "*479", "JPG", "3", "2"}});
       },
       "«AULA»"},
      {"GRUPOST sin CLAVECURSO",
       [](ImportarTest& t) {
         CrearTabla(t.xtemp(), "GRUPOST",
                    {{"ABREV", FieldKind::Text, 10},
                     {"CLAVE", FieldKind::Text, 10},
                     {"ENSENANZA", FieldKind::Text, 10}},
                    {{"1A", "G1A", "E1"}});
       },
       "«CLAVECURSO»"},
      {"DIA que no es un número",
       [](ImportarTest& t) {
         std::vector<FieldDef> campos = kCamposSoluc;
         campos[5] = {"DIA", FieldKind::Text, 4};
         CrearTabla(t.xtemp(), "SOLUC", campos,
                    {{"1A", "MAT", "*479", "JPG", "A101", "3", "2"},
                     {"1A", "MAT", "*479", "JPG", "A101", "lun", "2"}});
       },
       "«lun»"},
      {"HORA que no es un número",
       [](ImportarTest& t) {
         std::vector<FieldDef> campos = kCamposSoluc;
         campos[6] = {"HORA", FieldKind::Text, 6};
         CrearTabla(t.xtemp(), "SOLUC", campos, {{"", "GUA", "GUA", "JPG", "", "3", "2ª"}});
       },
       "«2ª»"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    SetUp();  // a fresh school for every case
    EscribirBytes(resultado(), "resultado anterior");
    state = RunState{};
    state.xtemp = xtemp();
    state.runMode = 2;
    dialogs = FakeDialogs{};
    dialogs.files.push_back(fuente());
    dialogs.templateChoice = {"P1", "M", kValencia, {" 1 de 08:00 a 08:55"}};
    c.preparar(*this);
    const std::string tramos = LeerBytes(TableFile(xtemp(), "DIASHORAST"));

    try {
      BImportarClick(state, dialogs);
      ADD_FAILURE() << "sin error";
    } catch (const Error& e) {
      EXPECT_THAT(e.what(), HasSubstr(c.mensaje));
    }
    EXPECT_EQ(LeerBytes(TableFile(xtemp(), "DIASHORAST")), tramos);
    EXPECT_EQ(LeerBytes(resultado()), "resultado anterior");
    EXPECT_EQ(state.resultCode, 0);
    EXPECT_TRUE(state.buttonsEnabled);
    EXPECT_EQ(dialogs.closed, 0);  // in run mode 2 the window stays open
    EXPECT_THAT(dialogs.messages, ElementsAre(kAviso));
    // The hourglass never stays on.
    if (!dialogs.hourglass.empty()) {
      EXPECT_FALSE(dialogs.hourglass.back());
    }
  }
}

TEST_F(ImportarTest, UnaTablaEnUsoPorOtroProgramaDetieneLaCorrida) {
  for (const char* tabla : {"SOLUC", "PROFT", "DIASHORAST", "ASIGT"}) {
    SCOPED_TRACE(tabla);
    RunState s;
    s.xtemp = xtemp();
    FakeDialogs d;
    d.files.push_back(fuente());
    d.templateChoice = dialogs.templateChoice;
    const std::string tramos = LeerBytes(TableFile(xtemp(), "DIASHORAST"));
    {
      Table ocupada(TableFile(xtemp(), tabla), OpenMode::Exclusive);
      try {
        BImportarClick(s, d);
        ADD_FAILURE() << "sin error";
      } catch (const Error& e) {
        EXPECT_THAT(e.what(), HasSubstr("en uso por otro programa"));
        EXPECT_THAT(e.what(), HasSubstr(tabla));
      }
    }
    EXPECT_EQ(LeerBytes(TableFile(xtemp(), "DIASHORAST")), tramos);
    EXPECT_FALSE(std::filesystem::exists(resultado()));
  }
}

TEST(ResultadoTest, RutaJuntoALaFuente) {
  EXPECT_EQ(RutaResultado("/datos/ies.xml"),
            std::filesystem::path("/datos/ResultadoTabulixies.xml"));
  EXPECT_EQ(RutaResultado("/datos/Centro 46.XML"),
            std::filesystem::path("/datos/ResultadoTabulixCentro 46.XML"));
  EXPECT_EQ(RutaResultado("ies.xml"), std::filesystem::path("ResultadoTabulixies.xml"));
}

TEST(ResultadoTest, FechaConDosCifrasPorCampo) {
  EXPECT_EQ(FechaExportacion(MomentoFijo()), "05/03/2024 09:07:02");
  std::tm t{};
  t.tm_year = 2023 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 31;
  t.tm_hour = 23;
  t.tm_min = 59;
  t.tm_sec = 58;
  t.tm_isdst = -1;
  EXPECT_EQ(FechaExportacion(std::mktime(&t)), "31/12/2023 23:59:58");
}

}  // namespace
}  // namespace velmora::testing
