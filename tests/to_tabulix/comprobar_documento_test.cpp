// The check of the whole document before the run touches any table: every
// attribute that a step will read, where it will read it.
#include "exportar_util.h"

namespace velmora::testing::exportar {
namespace {

const std::string kPlantilla =
    Coleccion("plantillas_horario", "plantilla_horario", {Plantilla("P1"), Plantilla("P2")});

// The run's error, or "" when it finished.
std::string Error(const std::string& colecciones, const std::string& idioma = "VALENCIÁ") {
  Escuela escuela;
  Table::Create(TableFile(escuela.Xtemp(), "PROFT"), {{"VIEJA", FieldKind::Text, 5}});
  const auto antes = Ficheros(escuela.Xtemp());
  Corrida c;
  try {
    Exportar(c, escuela, escuela.Escribir(kPlantilla + colecciones), {std::nullopt, idioma});
  } catch (const velmora::Error& e) {
    EXPECT_EQ(Ficheros(escuela.Xtemp()), antes);
    return e.what();
  }
  EXPECT_EQ(c.state.resultCode, 1);
  return "";
}

// An element written by hand: <singular a="v" .../> inside its collection.
std::string Elementos(const std::string& plural, const std::string& singular,
                      const std::vector<std::string>& atributos) {
  std::string xml = "<" + plural + ">";
  for (const auto& a : atributos) xml += "<" + singular + " " + a + "/>";
  return xml + "</" + plural + ">";
}

const std::string kDocenteSinTipo =
    "apellido1=\"A\" apellido2=\"B\" nombre=\"C\" documento=\"1\" ensenanza=\"E\"";
const std::string kDocente = kDocenteSinTipo + " tipo_docente=\"P\"";
const std::string kGrupo = "nombre=\"G\" turno=\"M\" ensenanza=\"ESO\"";

TEST(ComprobarDocumento, AttributesReadOnlyInSomeCases) {
  struct Caso {
    const char* nombre;
    std::string colecciones;
    std::string falta;  // "" when the document is complete
  };
  const std::vector<Caso> casos = {
      {"a type D teacher needs a date",
       Elementos("docentes", "docente", {kDocente, kDocenteSinTipo + " tipo_docente=\" D \""}),
       "falta el atributo «fecha_ingreso» en /centro/docentes/docente[2]"},
      {"other teachers need none", Elementos("docentes", "docente", {kDocente, kDocente}), ""},
      {"a single teacher is not read", Elementos("docentes", "docente", {""}), ""},
      {"a course without parent needs its abbreviation",
       Elementos("cursos", "curso", {"padre=\"\" codigo=\"C1\" ensenanza=\"E\"", "padre=\"X\""}),
       "falta el atributo «abreviatura» en /centro/cursos/curso[1]"},
      {"a course left out needs no code",
       Elementos("cursos", "curso",
                 {"padre=\"\" abreviatura=\"ESO\"",
                  "padre=\" \" abreviatura=\"1ESO\" codigo=\"C1\" ensenanza=\"E\""}),
       ""},
      {"a course with a parent needs everything",
       Elementos("cursos", "curso",
                 {"padre=\"X\" abreviatura=\"B\" codigo=\"C1\"", "padre=\"\" abreviatura=\"ESO\""}),
       "falta el atributo «ensenanza» en /centro/cursos/curso[1]"},
      {"a group with a first tutor needs no second",
       Elementos("grupos", "grupo",
                 {"codigo=\"1A\" tutor_ppal=\"1\" " + kGrupo,
                  "codigo=\"1B\" tutor_ppal=\"\" tutor_sec=\"\" " + kGrupo}),
       ""},
      {"a group without a first tutor needs the second",
       Elementos("grupos", "grupo",
                 {"codigo=\"1A\" tutor_ppal=\"1\" " + kGrupo,
                  "codigo=\"1B\" tutor_ppal=\" \" " + kGrupo}),
       "falta el atributo «tutor_sec» en /centro/grupos/grupo[2]"},
      {"a programme looked up needs its abbreviation",
       Elementos("grupos", "grupo",
                 {"codigo=\"1A\" tutor_ppal=\"1\" " + kGrupo,
                  "codigo=\"1B\" tutor_ppal=\"1\" " + kGrupo}) +
           Elementos("ensenanzas", "ensenanza", {"ensenanza=\"BAT\"", "ensenanza=\"ESO\""}),
       "falta el atributo «abreviatura» en /centro/ensenanzas/ensenanza[2]"},
      {"a programme not looked up needs none",
       Elementos("grupos", "grupo",
                 {"codigo=\"1A\" tutor_ppal=\"1\" " + kGrupo,
                  "codigo=\"1B\" tutor_ppal=\"1\" " + kGrupo}) +
           Elementos(
               "ensenanzas", "ensenanza",
               {"ensenanza=\"BAT\"", "ensenanza=\"ESO\" abreviatura=\"ESO\"", "ensenanza=\"ESO\""}),
       ""},
      {"every programme gives its key",
       Elementos("grupos", "grupo",
                 {"codigo=\"1A\" tutor_ppal=\"1\" " + kGrupo,
                  "codigo=\"1B\" tutor_ppal=\"1\" " + kGrupo}) +
           Elementos("ensenanzas", "ensenanza",
                     {"ensenanza=\"ESO\" abreviatura=\"ESO\"", "abreviatura=\"X\""}),
       "falta el atributo «ensenanza» en /centro/ensenanzas/ensenanza[2]"},
      {"programmes are not read when nothing looks them up",
       Elementos("ensenanzas", "ensenanza", {"", ""}), ""},
      {"the link of a group to its course",
       Elementos("grupos", "grupo",
                 {"codigo=\"1A\" tutor_ppal=\"1\" " + kGrupo,
                  "codigo=\"1B\" tutor_ppal=\"1\" " + kGrupo}) +
           Elementos("cursos_grupo", "curso_grupo", {"grupo=\"1B\"", "grupo=\"9Z\""}),
       "falta el atributo «curso» en /centro/cursos_grupo/curso_grupo[1]"},
      {"subjects need the name of the language only",
       Elementos("contenidos", "contenido",
                 {"codigo=\"M\" curso=\"C\" nombre_val=\"M\"",
                  "codigo=\"N\" curso=\"C\" nombre_val=\"N\""}),
       ""},
      {"duties too",
       Elementos("ocupaciones", "ocupacion",
                 {"codigo=\"G\" nombre_val=\"G\"", "codigo=\"B\" nombre_cas=\"B\""}),
       "falta el atributo «nombre_val» en /centro/ocupaciones/ocupacion[2]"},
      {"rooms need a code, even an empty one",
       Elementos("aulas", "aula", {"codigo=\"\" nombre=\"A\"", "nombre=\"B\""}),
       "falta el atributo «codigo» en /centro/aulas/aula[2]"},
      {"sessions of another template give only their template",
       Elementos("horarios_grupo", "horario_grupo", {"plantilla=\"P2\"", "plantilla=\" P2 \""}),
       ""},
      {"sessions of the chosen template give everything",
       Elementos("horarios_grupo", "horario_grupo",
                 {"plantilla=\"P2\"",
                  "plantilla=\" P1 \" grupo=\"1A\" curso=\"C\" contenido=\"M\" docente=\"1\""}),
       "falta el atributo «aula» en /centro/horarios_grupo/horario_grupo[2]"},
      {"every session gives its template",
       Elementos("horarios_grupo", "horario_grupo", {"plantilla=\"P2\"", "grupo=\"1A\""}),
       "falta el atributo «plantilla» en /centro/horarios_grupo/horario_grupo[2]"},
      {"a single group session is not read", Elementos("horarios_grupo", "horario_grupo", {""}),
       ""},
      {"a single duty session is read",
       Elementos("horarios_ocupaciones", "horario_ocupacion", {"ocupacion=\"G\" plantilla=\"P2\""}),
       "falta el atributo «docente» en /centro/horarios_ocupaciones/horario_ocupacion[1]"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    const std::string error = Error(caso.colecciones);
    if (caso.falta.empty()) {
      EXPECT_EQ(error, "");
    } else {
      EXPECT_NE(error.find(caso.falta), std::string::npos) << error;
    }
  }
  // In Castilian the subjects need their Castilian name.
  EXPECT_NE(Error(Elementos("contenidos", "contenido",
                            {"codigo=\"M\" curso=\"C\" nombre_val=\"M\"",
                             "codigo=\"N\" curso=\"C\" nombre_cas=\"N\""}),
                  "CASTELLANO")
                .find("falta el atributo «nombre_cas» en /centro/contenidos/contenido[1]"),
            std::string::npos);
}

TEST(ComprobarDocumento, ListsEveryMissingAttributeAtOnce) {
  const std::string error =
      Error(Elementos("docentes", "docente", {kDocente, "apellido1=\"A\""}) +
            Elementos("aulas", "aula", {"codigo=\"A\"", "codigo=\"B\" nombre=\"B\""}));
  EXPECT_EQ(error,
            "El documento «ies.xml» está incompleto: faltan atributos que la conversión necesita. "
            "No se ha modificado ninguna tabla.\n"
            "  falta el atributo «apellido2» en /centro/docentes/docente[2]\n"
            "  falta el atributo «nombre» en /centro/docentes/docente[2]\n"
            "  falta el atributo «tipo_docente» en /centro/docentes/docente[2]\n"
            "  falta el atributo «documento» en /centro/docentes/docente[2]\n"
            "  falta el atributo «ensenanza» en /centro/docentes/docente[2]\n"
            "  falta el atributo «nombre» en /centro/aulas/aula[1]");
}

TEST(ComprobarDocumento, ALongListEndsWithHowManyMore) {
  std::vector<std::string> vacias(30, "");
  const std::string error = Error(Elementos("aulas", "aula", vacias));
  EXPECT_NE(error.find("falta el atributo «codigo» en /centro/aulas/aula[10]"), std::string::npos);
  EXPECT_EQ(error.find("/centro/aulas/aula[11]"), std::string::npos);
  EXPECT_NE(error.find("\n  y 40 más."), std::string::npos) << error;
}

}  // namespace
}  // namespace velmora::testing::exportar
