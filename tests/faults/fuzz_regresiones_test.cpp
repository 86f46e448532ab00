// Every input that the fuzzers found at fault, and their seeds, goes again
// through the same checks as in fuzzing (fuzz/*_checks.h): a failure is a
// velmora::Error, never a crash, a foreign exception or a broken rule.
//   tests/fixtures/fuzz-regressions/<target>/  inputs that once failed
//   fuzz/seeds/<target>/                       the seed corpora
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/dbf_checks.h"
#include "fuzz/horas_checks.h"
#include "fuzz/settings_checks.h"
#include "fuzz/xml_checks.h"

namespace velmora::testing::faults {
namespace {

namespace fs = std::filesystem;

struct Objetivo {
  const char* nombre;
  void (*comprobar)(std::string_view, const fuzz::Scratch&);
};

void PrintTo(const Objetivo& o, std::ostream* os) {
  *os << o.nombre;
}

const Objetivo kObjetivos[] = {
    {"dbf", fuzz::CheckDbfInput},
    {"xml", fuzz::CheckXmlInput},
    {"settings", fuzz::CheckSettingsInput},
    {"horas", fuzz::CheckHorasInput},
};

std::vector<fs::path> Entradas(const std::string& objetivo) {
  std::vector<fs::path> entradas;
  for (const fs::path& carpeta : {fs::path(VELMORA_FIXTURES) / "fuzz-regressions" / objetivo,
                                  fs::path(VELMORA_SOURCE_DIR) / "fuzz" / "seeds" / objetivo}) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(carpeta, ec))
      if (e.is_regular_file()) entradas.push_back(e.path());
  }
  return entradas;
}

class EntradasDeFuzzing : public ::testing::TestWithParam<Objetivo> {};

TEST_P(EntradasDeFuzzing, PasanLasComprobaciones) {
  const fuzz::Scratch scratch(std::string("regresion-") + GetParam().nombre);
  const auto entradas = Entradas(GetParam().nombre);
  EXPECT_FALSE(entradas.empty()) << "sin semillas para " << GetParam().nombre;
  for (const fs::path& entrada : entradas) {
    SCOPED_TRACE(entrada.string());
    const std::string bytes = fuzz::ReadBytes(entrada);
    try {
      GetParam().comprobar(bytes, scratch);
    } catch (const fuzz::Finding& f) {
      ADD_FAILURE() << f.what();
    } catch (const Error& e) {
      ADD_FAILURE() << "error que la comprobación no esperaba: " << e.what();
    } catch (const std::exception& e) {
      ADD_FAILURE() << "excepción ajena: " << e.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Objetivos, EntradasDeFuzzing, ::testing::ValuesIn(kObjetivos),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace velmora::testing::faults
