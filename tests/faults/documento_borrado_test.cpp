// The source document disappears between the choice of the file and its
// load (a network drive that drops, another program that moves it): the run
// says so and no table, result or document is touched.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "faults/fault_support.h"
#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "to_itaca/importar.h"
#include "to_tabulix/exportar.h"

namespace velmora::testing::faults {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::HasSubstr;

// Deletes the document as soon as the open dialog has handed it over.
class BorraAlElegir : public FakeDialogs {
 public:
  std::optional<fs::path> ChooseXmlFile() override {
    auto elegido = FakeDialogs::ChooseXmlFile();
    if (elegido) fs::remove(*elegido);
    return elegido;
  }
};

// Deletes the document just before the template chooser reads it.
class BorraAntesDelSelector : public FakeDialogs {
 public:
  TemplateChoice ChooseTemplate(const XmlDocument& documento, const std::string& idioma,
                                int tag) override {
    fs::remove(documento.File());
    return FakeDialogs::ChooseTemplate(documento, idioma, tag);
  }
};

struct Direccion {
  const char* nombre;
  void (*correr)(RunState&, Dialogs&);
  const char* mensaje;  // the run's own message for a missing file
};

void PrintTo(const Direccion& d, std::ostream* os) {
  *os << d.nombre;
}

const Direccion kDirecciones[] = {
    {"Exportar", BExportarClick, "No existe archivo"},
    {"Importar", BImportarClick, "No existe archivo XML o Solución."},
};

class DocumentoBorrado : public ::testing::TestWithParam<Direccion> {};

TEST_P(DocumentoBorrado, AlElegirloLaConversionLoDiceYNoTocaNada) {
  for (int runMode : {0, 2}) {
    SCOPED_TRACE("modo " + std::to_string(runMode));
    Escuela escuela;
    const Ficheros tablas = Instantanea(escuela.Xtemp());
    Ficheros documentos = Instantanea(escuela.Raiz());
    documentos.erase(escuela.Documento().filename().string());
    RunState state = Estado(escuela);
    state.runMode = runMode;
    BorraAlElegir dialogos;
    Preparar(dialogos, escuela.Documento());
    GetParam().correr(state, dialogos);
    EXPECT_THAT(dialogos.messages, Contains(GetParam().mensaje));
    EXPECT_EQ(state.resultCode, runMode == 2 ? -1 : 0);
    EXPECT_EQ(dialogos.closed, runMode == 2 ? 1 : 0);
    EXPECT_EQ(Instantanea(escuela.Xtemp()), tablas);
    EXPECT_EQ(Instantanea(escuela.Raiz()), documentos);
  }
}

TEST_P(DocumentoBorrado, AntesDelSelectorDePlantillasLaConversionLoDiceYNoTocaNada) {
  Escuela escuela;
  const Ficheros tablas = Instantanea(escuela.Xtemp());
  Ficheros documentos = Instantanea(escuela.Raiz());
  documentos.erase(escuela.Documento().filename().string());
  RunState state = Estado(escuela);
  BorraAntesDelSelector dialogos;
  Preparar(dialogos, escuela.Documento());
  try {
    GetParam().correr(state, dialogos);
    FAIL() << "la conversión terminó sin documento";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr(escuela.Documento().filename().string()));
  }
  EXPECT_EQ(Instantanea(escuela.Xtemp()), tablas);
  EXPECT_EQ(Instantanea(escuela.Raiz()), documentos);
  EXPECT_EQ(state.resultCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Direcciones, DocumentoBorrado, ::testing::ValuesIn(kDirecciones),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace velmora::testing::faults
