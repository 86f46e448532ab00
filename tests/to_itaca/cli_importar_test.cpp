// velmora-cli importar: what it prints and its exit status.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>

#include "solucion_prueba.h"

namespace velmora::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct Salida {
  int estado = -1;
  std::string salida, errores;
};

class CliImportarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(Cli())) GTEST_SKIP() << "sin " << Cli() << " (compílelo antes)";
    std::filesystem::create_directory(xtemp());
    CrearTablasConsulta(xtemp());
    CrearTabla(xtemp(), "CURSOST", {{"CLAVE", FieldKind::Text, 10}}, {{"C1"}});
    CrearTabla(xtemp(), "ASIGT", {{"CASIG", FieldKind::Text, 10}}, {{"MAT"}});
    CrearTabla(xtemp(), "SOLUC", kCamposSoluc,
               {{"1A", "MAT", "*479", "JPG", "A101", "3", "2"},
                {"", "GUA", "GUA", "JPG", "", "5", "1"},
                {"", "GUA", "GUA", "XYZ", "", "5", "1"}});
    EscribirBytes(carpeta / "centro.xml",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<centro codigo=\"1\" denominacion=\"D\" curso=\"2023\" version=\"1\">"
                  "<plantillas_horario><plantilla_horario codigo=\"P1\" descripcion_val=\"M\" "
                  "descripcion_cas=\"M\" turno=\"M\"/></plantillas_horario><sesiones_horario>"
                  "<sesion_horario plantilla=\"P1\" dia_semana=\"L\" sesion_orden=\"1\" "
                  "hora_desde=\"08:00\" hora_hasta=\"08:55\"/>"
                  "<sesion_horario plantilla=\"P1\" dia_semana=\"L\" sesion_orden=\"2\" "
                  "hora_desde=\"08:55\" hora_hasta=\"09:50\"/>"
                  "</sesiones_horario></centro>\n");
  }

  static std::filesystem::path Cli() {
    return std::filesystem::path(VELMORA_BINARY_DIR) / "cli" / "velmora-cli";
  }
  std::filesystem::path xtemp() const { return carpeta / "XTEMP"; }

  Salida Ejecutar(const std::string& argumentos) {
    const auto errores = carpeta / "errores.txt";
    const std::string orden =
        "'" + Cli().string() + "' importar " + argumentos + " 2>'" + errores.string() + "'";
    Salida s;
    FILE* tubo = ::popen(orden.c_str(), "r");
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, tubo)) > 0) s.salida.append(buf, n);
    const int estado = ::pclose(tubo);
    s.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    s.errores = LeerBytes(errores);
    return s;
  }

  std::string Documento() const { return "'" + (carpeta / "centro.xml").string() + "'"; }
  std::string Xtemp() const { return " --xtemp '" + xtemp().string() + "'"; }

  CarpetaPrueba carpeta;
};

TEST_F(CliImportarTest, EscribeElResultadoYLoCuenta) {
  const Salida s = Ejecutar(Documento() + Xtemp() + " --plantilla P1 --curso 2030");
  EXPECT_EQ(s.estado, 0) << s.errores;
  EXPECT_THAT(s.salida,
              HasSubstr("Resultado: " + (carpeta / "ResultadoTabulixcentro.xml").string() + "\n"));
  EXPECT_THAT(s.salida, HasSubstr("Sesiones de grupo escritas: 1\n"));
  EXPECT_THAT(s.salida, HasSubstr("Sesiones de ocupaciones escritas: 1\n"));
  EXPECT_THAT(s.salida, HasSubstr("DIASHORAST: 14 filas"));
  EXPECT_THAT(s.salida, HasSubstr("SOLUC fila 3, ocupación: PROF «XYZ» no está en PROFT"));
  EXPECT_THAT(LeerBytes(carpeta / "ResultadoTabulixcentro.xml"), HasSubstr("curso=\"2030\""));
}

TEST_F(CliImportarTest, LosErroresVanAErroresConEstadoDistintoDeCero) {
  struct Caso {
    std::string argumentos;
    int estado;
    std::string mensaje;
  };
  const std::vector<Caso> casos = {
      {Documento() + Xtemp(), 2, "--plantilla"},
      {Xtemp() + " --plantilla P1", 2, "documento"},
      {Documento() + Xtemp() + " --plantilla P1 --idioma frances", 2, "frances"},
      {Documento() + Xtemp() + " --plantilla P9", 1, "«P9»"},
      {Documento() + " --xtemp '" + (carpeta / "otra").string() + "' --plantilla P1", 1,
       "No existe archivo XML o Solución."},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.argumentos);
    const Salida s = Ejecutar(c.argumentos);
    EXPECT_EQ(s.estado, c.estado);
    EXPECT_THAT(s.errores, HasSubstr(c.mensaje));
    EXPECT_THAT(s.salida, Not(HasSubstr("Resultado:")));
  }
  EXPECT_FALSE(std::filesystem::exists(carpeta / "ResultadoTabulixcentro.xml"));
}

}  // namespace
}  // namespace velmora::testing
