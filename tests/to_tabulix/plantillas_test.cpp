// The template chooser's logic: what it lists, shows and hands back.
#include "exportar_util.h"

namespace velmora::testing::exportar {
namespace {

struct Documento {
  Escuela escuela;
  XmlDocument doc;
  explicit Documento(const std::string& colecciones)
      : doc(XmlDocument::Load(escuela.Escribir(colecciones))) {}
};

const std::string kDosPlantillas =
    Coleccion("plantillas_horario", "plantilla_horario",
              {Plantilla(" A1 ", " M ", " Matí ", " Mañana "),
               Plantilla("B2", "T", "Vesprada", "Tarde")}) +
    Coleccion(
        "sesiones_horario", "sesion_horario",
        {Sesion("A1", "L", "10", "16:00", "16:55"), Sesion("A1", "L", " 2 ", " 08:55 ", " 09:50 "),
         Sesion("A1", "M", "1", "08:00", "08:55"), Sesion("B2", "L", "1", "15:00", "15:55"),
         Sesion("A1", "L", "1", "08:00", "08:55")});

TEST(ElegirPlantilla, FromItacaItOpensOnTheFirstTemplate) {
  Documento d(kDosPlantillas);
  EXPECT_EQ(PlantillasModel(d.doc).Codigos(), (std::vector<std::string>{"A1", "B2"}));
  const TemplateChoice e = ElegirPlantilla(d.doc, std::nullopt, kValencia, kTagItacaToTabulix);
  EXPECT_EQ(e.codigo, "A1");
  EXPECT_EQ(e.turno, "M");
  EXPECT_EQ(e.idioma, kValencia);
  // Monday only, sorted as text: a one-digit session, written with a blank
  // before it, comes before the two-digit ones.
  EXPECT_EQ(e.horas, (std::vector<std::string>{" 1 de 08:00 a 08:55", " 2 de 08:55 a 09:50",
                                               "10 de 16:00 a 16:55"}));
  EXPECT_EQ(Cp1252ToUtf8(PlantillasModel(d.doc).Refrescar("A1", kValencia).nombre), "Matí");
}

TEST(ElegirPlantilla, TowardsItacaItOpensOnNothing) {
  Documento d(kDosPlantillas);
  const TemplateChoice e = ElegirPlantilla(d.doc, std::nullopt, kValencia, kTagTabulixToItaca);
  EXPECT_EQ(e.codigo, "");
  EXPECT_EQ(e.turno, "-");
  EXPECT_TRUE(e.horas.empty());
  const TemplateChoice b2 =
      ElegirPlantilla(d.doc, std::string("B2"), kValencia, kTagTabulixToItaca);
  EXPECT_EQ(b2.codigo, "B2");
  EXPECT_EQ(b2.turno, "T");
  EXPECT_EQ(b2.horas, (std::vector<std::string>{" 1 de 15:00 a 15:55"}));
}

TEST(ElegirPlantilla, TypedCodes) {
  struct Caso {
    std::string tecleado;
    std::string codigo, turno;
    std::size_t horas;
  };
  const std::vector<Caso> casos = {
      {"B2", "B2", "T", 1},
      // No template has it: both labels "-", no hours; handed back as typed, trimmed.
      {" Z9 ", "Z9", "-", 0},
      // While typing, the text is compared as it stands: a trailing blank matches nothing.
      {"A1 ", "A1", "-", 0},
      {"a1", "a1", "-", 0},
  };
  Documento d(kDosPlantillas);
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.tecleado);
    const TemplateChoice e = ElegirPlantilla(d.doc, caso.tecleado, kValencia, kTagItacaToTabulix);
    EXPECT_EQ(e.codigo, caso.codigo);
    EXPECT_EQ(e.turno, caso.turno);
    EXPECT_EQ(e.horas.size(), caso.horas);
  }
}

TEST(ElegirPlantilla, DescriptionFollowsTheLanguage) {
  Documento d(kDosPlantillas);
  const PlantillasModel modelo(d.doc);
  EXPECT_EQ(Cp1252ToUtf8(modelo.Refrescar("A1", kValencia).nombre), "Matí");
  EXPECT_EQ(Cp1252ToUtf8(modelo.Refrescar("A1", kCastellano).nombre), "Mañana");
  EXPECT_EQ(Cp1252ToUtf8(modelo.Refrescar("A1", Cp("valenciá")).nombre), "Mañana");
  EXPECT_EQ(modelo.Refrescar("Z9", kValencia).nombre, "-");
  const TemplateChoice e = ElegirPlantilla(d.doc, std::nullopt, kCastellano, kTagItacaToTabulix);
  EXPECT_EQ(e.idioma, kCastellano);
}

TEST(ElegirPlantilla, TheLastTemplateOfACodeWins) {
  Documento d(Coleccion("plantillas_horario", "plantilla_horario",
                        {Plantilla("A1", "M", "Primera"), Plantilla("A1", "T", "Segona")}));
  const PlantillasModel::Vista v = PlantillasModel(d.doc).Refrescar("A1", kValencia);
  EXPECT_EQ(v.nombre, "Segona");
  EXPECT_EQ(v.turno, "T");
}

TEST(ElegirPlantilla, HoursOnlyFromTwoSessions) {
  Documento una(
      Coleccion("plantillas_horario", "plantilla_horario", {Plantilla("A1")}) +
      Coleccion("sesiones_horario", "sesion_horario", {Sesion("A1", "L", "1", "08:00", "08:55")}));
  EXPECT_FALSE(PlantillasModel(una.doc).Refrescar("A1", kValencia).horas.has_value());
  EXPECT_TRUE(ElegirPlantilla(una.doc, std::nullopt, kValencia, 0).horas.empty());

  Documento ninguna(Coleccion("plantillas_horario", "plantilla_horario", {Plantilla("A1")}));
  EXPECT_TRUE(ElegirPlantilla(ninguna.doc, std::nullopt, kValencia, 0).horas.empty());
  EXPECT_EQ(ElegirPlantilla(ninguna.doc, std::nullopt, kValencia, 0).codigo, "A1");
}

TEST(EntradaHoras, SessionOrderIsPaddedToTwoAndCutToThree) {
  EXPECT_EQ(EntradaHoras("3", "08:00", "08:55"), " 3 de 08:00 a 08:55");
  EXPECT_EQ(EntradaHoras("10", "08:00", "08:55"), "10 de 08:00 a 08:55");
  EXPECT_EQ(EntradaHoras("1234", "08:00", "08:55"), "123 de 08:00 a 08:55");
  // Blanks and control characters go at both ends.
  EXPECT_EQ(EntradaHoras("\t3\r", " 08:00\t", "\n08:55 "), " 3 de 08:00 a 08:55");
  EXPECT_EQ(EntradaHoras("", "", ""), " de  a ");
}

TEST(ElegirPlantilla, CodesAreTrimmedOfControlCharacters) {
  Documento d(
      "<plantillas_horario><plantilla_horario codigo=\"&#9; A1&#9;\" descripcion_val=\"x\" "
      "descripcion_cas=\"x\" turno=\"M\"/></plantillas_horario>");
  EXPECT_EQ(PlantillasModel(d.doc).Codigos(), (std::vector<std::string>{"A1"}));
  EXPECT_EQ(ElegirPlantilla(d.doc, std::string("\tA1 "), kValencia, 0).codigo, "A1");
}

TEST(ElegirPlantilla, AMissingAttributeIsAnError) {
  struct Caso {
    std::string colecciones;
    std::string falta;
  };
  const std::vector<Caso> casos = {
      {"<plantillas_horario><plantilla_horario turno=\"M\"/></plantillas_horario>",
       "el atributo «codigo» en /centro/plantillas_horario/plantilla_horario[1]"},
      {"<plantillas_horario><plantilla_horario codigo=\"A1\" "
       "descripcion_val=\"x\"/></plantillas_horario>",
       "«turno»"},
      {Coleccion("plantillas_horario", "plantilla_horario", {Plantilla("A1")}) +
           "<sesiones_horario><sesion_horario plantilla=\"A1\" dia_semana=\"L\" sesion_orden=\"1\" "
           "hora_desde=\"08:00\"/><sesion_horario plantilla=\"A1\" "
           "dia_semana=\"M\"/></sesiones_horario>",
       "el atributo «hora_hasta» en /centro/sesiones_horario/sesion_horario[1]"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.falta);
    Documento d(caso.colecciones);
    try {
      ElegirPlantilla(d.doc, std::nullopt, kValencia, 0);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(caso.falta), std::string::npos) << e.what();
    }
  }
  // Only the sessions of the template shown give their day.
  Documento otra(
      Coleccion("plantillas_horario", "plantilla_horario", {Plantilla("A1")}) +
      "<sesiones_horario><sesion_horario plantilla=\"B2\"/><sesion_horario plantilla=\"B2\"/>"
      "</sesiones_horario>");
  EXPECT_NO_THROW(ElegirPlantilla(otra.doc, std::nullopt, kValencia, 0));
}

}  // namespace
}  // namespace velmora::testing::exportar
