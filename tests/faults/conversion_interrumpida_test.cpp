// A run killed half-way (power cut, end of the session) cannot put its tables
// back. The next run does it before anything else: every table the killed run
// replaced comes back as it was, and the user is told.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <set>

#include "faults/fault_support.h"
#include "formats/error.h"
#include "to_itaca/importar.h"
#include "to_tabulix/exportar.h"
#include "to_tabulix/respaldo_tablas.h"

namespace velmora::testing::faults {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MuereAlPreguntar : public FakeDialogs {
 public:
  Answer Confirm(const std::string&) override {
    ::raise(SIGKILL);
    return Answer::No;
  }
};

class FallaAlPreguntar : public FakeDialogs {
 public:
  Answer Confirm(const std::string&) override { throw Error("falla a medias"); }
};

// The hidden entries of a folder: backup folders and temporary files.
std::set<std::string> Ocultos(const fs::path& carpeta) {
  std::set<std::string> ocultos;
  for (const auto& e : fs::directory_iterator(carpeta)) {
    const std::string nombre = e.path().filename().string();
    if (nombre.front() == '.') ocultos.insert(nombre);
  }
  return ocultos;
}

// The school's tables after an ITACA to Tabulix run of the other school was
// killed at its first question, when five tables were already replaced.
class ConversionInterrumpida : public ::testing::Test {
 protected:
  void SetUp() override {
    const Final final = EnHijo([] {},
                               [&] {
                                 RunState state = Estado(escuela);
                                 MuereAlPreguntar dialogos;
                                 Preparar(dialogos, escuela.OtroDocumento());
                                 BExportarClick(state, dialogos);
                               });
    ASSERT_FALSE(final.terminado);
    ASSERT_NE(Instantanea(escuela.Xtemp()), antes) << "murió antes de tocar las tablas";
    ASSERT_EQ(Ocultos(escuela.Xtemp()).size(), 1u);
  }

  Escuela escuela;
  const Ficheros antes = Instantanea(escuela.Xtemp());
  RunState state = Estado(escuela);
};

TEST_F(ConversionInterrumpida, UnaConversionQueFallaDespuesDejaLasTablasDeAntes) {
  FallaAlPreguntar dialogos;
  Preparar(dialogos, escuela.OtroDocumento());
  EXPECT_THROW(BExportarClick(state, dialogos), Error);
  EXPECT_EQ(Instantanea(escuela.Xtemp()), antes);
  EXPECT_THAT(Ocultos(escuela.Xtemp()), ::testing::IsEmpty());
}

TEST_F(ConversionInterrumpida, ImportarLeeLasTablasDeAntesYLoDice) {
  FakeDialogs dialogos;
  Preparar(dialogos, escuela.Documento(), "VES");
  BImportarClick(state, dialogos);
  EXPECT_EQ(state.resultCode, 1);
  EXPECT_THAT(state.report.notices,
              ElementsAre(AllOf(HasSubstr("se interrumpió"), HasSubstr("PROFT"), HasSubstr("ASIGT"),
                                HasSubstr("DIASHORAST"))));
  EXPECT_THAT(state.report.Text(), HasSubstr("Aviso: una conversión anterior"));
  const Ficheros despues = Instantanea(escuela.Xtemp());
  for (const char* tabla : {"PROFT", "CURSOST", "GRUPOST", "ASIGNOMT", "AULAT", "ASIGT"}) {
    const std::string nombre = escuela.Tabla(tabla).filename().string();
    EXPECT_EQ(despues.at(nombre), antes.at(nombre)) << tabla;
  }
  EXPECT_THAT(Ocultos(escuela.Xtemp()), ::testing::IsEmpty());
}

// --- backup folders left in every state -------------------------------------

// A process number that no process has any more.
long ProcesoTerminado() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return pid;
}

struct Carpeta : CarpetaTemporal {
  Carpeta() : CarpetaTemporal("velmora-interrumpida") {}
  fs::path Respaldo(long pid) const {
    const fs::path r = Path() / (".velmora-respaldo-" + std::to_string(pid));
    fs::create_directory(r);
    return r;
  }
};

// A killed run that had replaced PROFT ("P1"), created AULAT, which was not
// there ("A1"), and was putting the tables back when it died: CURSOST is
// back already ("C0"), PROFT's old bytes ("P0") are still in the backup.
fs::path RestauracionAMedias(const Carpeta& c, long pid) {
  const fs::path r = c.Respaldo(pid);
  EscribirBytes(r / "tablas", "T PROFT\nT CURSOST\nT AULAT\nF PROFT.DBF\nF CURSOST.DBF\n");
  EscribirBytes(r / "PROFT.DBF", "P0");
  EscribirBytes(c.Path() / "PROFT.DBF", "P1");
  EscribirBytes(c.Path() / "CURSOST.DBF", "C0");
  EscribirBytes(c.Path() / "AULAT.DBF", "A1");
  EscribirBytes(c.Path() / ".PROFT.DBF.x8Fk2a", "medio escrito");
  return r;
}

TEST(RespaldoInterrumpido, CadaTablaVuelveComoEstabaAntesDeLaConversionMuerta) {
  Carpeta c;
  RestauracionAMedias(c, ProcesoTerminado());
  {
    RespaldoTablas respaldo(c.Path(), {"DIASHORAST"});
    EXPECT_THAT(respaldo.Recuperadas(), ElementsAre("PROFT", "CURSOST", "AULAT"));
    respaldo.Confirmar();
  }
  EXPECT_EQ(Instantanea(c.Path()), (Ficheros{{"PROFT.DBF", "P0"}, {"CURSOST.DBF", "C0"}}));
  EXPECT_THAT(Ocultos(c.Path()), ::testing::IsEmpty());
}

TEST(RespaldoInterrumpido, SinListaLaConversionNoHabiaTocadoNingunaTabla) {
  Carpeta c;
  const fs::path r = c.Respaldo(ProcesoTerminado());
  EscribirBytes(c.Path() / "PROFT.DBF", "P0");
  EscribirBytes(r / "PROFT.DBF", "P0");
  {
    RespaldoTablas respaldo(c.Path(), {"DIASHORAST"});
    EXPECT_THAT(respaldo.Recuperadas(), ::testing::IsEmpty());
    respaldo.Confirmar();
  }
  EXPECT_EQ(Instantanea(c.Path()), (Ficheros{{"PROFT.DBF", "P0"}}));
  EXPECT_THAT(Ocultos(c.Path()), ::testing::IsEmpty());
}

TEST(RespaldoInterrumpido, ElDeUnaConversionQueSigueEnMarchaNoSeToca) {
  Carpeta c;
  const fs::path r = RestauracionAMedias(c, static_cast<long>(::getppid()));
  const Ficheros antes = Instantanea(c.Path());
  {
    RespaldoTablas respaldo(c.Path(), {"DIASHORAST"});
    EXPECT_THAT(respaldo.Recuperadas(), ::testing::IsEmpty());
    respaldo.Confirmar();
  }
  EXPECT_EQ(Instantanea(c.Path()), antes);
  EXPECT_EQ(Instantanea(r), (Ficheros{{"PROFT.DBF", "P0"}, {"tablas", LeerBytes(r / "tablas")}}));
}

TEST(RespaldoInterrumpido, UnaTablaEnUsoDetieneLaConversionSinTocarNada) {
  Carpeta c;
  const fs::path r = RestauracionAMedias(c, ProcesoTerminado());
  const Ficheros antes = Instantanea(c.Path());
  const Ficheros respaldoAntes = Instantanea(r);
  OtroPrograma otro(c.Path() / "AULAT.DBF", false);
  try {
    RespaldoTablas respaldo(c.Path(), {"DIASHORAST"});
    FAIL() << "se restauró con AULAT en uso";
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), AllOf(HasSubstr("AULAT"), HasSubstr("en uso por otro programa")));
  }
  EXPECT_EQ(Instantanea(c.Path()), antes);
  EXPECT_EQ(Instantanea(r), respaldoAntes);
}

}  // namespace
}  // namespace velmora::testing::faults
