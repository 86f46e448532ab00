// A SOLUC that Tabulix did not finish writing (a crash, a full disk): the
// Tabulix to ITACA run names the table and what is wrong with it, and writes
// nothing: no slots table, no result.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "faults/fault_support.h"
#include "formats/error.h"
#include "to_itaca/importar.h"

namespace velmora::testing::faults {
namespace {

using ::testing::HasSubstr;

struct Corte {
  const char* nombre;
  // Bytes kept, from the header's length and the record length.
  std::size_t (*bytes)(std::size_t cabecera, std::size_t registro, std::size_t registros);
};

void PrintTo(const Corte& c, std::ostream* os) {
  *os << c.nombre;
}

const Corte kCortes[] = {
    {"EnLaCabecera", [](std::size_t cabecera, std::size_t, std::size_t) { return cabecera / 2; }},
    {"EnMedioDeUnaFila",
     [](std::size_t cabecera, std::size_t registro, std::size_t registros) {
       return cabecera + registro * (registros / 2) + registro / 2;
     }},
    {"TrasUnaFilaCompleta",
     [](std::size_t cabecera, std::size_t registro, std::size_t registros) {
       return cabecera + registro * (registros - 1);
     }},
};

class SolucTruncada : public ::testing::TestWithParam<Corte> {};

TEST_P(SolucTruncada, LaConversionLoDiceYNoEscribeNada) {
  Escuela escuela;
  const auto soluc = escuela.Tabla("SOLUC");
  std::string bytes = LeerBytes(soluc);
  auto le = [&](std::size_t at, int n) {
    std::size_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v * 256 + static_cast<std::uint8_t>(bytes[at + i]);
    return v;
  };
  const std::size_t registros = le(4, 4), cabecera = le(8, 2), registro = le(10, 2);
  ASSERT_GT(registros, 2u);
  bytes.resize(GetParam().bytes(cabecera, registro, registros));
  EscribirBytes(soluc, bytes);
  const Ficheros tablas = Instantanea(escuela.Xtemp());
  const Ficheros documentos = Instantanea(escuela.Raiz());

  RunState state = Estado(escuela);
  FakeDialogs dialogos;
  Preparar(dialogos, escuela.Documento());
  try {
    BImportarClick(state, dialogos);
    FAIL() << "la conversión terminó con SOLUC truncada";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr(soluc.filename().string()));
    EXPECT_THAT(e.what(), ::testing::AnyOf(HasSubstr("truncad"), HasSubstr("demasiado corto"),
                                           HasSubstr("no cabe")));
  }
  EXPECT_EQ(Instantanea(escuela.Xtemp()), tablas);
  EXPECT_EQ(Instantanea(escuela.Raiz()), documentos);
  EXPECT_EQ(state.resultCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Cortes, SolucTruncada, ::testing::ValuesIn(kCortes),
                         [](const auto& info) { return std::string(info.param.nombre); });

// Only the end-of-file byte missing: every row is there, and the run goes
// through (some writers leave it out).
TEST(SolucSinMarcaFinal, LaConversionTermina) {
  Escuela escuela;
  const auto soluc = escuela.Tabla("SOLUC");
  std::string bytes = LeerBytes(soluc);
  ASSERT_EQ(bytes.back(), '\x1A');
  bytes.pop_back();
  EscribirBytes(soluc, bytes);
  RunState state = Estado(escuela);
  FakeDialogs dialogos;
  Preparar(dialogos, escuela.Documento());
  BImportarClick(state, dialogos);
  EXPECT_EQ(state.resultCode, 1);
}

}  // namespace
}  // namespace velmora::testing::faults
