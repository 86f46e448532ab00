// The two passes over SOLUC: which rows become group or duty sessions, what
// each lookup failure does, the day letters and the slots.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "solucion_prueba.h"
#include "to_itaca/codigos_fuente.h"
#include "to_itaca/exportar_horarios.h"
#include "to_itaca/fila_solucion.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class PasadasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CrearTablasConsulta(carpeta.Path());
    Fuente("");
  }

  // The source document, with the given collections under its root.
  void Fuente(const std::string& colecciones) {
    EscribirBytes(carpeta / "fuente.xml",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<centro codigo=\"1\" denominacion=\"D\" curso=\"2023\" version=\"1\">" +
                      colecciones + "</centro>\n");
  }

  // Runs both passes over SOLUC and reads the result back.
  void Pasadas(const std::vector<FieldDef>& campos, const std::vector<FilaSoluc>& filas) {
    CrearTabla(carpeta.Path(), "SOLUC", campos, filas);
    XmlDocument doc = XmlDocument::Load(carpeta / "fuente.xml");
    const CodigosFuente codigos = CodigosFuente::Leer(doc);
    XmlOut raiz = doc.ReplaceRoot("centro");
    auto abrir = [&](const char* t) {
      return Table(TableFile(carpeta.Path(), t), OpenMode::Exclusive);
    };
    Table soluc = abrir("SOLUC"), grupos = abrir("GRUPOST"), nombres = abrir("ASIGNOMT"),
          profesores = abrir("PROFT"), aulas = abrir("AULAT"), tramos = abrir("DIASHORAST");
    PasadasSolucion p{raiz,       plantilla, soluc,  grupos, nombres,
                      profesores, aulas,     tramos, report, codigos};
    escritasGrupo = ExportarHorariosGrupo(p);
    escritasOcupaciones = ExportarHorariosOcupaciones(p);
    doc.Save(carpeta / "resultado.xml");
    ASSERT_TRUE(resultado.load_file((carpeta / "resultado.xml").c_str()));
  }

  pugi::xml_node Raiz() const { return resultado.document_element(); }

  CarpetaPrueba carpeta;
  std::string plantilla = "P1";
  Report report;
  long escritasGrupo = -1, escritasOcupaciones = -1;
  pugi::xml_document resultado;
};

// One SOLUC row and what becomes of it.
struct Caso {
  std::string nombre;
  FilaSoluc fila;  // CODGRUPO, ASIG, TAREA, PROF, AULA, DIA, HORA
  std::optional<Atributos> grupo;
  std::optional<Atributos> ocupacion;
  std::string omitida;  // the reason in the report, when the row is left out
  bool sinColocar = false;
};

Atributos G(std::string dia, std::string orden, std::string desde, std::string hasta,
            std::string docente = "11111111A", std::string aula = "101",
            std::string contenido = "MAT1") {
  return SesionGrupo(dia, orden, desde, hasta, "G1A", "E1", "C1", contenido, docente, aula);
}
Atributos O(std::string dia, std::string orden, std::string desde, std::string hasta) {
  return SesionOcupacion(dia, orden, desde, hasta, "11111111A", "E9", "GUARD");
}

Caso Clase(std::string nombre, FilaSoluc fila, Atributos e) {
  return {std::move(nombre), std::move(fila), std::move(e), {}, ""};
}
Caso Ocupacion(std::string nombre, FilaSoluc fila, Atributos e) {
  return {std::move(nombre), std::move(fila), {}, std::move(e), ""};
}
Caso Omitida(std::string nombre, FilaSoluc fila, std::string motivo) {
  return {std::move(nombre), std::move(fila), {}, {}, std::move(motivo)};
}
Caso SinColocar(std::string nombre, FilaSoluc fila) {
  return {std::move(nombre), std::move(fila), {}, {}, "", true};
}

const std::vector<Caso>& Casos() {
  const std::string g = "sesión de grupo: ", o = "ocupación: ";
  // clang-format off
  static const std::vector<Caso> casos = {
      // Teaching sessions: ASIG differs from TAREA.
      //        name                     CODGRUPO ASIG  TAREA  PROF   AULA    DIA   HORA
      Clase("completa",                 {"1A", "MAT", "*479", "JPG", "A101", "3", "2"}, G("X", "2", "08:55", "09:50")),
      Clase("lunes",                    {"1A", "MAT", "*479", "JPG", "A101", "1", "1"}, G("L", "1", "08:00", "08:55")),
      Clase("martes",                   {"1A", "MAT", "*479", "JPG", "A101", "2", "1"}, G("M", "1", "08:00", "08:55")),
      Clase("jueves",                   {"1A", "MAT", "*479", "JPG", "A101", "4", "1"}, G("J", "1", "08:00", "08:55")),
      Clase("viernes",                  {"1A", "MAT", "*479", "JPG", "A101", "5", "1"}, G("V", "1", "08:00", "08:55")),
      Clase("sabado",                   {"1A", "MAT", "*479", "JPG", "A101", "6", "1"}, G("S", "1", "08:00", "08:55")),
      Clase("domingo",                  {"1A", "MAT", "*479", "JPG", "A101", "7", "1"}, G("D", "1", "08:00", "08:55")),
      Clase("dia 8 sin letra",          {"1A", "MAT", "*479", "JPG", "A101", "8", "1"}, G("", "1", "08:00", "08:55")),
      Clase("dia negativo sin letra",   {"1A", "MAT", "*479", "JPG", "A101", "-2", "1"}, G("", "1", "08:00", "08:55")),
      Clase("hora 3 es la sesion 5",    {"1A", "MAT", "*479", "JPG", "A101", "1", "3"}, G("L", "5", "11:00", "11:55")),
      Clase("profesor desconocido",     {"1A", "MAT", "*479", "XYZ", "A101", "3", "2"}, G("X", "2", "08:55", "09:50", "")),
      Clase("sin profesor",             {"1A", "MAT", "*479", "",    "A101", "3", "2"}, G("X", "2", "08:55", "09:50", "")),
      Clase("aula desconocida",         {"1A", "MAT", "*479", "JPG", "B2",   "3", "2"}, G("X", "2", "08:55", "09:50", "11111111A", "")),
      Clase("sin aula",                 {"1A", "MAT", "*479", "JPG", "",     "3", "2"}, G("X", "2", "08:55", "09:50", "11111111A", "")),
      Clase("aula con eñe",             {"1A", "MAT", "*479", "JPG", "AÑ",   "3", "2"}, G("X", "2", "08:55", "09:50", "11111111A", "AÑ1")),
      Clase("tarea en minusculas",      {"1A", "GUA", "gua",  "JPG", "A101", "3", "2"}, G("X", "2", "08:55", "09:50", "11111111A", "101", "GUARD")),
      Omitida("grupo desconocido",      {"2Ñ", "MAT", "*479", "JPG", "A101", "3", "2"}, g + "CODGRUPO «2Ñ» no está en GRUPOST"),
      Omitida("sin grupo",              {"",   "MAT", "*479", "JPG", "A101", "3", "2"}, g + "CODGRUPO vacío"),
      Omitida("asignatura desconocida", {"1A", "FIS", "*479", "JPG", "A101", "3", "2"}, g + "ASIG «FIS» no está en ASIGNOMT"),
      Omitida("sin asignatura",         {"1A", "",    "*479", "JPG", "A101", "3", "2"}, g + "ASIG vacío"),
      Omitida("hora sin tramo",         {"1A", "MAT", "*479", "JPG", "A101", "3", "4"}, g + "HORA 4 no está en DIASHORAST"),
      Omitida("hora con fraccion",      {"1A", "MAT", "*479", "JPG", "A101", "3", "2.5"}, g + "HORA 2.5 no está en DIASHORAST"),
      SinColocar("dia 0",               {"1A", "MAT", "*479", "JPG", "A101", "0", "2"}),
      SinColocar("hora 0",              {"1A", "MAT", "*479", "JPG", "A101", "3", "0"}),
      SinColocar("dia y hora vacios",   {"1A", "MAT", "*479", "JPG", "A101", "",  ""}),
      // Duties: ASIG equals TAREA; group and room do not matter.
      Ocupacion("ocupacion",            {"",   "GUA", "GUA",  "JPG", "",     "7", "3"}, O("D", "5", "11:00", "11:55")),
      Ocupacion("con grupo y aula",     {"9Z", "GUA", "GUA",  "JPG", "B2",   "1", "1"}, O("L", "1", "08:00", "08:55")),
      Ocupacion("dia 9",                {"",   "GUA", "GUA",  "JPG", "",     "9", "1"}, O("", "1", "08:00", "08:55")),
      Omitida("profesor desconocido",   {"",   "GUA", "GUA",  "XYZ", "",     "3", "2"}, o + "PROF «XYZ» no está en PROFT"),
      Omitida("sin profesor",           {"",   "GUA", "GUA",  "",    "",     "3", "2"}, o + "PROF vacío"),
      Omitida("ocupacion desconocida",  {"",   "*999", "*999", "JPG", "",    "3", "2"}, o + "ASIG «*999» no está en ASIGNOMT"),
      Omitida("sin codigo",             {"",   "",    "",     "JPG", "",     "3", "2"}, o + "ASIG vacío"),
      Omitida("hora sin tramo",         {"",   "GUA", "GUA",  "JPG", "",     "3", "7"}, o + "HORA 7 no está en DIASHORAST"),
      SinColocar("ocupacion sin colocar", {"", "GUA", "GUA",  "JPG", "",     "0", "0"}),
  };
  // clang-format on
  return casos;
}

TEST_F(PasadasTest, CadaFilaDaSuElementoOSuMotivo) {
  std::vector<FilaSoluc> filas;
  std::vector<Atributos> grupo, ocupacion;
  std::vector<std::string> omitidasGrupo, omitidasOcupacion;
  long sinColocar = 0;
  for (std::size_t i = 0; i < Casos().size(); ++i) {
    const Caso& c = Casos()[i];
    filas.push_back(c.fila);
    if (c.grupo) grupo.push_back(*c.grupo);
    if (c.ocupacion) ocupacion.push_back(*c.ocupacion);
    if (!c.omitida.empty()) {
      const std::string linea = "SOLUC fila " + std::to_string(i + 1) + ", " + c.omitida;
      (c.omitida.starts_with("ocupación") ? omitidasOcupacion : omitidasGrupo).push_back(linea);
    }
    if (c.sinColocar) ++sinColocar;
  }
  Pasadas(kCamposSoluc, filas);

  // Named one by one, so that a failure says which case.
  const auto escritosGrupo = Elementos(Raiz().child("horarios_grupo"));
  const auto escritosOcupacion = Elementos(Raiz().child("horarios_ocupaciones"));
  std::size_t g = 0, o = 0;
  for (const Caso& c : Casos()) {
    if (c.grupo) {
      ASSERT_LT(g, escritosGrupo.size()) << c.nombre;
      EXPECT_EQ(escritosGrupo[g++], *c.grupo) << c.nombre;
    }
    if (c.ocupacion) {
      ASSERT_LT(o, escritosOcupacion.size()) << c.nombre;
      EXPECT_EQ(escritosOcupacion[o++], *c.ocupacion) << c.nombre;
    }
  }
  EXPECT_EQ(escritosGrupo, grupo);
  EXPECT_EQ(escritosOcupacion, ocupacion);
  EXPECT_EQ(escritasGrupo, static_cast<long>(grupo.size()));
  EXPECT_EQ(escritasOcupaciones, static_cast<long>(ocupacion.size()));

  std::vector<std::string> omitidas = omitidasGrupo;
  omitidas.insert(omitidas.end(), omitidasOcupacion.begin(), omitidasOcupacion.end());
  EXPECT_EQ(report.omitted, omitidas);
  EXPECT_EQ(report.unplaced, sinColocar);
  EXPECT_THAT(report.rows,
              ElementsAre(std::pair<std::string, long>{"horarios_grupo", grupo.size()},
                          std::pair<std::string, long>{"horarios_ocupaciones", ocupacion.size()}));
}

TEST_F(PasadasTest, LaRaizRecibeLasDosColeccionesEnOrden) {
  Pasadas(kCamposSoluc, {{"1A", "MAT", "*479", "JPG", "A101", "3", "2"},
                         {"", "GUA", "GUA", "JPG", "", "3", "2"},
                         {"1A", "MAT", "*479", "JPG", "A101", "3", "2"}});
  std::vector<std::string> hijos;
  for (const auto& h : Raiz().children()) hijos.push_back(h.name());
  EXPECT_THAT(hijos, ElementsAre("horarios_grupo", "horarios_ocupaciones"));
  // Nothing is merged: the same session twice gives two elements.
  const auto sesiones = Elementos(Raiz().child("horarios_grupo"));
  ASSERT_EQ(sesiones.size(), 2u);
  EXPECT_EQ(sesiones[0], sesiones[1]);
}

TEST_F(PasadasTest, SinFilasLasColeccionesQuedanVacias) {
  Pasadas(kCamposSoluc, {});
  EXPECT_TRUE(Raiz().child("horarios_grupo"));
  EXPECT_FALSE(Raiz().child("horarios_grupo").first_child());
  EXPECT_TRUE(Raiz().child("horarios_ocupaciones"));
  EXPECT_FALSE(Raiz().child("horarios_ocupaciones").first_child());
  EXPECT_EQ(escritasGrupo, 0);
  EXPECT_EQ(escritasOcupaciones, 0);
}

// The chosen template code is written as it was chosen, accents included.
TEST_F(PasadasTest, LaPlantillaEsLaElegida) {
  plantilla = Cp("MAÑANA");
  Pasadas(kCamposSoluc, {{"1A", "MAT", "*479", "JPG", "A101", "3", "2"},
                         {"", "GUA", "GUA", "JPG", "", "3", "2"}});
  EXPECT_STREQ(Raiz().child("horarios_grupo").first_child().attribute("plantilla").value(),
               "MAÑANA");
  EXPECT_STREQ(Raiz().child("horarios_ocupaciones").first_child().attribute("plantilla").value(),
               "MAÑANA");
}

// DIA and HORA as text fields, as another program may write them: numbers
// with blanks around them still read as numbers; anything else stops.
TEST_F(PasadasTest, DiaYHoraEnCamposDeTexto) {
  std::vector<FieldDef> campos = kCamposSoluc;
  campos[5] = {"DIA", FieldKind::Text, 4};
  campos[6] = {"HORA", FieldKind::Text, 6};
  Pasadas(campos, {{"1A", "MAT", "*479", "JPG", "A101", " 3", "2"}});
  EXPECT_EQ(Elementos(Raiz().child("horarios_grupo")),
            std::vector<Atributos>{G("X", "2", "08:55", "09:50")});
}

TEST_F(PasadasTest, UnDiaOUnaHoraQueNoEsNumeroDetieneLaPasada) {
  std::vector<FieldDef> campos = kCamposSoluc;
  campos[5] = {"DIA", FieldKind::Text, 4};
  campos[6] = {"HORA", FieldKind::Text, 6};
  for (const FilaSoluc& fila : {FilaSoluc{"1A", "MAT", "*479", "JPG", "A101", "X", "2"},
                                FilaSoluc{"1A", "MAT", "*479", "JPG", "A101", "3", "2:00"}}) {
    CrearTabla(carpeta.Path(), "SOLUC", campos, {fila});
    XmlDocument doc = XmlDocument::Load(carpeta / "fuente.xml");
    XmlOut raiz = doc.ReplaceRoot("centro");
    auto abrir = [&](const char* t) {
      return Table(TableFile(carpeta.Path(), t), OpenMode::Exclusive);
    };
    Table soluc = abrir("SOLUC"), grupos = abrir("GRUPOST"), nombres = abrir("ASIGNOMT"),
          profesores = abrir("PROFT"), aulas = abrir("AULAT"), tramos = abrir("DIASHORAST");
    const CodigosFuente codigos;
    PasadasSolucion p{raiz,       plantilla, soluc,  grupos, nombres,
                      profesores, aulas,     tramos, report, codigos};
    try {
      ExportarHorariosGrupo(p);
      ADD_FAILURE() << "sin error para " << fila[5] << " " << fila[6];
    } catch (const Error& e) {
      EXPECT_THAT(e.what(), HasSubstr("SOLUC")) << e.what();
    }
  }
}

// A code that a table holds cut to its field's size goes back whole, as the
// source has it: ITACA knows the 11-character module code, not its first 10.
TEST_F(PasadasTest, LosCodigosCortadosVuelvenEnteros) {
  Fuente(
      "<grupos><grupo codigo=\"G1A\"/></grupos>"
      "<contenidos><contenido codigo=\"0123456789X\" curso=\"C1\"/></contenidos>"
      "<ocupaciones><ocupacion codigo=\"GUARDIA0001\"/></ocupaciones>");
  CrearTabla(carpeta.Path(), "ASIGNOMT",
             {{"COD", FieldKind::Text, 10}, {"ABREV_ITACA", FieldKind::Text, 10}},
             {{"01234567X", "0123456789X"}, {"*001", "GUARDIA0001"}});
  Pasadas(kCamposSoluc, {{"1A", "01234567X", "*479", "JPG", "A101", "3", "2"},
                         {"", "*001", "*001", "JPG", "", "3", "2"}});
  EXPECT_STREQ(Raiz().child("horarios_grupo").first_child().attribute("contenido").value(),
               "0123456789X");
  EXPECT_STREQ(Raiz().child("horarios_ocupaciones").first_child().attribute("ocupacion").value(),
               "GUARDIA0001");
}

TEST(CodigosCortadosTest, SoloUnCodigoMasLargoQueEmpieceIgual) {
  CarpetaPrueba carpeta;
  EscribirBytes(carpeta / "f.xml",
                "<centro><aulas>"
                "<aula codigo=\" LABORATORIO1 \"/><aula codigo=\"INFORMATICA1\"/>"
                "<aula codigo=\"INFORMATICA2\"/><aula codigo=\"TALLERMECAN\"/>"
                "<aula codigo=\"TALLERMECA\"/><aula codigo=\"A1\"/><aula/>"
                "</aulas></centro>");
  CodigosCortados aulas;
  aulas.Anadir(XmlDocument::Load(carpeta / "f.xml"), "/centro/aulas/aula", "codigo");
  const std::vector<std::tuple<std::string, int, std::string>> casos = {
      {"LABORATORI", 10, "LABORATORIO1"},  // one code begins so: it was cut
      {"INFORMATIC", 10, "INFORMATIC"},    // two do: which one is unknown
      {"TALLERMECA", 10, "TALLERMECA"},    // a whole code of its own
      {"LABORATOR", 10, "LABORATOR"},      // shorter than the field: not cut
      {"A1", 10, "A1"},
      {"LABORAT", 7, "LABORATORIO1"},
      {"ZZZZZZZZZZ", 10, "ZZZZZZZZZZ"},
      {"", 10, ""}};
  for (const auto& [valor, tamano, esperado] : casos) {
    EXPECT_EQ(aulas.Completar(valor, tamano), esperado) << valor;
  }
}

TEST(LetraDiaTest, LetrasDeLaSemana) {
  const std::vector<std::pair<long long, std::string>> casos = {
      {1, "L"}, {2, "M"}, {3, "X"}, {4, "J"}, {5, "V"}, {6, "S"},
      {7, "D"}, {0, ""},  {8, ""},  {-1, ""}, {17, ""}};
  for (const auto& [dia, letra] : casos) EXPECT_EQ(LetraDia(dia), letra) << dia;
}

TEST(TextoHoraTest, EnterosSinDecimales) {
  EXPECT_EQ(TextoHora(3), "3");
  EXPECT_EQ(TextoHora(3.0), "3");
  EXPECT_EQ(TextoHora(12), "12");
  EXPECT_EQ(TextoHora(-1), "-1");
  EXPECT_EQ(TextoHora(2.5), "2.5");
}

}  // namespace
}  // namespace velmora::testing
