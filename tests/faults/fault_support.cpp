#include "faults/fault_support.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "formats/itaca_xml.h"
#include "to_itaca/importar.h"
#include "to_itaca/resultado.h"
#include "to_tabulix/exportar.h"
#include "to_tabulix/plantillas.h"
#include "tools/lib/stand_in_solution.h"
#include "tools/lib/synthetic_school.h"

namespace velmora::testing::faults {

namespace fs = std::filesystem;

std::string LeerBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void EscribirBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Ficheros Instantanea(const fs::path& carpeta) {
  Ficheros ficheros;
  for (const auto& e : fs::directory_iterator(carpeta)) {
    if (e.is_regular_file()) ficheros[e.path().filename().string()] = LeerBytes(e.path());
  }
  return ficheros;
}

namespace {

bool EsTabla(const std::string& nombre) {
  return nombre.size() > 4 &&
         (nombre.substr(nombre.size() - 4) == ".DBF" || nombre.substr(nombre.size() - 4) == ".dbf");
}

// The rows a table's header announces (deleted ones included).
long FilasAnunciadas(const std::string& bytes) {
  if (bytes.size() < 8) return 0;
  long n = 0;
  for (int i = 7; i >= 4; --i) n = n * 256 + static_cast<unsigned char>(bytes[i]);
  return n;
}

// Empty when the file is complete; otherwise why not. A table that held rows
// and now holds none lost them: its step deleted it and did not get its rows
// written.
std::string Incompleto(const fs::path& file, const std::string& antes) {
  try {
    if (EsTabla(file.filename().string())) {
      Table t(file, OpenMode::Shared);
      for (t.First(); !t.Eof(); t.Next()) {
        for (const FieldInfo& f : t.Fields()) (void)t.AsString(f.name);
      }
      const long filas = t.RecordCount();
      t.Close();
      if (filas == 0 && FilasAnunciadas(antes) > 0) {
        return "la tabla se ha quedado sin filas (antes tenía " +
               std::to_string(FilasAnunciadas(antes)) + ")";
      }
    } else {
      (void)XmlDocument::Load(file);
    }
  } catch (const Error& e) {
    return e.what();
  }
  return {};
}

}  // namespace

void ComprobarIntactosOCompletos(const Ficheros& antes, const fs::path& carpeta,
                                 std::vector<std::string>* cambiados) {
  for (const auto& [nombre, bytes] : antes) {
    const fs::path file = carpeta / nombre;
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
      ADD_FAILURE() << nombre << " existía antes y ya no está";
      continue;
    }
    if (LeerBytes(file) == bytes) continue;
    if (cambiados) cambiados->push_back(nombre);
    const std::string motivo = Incompleto(file, bytes);
    EXPECT_EQ(motivo, "") << nombre << " cambió y no está completo";
  }
  for (const auto& e : fs::directory_iterator(carpeta)) {
    const std::string nombre = e.path().filename().string();
    EXPECT_NE(nombre.front(), '.') << "queda un archivo temporal: " << nombre;
  }
}

// ---------------------------------------------------------------------------

namespace {

// The school and its earlier runs, made once per test program.
struct Plantilla {
  Ficheros raiz;
  Ficheros xtemp;
};

const Plantilla& Original() {
  static const Plantilla original = [] {
    const CarpetaTemporal base("velmora-faults-base");
    const fs::path& dir = base.Path();
    fs::create_directories(dir / "XTEMP");
    tools::WriteSyntheticSchool(dir / "ies.xml", {.seed = 1, .scale = 1});
    tools::WriteSyntheticSchool(dir / "otro.xml", {.seed = 2, .scale = 1});

    RunState state;
    state.xtemp = dir / "XTEMP";
    FakeDialogs ida;
    Preparar(ida, dir / "ies.xml", "VES");
    BExportarClick(state, ida);
    tools::WriteStandInSolution(state.xtemp, 1);
    RunState vuelta;
    vuelta.xtemp = state.xtemp;
    FakeDialogs dialogos;
    Preparar(dialogos, dir / "ies.xml", "VES");
    BImportarClick(vuelta, dialogos);

    return Plantilla{Instantanea(dir), Instantanea(dir / "XTEMP")};
  }();
  return original;
}

}  // namespace

Escuela::Escuela() {
  const Plantilla& original = Original();
  fs::create_directory(Xtemp());
  for (const auto& [nombre, bytes] : original.raiz) EscribirBytes(raiz_ / nombre, bytes);
  for (const auto& [nombre, bytes] : original.xtemp) EscribirBytes(Xtemp() / nombre, bytes);
}

Escuela::~Escuela() {
  // A test may have taken permissions away from the working folder; the
  // root folder gives its own back as it goes.
  std::error_code ec;
  fs::permissions(Xtemp(), fs::perms::owner_all, fs::perm_options::add, ec);
}

fs::path Escuela::Resultado() const {
  return RutaResultado(Documento());
}

fs::path Escuela::Tabla(const std::string& nombre) const {
  return TableFile(Xtemp(), nombre);
}

void Preparar(FakeDialogs& dialogos, const fs::path& documento, const std::string& plantilla) {
  dialogos.files.push_back(documento);
  dialogos.answers = {Answer::No, Answer::No};
  dialogos.onTemplate = [plantilla](const fs::path& ruta, const std::string& idioma, int tag) {
    const XmlDocument d = XmlDocument::Load(ruta);
    return ElegirPlantilla(d, plantilla, idioma, tag);
  };
}

RunState Estado(const Escuela& escuela) {
  RunState state;
  state.xtemp = escuela.Xtemp();
  return state;
}

// ---------------------------------------------------------------------------

OtroPrograma::OtroPrograma(const fs::path& file, bool exclusivo) {
  int listo[2], liberar[2];
  if (::pipe(listo) != 0 || ::pipe(liberar) != 0) throw std::runtime_error("pipe");
  pid_ = ::fork();
  if (pid_ == 0) {
    ::close(listo[0]);
    ::close(liberar[1]);
    const int fd = ::open(file.c_str(), O_RDONLY);
    const char ok =
        fd >= 0 && ::flock(fd, (exclusivo ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0 ? '1' : '0';
    (void)!::write(listo[1], &ok, 1);
    char c;
    while (::read(liberar[0], &c, 1) > 0) {
    }
    ::_exit(0);
  }
  ::close(listo[1]);
  ::close(liberar[0]);
  liberar_ = liberar[1];
  char ok = '0';
  (void)!::read(listo[0], &ok, 1);
  ::close(listo[0]);
  if (ok != '1') ADD_FAILURE() << "el otro programa no pudo abrir " << file;
}

OtroPrograma::~OtroPrograma() {
  ::close(liberar_);
  int status = 0;
  ::waitpid(pid_, &status, 0);
}

Final EnHijo(const std::function<void()>& preparar, const std::function<void()>& correr) {
  int tubo[2];
  if (::pipe(tubo) != 0) throw std::runtime_error("pipe");
  const int pid = ::fork();
  if (pid == 0) {
    ::close(tubo[0]);
    std::string mensaje = "+";
    try {
      preparar();
      correr();
    } catch (const Error& e) {
      mensaje = std::string("-") + e.what();
    } catch (const std::exception& e) {
      mensaje = std::string("!error inesperado: ") + e.what();
    }
    const char* p = mensaje.data();
    std::size_t n = mensaje.size();
    while (n > 0) {
      const ssize_t w = ::write(tubo[1], p, n);
      if (w <= 0) break;
      p += w;
      n -= static_cast<std::size_t>(w);
    }
    ::_exit(0);
  }
  ::close(tubo[1]);
  std::string mensaje;
  char buf[4096];
  ssize_t r;
  while ((r = ::read(tubo[0], buf, sizeof buf)) > 0)
    mensaje.append(buf, static_cast<std::size_t>(r));
  ::close(tubo[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  Final final;
  final.terminado =
      WIFEXITED(status) && WEXITSTATUS(status) == 0 && !mensaje.empty() && mensaje.front() != '!';
  if (!mensaje.empty() && mensaje.front() != '+') final.error = mensaje.substr(1);
  return final;
}

void LimitarTamanoFicheros(long bytes) {
  ::signal(SIGXFSZ, SIG_IGN);
  const struct rlimit limite { static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes) };
  if (::setrlimit(RLIMIT_FSIZE, &limite) != 0) throw std::runtime_error("setrlimit");
}

namespace {

constexpr uid_t kNadie = 65534;

bool ComoNadie() {
  if (::setgroups(0, nullptr) != 0) return false;
  if (::setresgid(kNadie, kNadie, kNadie) != 0) return false;
  return ::setresuid(kNadie, kNadie, kNadie) == 0;
}

void PasarANadie() {
  if (!ComoNadie()) throw std::runtime_error("no se puede pasar al usuario nobody");
}

}  // namespace

std::optional<std::function<void()>> SinEscrituraEn(const fs::path& carpeta) {
  if (::geteuid() == 0) {
    const Final prueba = EnHijo(PasarANadie, [] {});
    if (!prueba.terminado || prueba.error) return std::nullopt;
    return std::function<void()>(PasarANadie);
  }
  fs::permissions(carpeta,
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  return std::function<void()>([] {});
}

}  // namespace velmora::testing::faults
