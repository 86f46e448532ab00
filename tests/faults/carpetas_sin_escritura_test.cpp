// A working folder or a result folder that cannot be written: the run goes
// on in a child process to which the folder is closed (SinEscrituraEn); a
// folder whose path runs through a regular file is closed to everyone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "faults/fault_support.h"
#include "formats/error.h"
#include "to_itaca/importar.h"
#include "to_tabulix/exportar.h"

namespace velmora::testing::faults {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

TEST(CarpetaDeTrabajoSinEscritura, LaConversionLoDiceYNoTocaNada) {
  Escuela escuela;
  const Ficheros antes = Instantanea(escuela.Xtemp());
  const auto cerrar = SinEscrituraEn(escuela.Xtemp());
  if (!cerrar) GTEST_SKIP() << "root no puede pasar al usuario nobody aquí";
  const Final final = EnHijo(*cerrar, [&] {
    RunState state = Estado(escuela);
    FakeDialogs dialogos;
    Preparar(dialogos, escuela.OtroDocumento());
    BExportarClick(state, dialogos);
  });
  ASSERT_TRUE(final.terminado) << final.error.value_or("");
  ASSERT_TRUE(final.error) << "la conversión terminó en una carpeta sin escritura";
  EXPECT_THAT(*final.error, HasSubstr(escuela.Xtemp().string()));
  EXPECT_EQ(Instantanea(escuela.Xtemp()), antes);
}

TEST(CarpetaDelResultadoSinEscritura, ElResultadoAnteriorQuedaComoEstaba) {
  Escuela escuela;
  // The slots table is rebuilt in the working folder, which stays open.
  fs::permissions(escuela.Xtemp(), fs::perms::all);
  const Ficheros tablas = Instantanea(escuela.Xtemp());
  const Ficheros documentos = Instantanea(escuela.Raiz());
  const auto cerrar = SinEscrituraEn(escuela.Raiz());
  if (!cerrar) GTEST_SKIP() << "root no puede pasar al usuario nobody aquí";
  const Final final = EnHijo(*cerrar, [&] {
    RunState state = Estado(escuela);
    FakeDialogs dialogos;
    Preparar(dialogos, escuela.Documento());
    BImportarClick(state, dialogos);
  });
  ASSERT_TRUE(final.terminado) << final.error.value_or("");
  ASSERT_TRUE(final.error) << "la conversión terminó en una carpeta sin escritura";
  EXPECT_THAT(*final.error, HasSubstr(escuela.Resultado().filename().string()));
  EXPECT_EQ(Instantanea(escuela.Raiz()), documentos);
  ComprobarIntactosOCompletos(tablas, escuela.Xtemp());
}

// C:\XTEMP on a drive that is gone: the path runs through a regular file.
TEST(CarpetaDeTrabajoImposible, LaConversionLoDiceAntesDeEmpezar) {
  Escuela escuela;
  const fs::path fichero = escuela.Raiz() / "unidad";
  EscribirBytes(fichero, "no es una carpeta");
  const Ficheros documentos = Instantanea(escuela.Raiz());

  RunState ida = Estado(escuela);
  ida.xtemp = fichero / "XTEMP";
  FakeDialogs dialogos;
  Preparar(dialogos, escuela.Documento());
  try {
    BExportarClick(ida, dialogos);
    FAIL() << "la conversión terminó sin carpeta de trabajo";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr(ida.xtemp.string()));
  }

  RunState vuelta = Estado(escuela);
  vuelta.xtemp = fichero / "XTEMP";
  FakeDialogs otros;
  Preparar(otros, escuela.Documento());
  BImportarClick(vuelta, otros);  // its own check: SOLUC is not there
  EXPECT_THAT(otros.messages, ::testing::Contains("No existe archivo XML o Solución."));
  EXPECT_EQ(vuelta.resultCode, 0);
  EXPECT_EQ(Instantanea(escuela.Raiz()), documentos);
}

}  // namespace
}  // namespace velmora::testing::faults
