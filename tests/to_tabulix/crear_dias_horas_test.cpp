// DIASHORAST from the hours list.
#include "exportar_util.h"
#include "to_tabulix/steps.h"

namespace velmora::testing::exportar {
namespace {

struct Dias {
  Escuela escuela;
  RunState state;
  Report report;

  std::vector<Fila> Crear(const std::vector<std::string>& horas, const std::string& idioma,
                          const std::string& plantilla = "P") {
    state.xtemp = escuela.Xtemp();
    state.horas.clear();
    for (const auto& h : horas) state.horas.push_back(Cp(h));
    state.idioma = Cp(idioma);
    state.plantilla = Cp(plantilla);
    CrearDiasHoras(state, report);
    return Filas(escuela.Xtemp(), "DIASHORAST");
  }
};

TEST(CrearDiasHoras, OneEntryGivesSevenDays) {
  Dias d;
  const auto filas = d.Crear({" 1 de 08:00 a 08:55"}, "CASTELLANO");
  EXPECT_EQ(Campos(d.escuela.Xtemp(), "DIASHORAST"),
            (std::vector<std::string>{"DIHO C 10", "CODDIHO C 10", "DIA C 20", "TEXTODIA C 20",
                                      "HORA C 8", "TEXTOHOR C 15", "HORADESDE C 8", "HORAHASTA C 8",
                                      "MINUTOS C 8", "SESION_ORD N 11", "PLANTILLA C 20"}));
  ASSERT_EQ(filas.size(), 7u);
  EXPECT_EQ(filas[0], (Fila{{"DIHO", "11"},
                            {"CODDIHO", ""},
                            {"DIA", "1"},
                            {"TEXTODIA", "Lunes"},
                            {"HORA", "1"},
                            {"TEXTOHOR", "1"},
                            {"HORADESDE", "08:00"},
                            {"HORAHASTA", "08:55"},
                            {"MINUTOS", "55"},
                            {"SESION_ORD", "1"},
                            {"PLANTILLA", "P"}}));
  EXPECT_EQ(filas[6].at("DIHO"), "71");
  EXPECT_EQ(filas[6].at("DIA"), "7");
  EXPECT_EQ(filas[6].at("TEXTODIA"), "Domingo");
  EXPECT_EQ(d.report.rows, (std::vector<std::pair<std::string, long>>{{"DIASHORAST", 7}}));
}

TEST(CrearDiasHoras, HourByHourThenDayByDay) {
  std::vector<std::string> horas;
  for (int i = 1; i <= 9; ++i) horas.push_back(" " + std::to_string(i) + " de 08:00 a 08:55");
  horas.push_back("12 de 13:30 a 14:25");
  horas.push_back("13 de 14:30 a 14:00");
  Dias d;
  const auto filas = d.Crear(horas, "VALENCIÁ");
  ASSERT_EQ(filas.size(), 77u);
  std::vector<std::string> dihos, textos;
  for (int i = 63; i < 70; ++i) dihos.push_back(filas[i].at("DIHO"));
  EXPECT_EQ(dihos, (std::vector<std::string>{"110", "210", "310", "410", "510", "610", "710"}));
  // The tenth entry is hour 10, whatever its session number.
  EXPECT_EQ(filas[63].at("HORA"), "10");
  EXPECT_EQ(filas[63].at("TEXTOHOR"), "12");
  EXPECT_EQ(filas[63].at("SESION_ORD"), "12");
  EXPECT_EQ(filas[63].at("MINUTOS"), "55");
  EXPECT_EQ(filas[70].at("MINUTOS"), "-30");
  for (int i = 0; i < 7; ++i) textos.push_back(filas[i].at("TEXTODIA"));
  EXPECT_EQ(textos, (std::vector<std::string>{"Dilluns", "Dimarts", "Dimecres", "Dijous",
                                              "Divendres", "Dissabte", "Diumenge"}));
}

TEST(CrearDiasHoras, DayNamesByTheExactLanguageText) {
  const std::vector<std::pair<std::string, std::string>> casos = {{"CASTELLANO", "Miércoles"},
                                                                  {"VALENCIÁ", "Dimecres"},
                                                                  {"castellano", "Dimecres"},
                                                                  {"", "Dimecres"}};
  for (const auto& [idioma, miercoles] : casos) {
    SCOPED_TRACE(idioma);
    Dias d;
    EXPECT_EQ(d.Crear({" 1 de 08:00 a 08:55"}, idioma)[2].at("TEXTODIA"), miercoles);
  }
}

TEST(CrearDiasHoras, AnEmptyListGivesAnEmptyTable) {
  Dias d;
  EXPECT_TRUE(d.Crear({}, "VALENCIÁ").empty());
  EXPECT_EQ(Campos(d.escuela.Xtemp(), "DIASHORAST").size(), 11u);
}

TEST(CrearDiasHoras, AnEntryThatDoesNotReadLeavesTheLastSlots) {
  const std::vector<std::pair<std::string, std::string>> casos = {
      {" 1 de 8:00 a 8:55", "'8:' no es un valor entero válido"},
      {"123 de 08:00 a 08:55", "':0' no es un valor entero válido"},
      {" 1 de 08:00 a 08:5x", "'5x' no es un valor entero válido"},
      {" 1 de 08:00", "'' no es un valor entero válido"},
      {"1a de 08:00 a 08:55", "'1a' no es un valor entero válido"},
  };
  for (const auto& [entrada, mensaje] : casos) {
    SCOPED_TRACE(entrada);
    Dias d;
    d.Crear({" 1 de 08:00 a 08:55"}, "VALENCIÁ");
    const std::string antes = LeerBytes(TableFile(d.escuela.Xtemp(), "DIASHORAST"));
    try {
      d.Crear({" 2 de 09:00 a 09:55", entrada}, "VALENCIÁ");
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(mensaje, 0), 0u) << e.what();
    }
    EXPECT_EQ(LeerBytes(TableFile(d.escuela.Xtemp(), "DIASHORAST")), antes);
  }
}

}  // namespace
}  // namespace velmora::testing::exportar
