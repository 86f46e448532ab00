// The sample school through the whole run, read back by an independent
// reader (python3-dbfread) and checked against values worked out by hand.
#include <cstdio>

#include "exportar_util.h"
#include "to_tabulix/preguntas.h"

namespace velmora::testing::exportar {
namespace {

// Every table as dbfread sees it: a line with the name, the encoding it read
// from the header and the field names, then one line per row.
const char* const kLector = R"(
import sys
from dbfread import DBF
for name in sys.argv[2:]:
    t = DBF(sys.argv[1] + '/' + name + '.DBF', char_decode_errors='strict')
    print('== ' + name)
    print(t.encoding + ' ' + '|'.join(f.name for f in t.fields))
    for r in t:
        print('|'.join(str(v) for v in r.values()))
)";

std::string Python() {
  return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

std::vector<std::string> Lineas(const std::string& texto) {
  std::vector<std::string> lineas;
  std::size_t i = 0;
  while (i < texto.size()) {
    const std::size_t fin = texto.find('\n', i);
    lineas.push_back(texto.substr(i, fin - i));
    i = fin == std::string::npos ? texto.size() : fin + 1;
  }
  return lineas;
}

TEST(EjemploLaVall, SixTablesAsAnotherReaderSeesThem) {
  Escuela escuela;
  const auto doc = escuela.Raiz() / "ies_la_vall.xml";
  std::filesystem::copy_file(VELMORA_SOURCE_DIR "/examples/ies_la_vall.xml", doc);
  Corrida c;
  // Data of all templates, so that no step after these six changes them.
  c.dialogos.answers = {Answer::Yes};
  Exportar(c, escuela, doc);
  ASSERT_EQ(c.state.resultCode, 1);
  ASSERT_EQ(c.dialogos.questions, (std::vector<std::string>{kPreguntaVariasPlantillas}));

  const auto script = escuela.Raiz() / "leer.py";
  EscribirBytes(script, kLector);
  const auto salida = escuela.Raiz() / "salida.txt";
  const std::string orden = "PYTHONIOENCODING=utf-8 " + Python() + " '" + script.string() + "' '" +
                            escuela.Xtemp().string() +
                            "' PROFT CURSOST GRUPOST ASIGNOMT AULAT DIASHORAST > '" +
                            salida.string() + "'";
  ASSERT_EQ(std::system(orden.c_str()), 0) << orden;
  const std::vector<std::string> lineas = Lineas(LeerBytes(salida));

  std::map<std::string, std::vector<std::string>> tablas;
  std::string actual;
  for (const auto& l : lineas) {
    if (l.rfind("== ", 0) == 0) {
      actual = l.substr(3);
    } else {
      tablas[actual].push_back(l);
    }
  }
  auto tabla = [&](const std::string& nombre) { return tablas[nombre]; };

  EXPECT_EQ(tabla("PROFT"), (std::vector<std::string>{
                                "cp1252 ABREV|NOMBRE|DEPART|DNI|X_EMPLEADO|F_TOMAPOS|ENSENANZA",
                                "GPA|García Pérez, Ana||20145678R||01/09/2005|3",
                                "GPA1|Gómez Puig, Andreu||21987654E||01/09/2011|3",
                                "FSV|Ferrer Sanchis, Vicent||29345120H|||3",
                                "MLE|Martí Llorca, Empar||19876543N||01/09/1998|5",
                                "LNJ|López Navarro, José||22456789A||01/09/2008|3",
                                "CBN|Climent Bañuls, Núria||48321987E||01/09/2016|3",
                                "ISC|Ibáñez Soler, Carmen||20567123V||01/09/2002|5",
                                "OM|O'Connor , Mary||X1234567L|||3",
                                "PVJ|Peris Vidal, Jordi||44123876D||01/09/2013|7",
                                "SRL|Sempere Roig, Laia||53987123M|||7",
                                "MDF|Muñoz Díaz, Francesc||24789456X||01/09/2001|5",
                                "EGÀ|Esteve Giner, Àngela||29876012R||01/09/2009|3",
                                "SMP|Sanchis Mas, Pau||33123456Y|||3",
                            }));

  // CAGS has neither a course number nor a parent; 3PDC hangs from 3ESO.
  EXPECT_EQ(tabla("CURSOST"), (std::vector<std::string>{
                                  "cp1252 ABREV|TURNO|NIVEL|CURSO|CLAVE|ESTUD",
                                  "1ES|M|ESO|1|1001|1ESO",
                                  "3ES|M|ESO|3|1003|3ESO",
                                  "3PD|M|ESO|3|1004|3PDC",
                                  "1BA|M|BAT|1|1005|1BAT",
                                  "1SM|M|CFGM|1|1006|1SMX",
                              }));

  EXPECT_EQ(tabla("GRUPOST"),
            (std::vector<std::string>{
                "cp1252 ABREV|TURNO|NIVEL|CURSO|GRUPO|CLAVE|CLAVECURSO|DESCRIP|ENSENANZA|TUTOR",
                "1ESOA|M|ESO|1|A|1ESOA|1001|1r ESO A|3|GPA",
                "1ESOB|M|ESO|1|B|1ESOB|1001|1r ESO B|3|GPA1",
                "3ESOA|M|ESO|3|A|3ESOA|1003|3r ESO A|3|MDF",
                "1BATA|M|BAT|1|A|1BATA|1005|1r Batxillerat A|5|",
                "1SMXA|V|CFGM|1|A|1SMXA|1006|1r SMX A|7|PVJ",
            }));

  // Tutoria (2009) of 1ESO and 3ESO is one row: same level, courses differ.
  // The two 11-character module codes are shortened to their first 8 and last
  // 2; Coordinació de convivència's *041 is Guàrdia's, so it takes *04A.
  EXPECT_EQ(tabla("ASIGNOMT"),
            (std::vector<std::string>{
                "cp1252 COD|CODLARGO|NOMBRE|MATERIA|CODTAREA|ESTAREA|DENIVEL|DECURSO|ABREV_ITAC",
                "2001|VLL|Valencià: Llengua i Literatura|||False|ESO|1|2001",
                "2002|M|Matemàtiques|||False|ESO|1|2002",
                "2003|EF|Educació Física|||False|ESO|1|2003",
                "2004|ANGLéS|Anglés|||False|ESO|1|2004",
                "2009|TUTORIA|Tutoria|||False|ESO||2009",
                "2005|LCL|Llengua Castellana i Literatura|||False|ESO|3|2005",
                "2006|FQ|Física i Química|||False|ESO|3|2006",
                "2007|ÀCT|Àmbit Científic i Tecnològic|||False|ESO|3|2007",
                "2010|FILOSOFIA|Filosofia|||False|BAT|1|2010",
                "2011|MI|Matemàtiques I|||False|BAT|1|2011",
                "0221SMX224|MMD|Muntatge i Manteniment d'Equips|||False|CFGM|1|0221SMX202",
                "0225SMX224|XL|Xarxes Locals|||False|CFGM|1|0225SMX202",
                "2020|EL|Economia de l'Empresa|||False|||2020",
                "*041|GUàRDIA|Guàrdia||900041|True|||900041",
                "*044|RD|Reunió de departament||900044|True|||900044",
                "*052|OE|Orientació educativa||900052|True|||900052",
                "*04A|CC|Coordinació de convivència||800041|True|||800041",
            }));

  EXPECT_EQ(tabla("AULAT"), (std::vector<std::string>{
                                "cp1252 ABREV|NOMBRE|EDIFICIO|MAXALUM|DEPCENTRO|ABREV_ITAC",
                                "A101|Aula 101||None||A101",
                                "A102|Aula 102||None||A102",
                                "A201|Aula 201||None||A201",
                                "LAB|Laboratori de Física & Química||None||LAB",
                                "INF|Aula d'Informàtica||None||INF",
                                "GIM|Gimnàs||None||GIM",
                                "Pati|Pati||None||",
                            }));

  // MAT's six Monday sessions, each on the seven days.
  const auto dias = tabla("DIASHORAST");
  ASSERT_EQ(dias.size(), 1u + 42u);
  EXPECT_EQ(dias[0],
            "cp1252 DIHO|CODDIHO|DIA|TEXTODIA|HORA|TEXTOHOR|HORADESDE|HORAHASTA|MINUTOS|"
            "SESION_ORD|PLANTILLA");
  EXPECT_EQ(dias[1], "11||1|Dilluns|1|1|08:00|08:55|55|1|MAT");
  EXPECT_EQ(dias[7], "71||7|Diumenge|1|1|08:00|08:55|55|1|MAT");
  EXPECT_EQ(dias[22], "14||1|Dilluns|4|4|11:15|12:10|55|4|MAT");
  EXPECT_EQ(dias[42], "76||7|Diumenge|6|6|13:05|14:00|55|6|MAT");
}

}  // namespace
}  // namespace velmora::testing::exportar
