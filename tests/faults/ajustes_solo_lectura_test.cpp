// A "Tabulix.ini" that cannot be written: read-only, a folder of that name,
// or beside the program in a folder that is a regular file. The write says
// which file, and what was there stays as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "faults/fault_support.h"
#include "formats/error.h"
#include "formats/settings_file.h"

namespace velmora::testing::faults {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const std::string kContenido =
    "[Tabulix]\r\nCarpeta=C:\\XTEMP\r\n[Transformadores]\r\nTransformado=0\r\n";

struct Caso {
  const char* nombre;
  // Makes the obstacle in `carpeta` and returns the settings file to write.
  fs::path (*preparar)(const fs::path& carpeta);
};

void PrintTo(const Caso& c, std::ostream* os) {
  *os << c.nombre;
}

const Caso kCasos[] = {
    {"SoloLectura",
     [](const fs::path& carpeta) {
       const auto ini = carpeta / "Tabulix.ini";
       EscribirBytes(ini, kContenido);
       fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       return ini;
     }},
    {"EsUnaCarpeta",
     [](const fs::path& carpeta) {
       const auto ini = carpeta / "Tabulix.ini";
       fs::create_directory(ini);
       EscribirBytes(ini / "dentro.txt", kContenido);
       return ini;
     }},
    {"SuCarpetaEsUnArchivo",
     [](const fs::path& carpeta) {
       EscribirBytes(carpeta / "programa", kContenido);
       return carpeta / "programa" / "Tabulix.ini";
     }},
};

class AjustesSinEscritura : public ::testing::TestWithParam<Caso> {};

TEST_P(AjustesSinEscritura, LaEscrituraLoDiceYNoCambiaNada) {
  Escuela escuela;
  const fs::path carpeta = escuela.Raiz() / "ajustes";
  fs::create_directory(carpeta);
  const fs::path ini = GetParam().preparar(carpeta);
  const Ficheros antes = Instantanea(carpeta);
  std::error_code ec;
  const Ficheros dentro = fs::is_directory(ini, ec) ? Instantanea(ini) : Ficheros{};
  try {
    WriteSettingsValue(ini, "Transformadores", "Transformado", "1");
    FAIL() << "se escribió en " << ini;
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("Tabulix.ini"));
  }
  EXPECT_EQ(Instantanea(carpeta), antes);
  if (fs::is_directory(ini, ec)) {
    EXPECT_EQ(Instantanea(ini), dentro);
  }
}

INSTANTIATE_TEST_SUITE_P(Casos, AjustesSinEscritura, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace velmora::testing::faults
