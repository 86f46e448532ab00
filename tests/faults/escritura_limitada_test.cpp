// A write that fails half-way through a file: the run goes on in a child
// process whose files may not grow beyond a limit (RLIMIT_FSIZE, SIGXFSZ
// ignored, so the write fails with EFBIG as on a full disk). Whatever the
// limit, every table, result and settings file that was there is either as
// it was or completely replaced, and the run says which file it could not
// write.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "faults/fault_support.h"
#include "formats/settings_file.h"
#include "to_itaca/importar.h"
#include "to_tabulix/exportar.h"

namespace velmora::testing::faults {
namespace {

using ::testing::HasSubstr;

std::string Nombre(const ::testing::TestParamInfo<long>& info) {
  return std::to_string(info.param) + "_bytes";
}

// 200 bytes: not even the first table's header fits; 3000 and 20000: the
// teachers' rows do not; 120000: only the assignments' rows do not.
class ExportarConLimite : public ::testing::TestWithParam<long> {};

TEST_P(ExportarConLimite, CadaTablaQuedaComoEstabaOCompleta) {
  Escuela escuela;
  const Ficheros antes = Instantanea(escuela.Xtemp());
  const Final final = EnHijo([] { LimitarTamanoFicheros(GetParam()); },
                             [&] {
                               RunState state = Estado(escuela);
                               FakeDialogs dialogos;
                               Preparar(dialogos, escuela.OtroDocumento());
                               BExportarClick(state, dialogos);
                             });
  ASSERT_TRUE(final.terminado) << final.error.value_or("");
  ASSERT_TRUE(final.error) << "la conversión terminó pese al límite";
  EXPECT_THAT(*final.error, HasSubstr(".DBF"));
  ComprobarIntactosOCompletos(antes, escuela.Xtemp());
}

INSTANTIATE_TEST_SUITE_P(Limites, ExportarConLimite,
                         ::testing::Values(200L, 3000L, 20000L, 120000L), Nombre);

class ImportarConLimite : public ::testing::TestWithParam<long> {};

TEST_P(ImportarConLimite, ElResultadoAnteriorQuedaComoEstabaOCompleto) {
  Escuela escuela;
  const Ficheros tablas = Instantanea(escuela.Xtemp());
  const Ficheros documentos = Instantanea(escuela.Raiz());
  const Final final = EnHijo([] { LimitarTamanoFicheros(GetParam()); },
                             [&] {
                               RunState state = Estado(escuela);
                               FakeDialogs dialogos;
                               Preparar(dialogos, escuela.Documento());
                               BImportarClick(state, dialogos);
                             });
  ASSERT_TRUE(final.terminado) << final.error.value_or("");
  ASSERT_TRUE(final.error) << "la conversión terminó pese al límite";
  ComprobarIntactosOCompletos(tablas, escuela.Xtemp());
  ComprobarIntactosOCompletos(documentos, escuela.Raiz());
}

// 1000 bytes: the slots table's rows do not fit; 100000: only the result
// document does not.
INSTANTIATE_TEST_SUITE_P(Limites, ImportarConLimite, ::testing::Values(1000L, 100000L), Nombre);

TEST(AjustesConLimite, ElArchivoQuedaComoEstaba) {
  Escuela escuela;
  const auto ini = escuela.Raiz() / "Tabulix.ini";
  std::string contenido = "[Tabulix]\r\nCarpeta=C:\\XTEMP\r\n";
  for (int i = 0; i < 400; ++i) contenido += "; linea de relleno " + std::to_string(i) + "\r\n";
  contenido += "[Transformadores]\r\nTransformado=0\r\n";
  EscribirBytes(ini, contenido);
  const Final final =
      EnHijo([] { LimitarTamanoFicheros(4096); },
             [&] { WriteSettingsValue(ini, "Transformadores", "Transformado", "1"); });
  ASSERT_TRUE(final.terminado) << final.error.value_or("");
  ASSERT_TRUE(final.error) << "se escribió pese al límite";
  EXPECT_THAT(*final.error, HasSubstr("Tabulix.ini"));
  EXPECT_EQ(LeerBytes(ini), contenido);
  ComprobarIntactosOCompletos({}, escuela.Raiz());  // no temporary file left
}

}  // namespace
}  // namespace velmora::testing::faults
