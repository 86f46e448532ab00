// A table that another program (Tabulix, most often) holds open, before a run
// and half-way through one: the run stops with a message that names the
// table, and every file is as it was or completely replaced.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "faults/fault_support.h"
#include "formats/error.h"
#include "to_itaca/importar.h"
#include "to_tabulix/exportar.h"

namespace velmora::testing::faults {
namespace {

using ::testing::HasSubstr;

struct Bloqueo {
  const char* tabla;
  bool exclusivo;
};

void PrintTo(const Bloqueo& b, std::ostream* os) {
  *os << b.tabla << (b.exclusivo ? " exclusiva" : " compartida");
}

std::string Nombre(const ::testing::TestParamInfo<Bloqueo>& info) {
  return std::string(info.param.tabla) + (info.param.exclusivo ? "_exclusiva" : "_compartida");
}

// --- before the run --------------------------------------------------------

class EnUsoAntesDeExportar : public ::testing::TestWithParam<Bloqueo> {};

TEST_P(EnUsoAntesDeExportar, NoSeTocaNingunaTabla) {
  Escuela escuela;
  const Ficheros antes = Instantanea(escuela.Xtemp());
  OtroPrograma otro(escuela.Tabla(GetParam().tabla), GetParam().exclusivo);
  RunState state = Estado(escuela);
  FakeDialogs dialogos;
  Preparar(dialogos, escuela.OtroDocumento());
  try {
    BExportarClick(state, dialogos);
    FAIL() << "la conversión terminó con " << GetParam().tabla << " en uso";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("en uso por otro programa"));
    EXPECT_THAT(e.what(), HasSubstr(GetParam().tabla));
  }
  EXPECT_EQ(Instantanea(escuela.Xtemp()), antes);
  EXPECT_EQ(state.resultCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Tablas, EnUsoAntesDeExportar,
                         ::testing::Values(Bloqueo{"PROFT", true}, Bloqueo{"ASIGT", false},
                                           Bloqueo{"DIASHORAST", false}),
                         Nombre);

class EnUsoAntesDeImportar : public ::testing::TestWithParam<Bloqueo> {};

TEST_P(EnUsoAntesDeImportar, NoSeTocaNadaNiSeEscribeElResultado) {
  Escuela escuela;
  const Ficheros tablas = Instantanea(escuela.Xtemp());
  const Ficheros documentos = Instantanea(escuela.Raiz());
  OtroPrograma otro(escuela.Tabla(GetParam().tabla), GetParam().exclusivo);
  RunState state = Estado(escuela);
  FakeDialogs dialogos;
  Preparar(dialogos, escuela.Documento());
  try {
    BImportarClick(state, dialogos);
    FAIL() << "la conversión terminó con " << GetParam().tabla << " en uso";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("en uso por otro programa"));
    EXPECT_THAT(e.what(), HasSubstr(GetParam().tabla));
  }
  EXPECT_EQ(Instantanea(escuela.Xtemp()), tablas);
  EXPECT_EQ(Instantanea(escuela.Raiz()), documentos);
}

INSTANTIATE_TEST_SUITE_P(Tablas, EnUsoAntesDeImportar,
                         ::testing::Values(Bloqueo{"SOLUC", false}, Bloqueo{"GRUPOST", true},
                                           Bloqueo{"DIASHORAST", false}),
                         Nombre);

// --- half-way through the ITACA to Tabulix run -----------------------------

// Tabulix opens a table while the run asks its first question (after the
// first six tables have been written).
class AbreAlPreguntar : public FakeDialogs {
 public:
  AbreAlPreguntar(std::filesystem::path tabla, bool exclusivo)
      : tabla_(std::move(tabla)), exclusivo_(exclusivo) {}
  Answer Confirm(const std::string& text) override {
    if (!otro_) otro_ = std::make_unique<OtroPrograma>(tabla_, exclusivo_);
    return FakeDialogs::Confirm(text);
  }

 private:
  std::filesystem::path tabla_;
  bool exclusivo_;
  std::unique_ptr<OtroPrograma> otro_;
};

class EnUsoAMitadDeExportar : public ::testing::TestWithParam<Bloqueo> {};

TEST_P(EnUsoAMitadDeExportar, CadaTablaQuedaComoEstabaOCompleta) {
  Escuela escuela;
  const Ficheros antes = Instantanea(escuela.Xtemp());
  const std::string tabla = GetParam().tabla;
  const std::string fichero = escuela.Tabla(tabla).filename().string();
  RunState state = Estado(escuela);
  {
    AbreAlPreguntar dialogos(escuela.Tabla(tabla), GetParam().exclusivo);
    Preparar(dialogos, escuela.OtroDocumento());
    try {
      BExportarClick(state, dialogos);
      FAIL() << "la conversión terminó con " << tabla << " en uso";
    } catch (const Error& e) {
      EXPECT_THAT(e.what(), HasSubstr("en uso por otro programa"));
      EXPECT_THAT(e.what(), HasSubstr(tabla));
    }
    // The table was taken half-way: after the first six steps.
    EXPECT_FALSE(dialogos.questions.empty());
  }
  ComprobarIntactosOCompletos(antes, escuela.Xtemp());
  if (tabla == "DIASHORAST") {
    // Written only by the last step, after the other program took it.
    EXPECT_EQ(LeerBytes(escuela.Tabla(tabla)), antes.at(fichero));
  }
  EXPECT_EQ(state.resultCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Tablas, EnUsoAMitadDeExportar,
                         ::testing::Values(Bloqueo{"ASIGT", true}, Bloqueo{"GRUPOST", false},
                                           Bloqueo{"DIASHORAST", false}),
                         Nombre);

}  // namespace
}  // namespace velmora::testing::faults
