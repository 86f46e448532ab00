#include "to_tabulix/respaldo_tablas.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "formats/file_bytes.h"
#include "formats/text.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// The files of a table in the folder, in any mix of capitals (.DBF and .MDX).
std::vector<fs::path> ArchivosDeTabla(const fs::path& folder, const std::string& tabla) {
  std::vector<fs::path> archivos;
  std::error_code ec;
  const std::string dbf = FoldCase(tabla + ".DBF");
  const std::string mdx = FoldCase(tabla + ".MDX");
  for (fs::directory_iterator it(folder, ec), fin; !ec && it != fin; it.increment(ec)) {
    const std::string nombre = FoldCase(it->path().filename().string());
    if ((nombre == dbf || nombre == mdx) && it->is_regular_file(ec)) archivos.push_back(it->path());
  }
  return archivos;
}

constexpr std::string_view kPrefijo = ".velmora-respaldo-";
// In the backup folder: the tables the run replaces ("T PROFT") and the files
// it backed up ("F PROFT.DBF"), one per line. Written once every backup is
// made, and removed first when the run is over: a folder without it belongs
// to a run that had not touched any table yet, or had finished.
constexpr const char* kLista = "tablas";

struct Lista {
  std::vector<std::string> tablas;
  std::vector<std::string> archivos;  // file names, case folded
};

// The process number in the name of a backup folder, or 0.
long ProcesoDe(const std::string& nombre) {
  if (nombre.rfind(kPrefijo, 0) != 0 || nombre.size() == kPrefijo.size()) return 0;
  long pid = 0;
  for (std::size_t i = kPrefijo.size(); i < nombre.size(); ++i) {
    if (nombre[i] < '0' || nombre[i] > '9' || pid > 100000000) return 0;
    pid = pid * 10 + (nombre[i] - '0');
  }
  return pid;
}

// Whether the run that made a backup folder is over. A run of this process
// is: runs follow one another. Another process that is still there may be
// converting right now, and its folder is left alone.
bool RunTerminada(long pid) {
  if (pid == static_cast<long>(::getpid())) return true;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

Lista LeerLista(const fs::path& respaldo) {
  Lista lista;
  std::ifstream in(respaldo / kLista, std::ios::binary);
  for (std::string linea; std::getline(in, linea);) {
    if (linea.size() < 3 || linea[1] != ' ') continue;
    if (linea[0] == 'T') lista.tablas.push_back(linea.substr(2));
    if (linea[0] == 'F') lista.archivos.push_back(FoldCase(linea.substr(2)));
  }
  return lista;
}

// Earlier temporary copies of a table, which a killed writer leaves behind
// (".PROFT.DBF.x8Fk2a"): the table is not in use, so nobody is writing them.
void QuitarTemporales(const fs::path& folder, const std::string& tabla) {
  const std::string prefijo = FoldCase("." + tabla + ".DBF.");
  std::error_code ec;
  std::vector<fs::path> temporales;
  for (fs::directory_iterator it(folder, ec), fin; !ec && it != fin; it.increment(ec)) {
    const std::string nombre = FoldCase(it->path().filename().string());
    if (nombre.size() == prefijo.size() + 6 && nombre.rfind(prefijo, 0) == 0 &&
        it->is_regular_file(ec))
      temporales.push_back(it->path());
  }
  for (const fs::path& t : temporales) fs::remove(t, ec);
}

// Puts back the tables of one interrupted run: each listed table as it was
// before that run, or gone if it was not there. Returns the tables.
std::vector<std::string> Recuperar(const fs::path& folder, const fs::path& respaldo) {
  const Lista lista = LeerLista(respaldo);
  const std::vector<std::string>& tablas = lista.tablas;
  std::error_code ec;
  if (tablas.empty()) {
    // Killed while it made its backups: it had not touched any table.
    fs::remove_all(respaldo, ec);
    return {};
  }
  for (const std::string& tabla : tablas) {
    if (IsTableInUse(TableFile(folder, tabla))) {
      throw Error("Una conversión anterior se interrumpió y dejó a medias las tablas de «" +
                  PathText(folder) + "», pero la tabla " + tabla +
                  " está en uso por otro programa y no se puede restaurar; ciérrelo y vuelva a "
                  "intentarlo. No se ha modificado ninguna tabla.");
    }
  }
  bool todo = true;
  // A file that was backed up and is no longer in the backup is the old one,
  // already put back by the interrupted run itself; any other file of the
  // table is the interrupted run's.
  auto yaRestaurado = [&](const fs::path& actual) {
    const std::string nombre = FoldCase(actual.filename().string());
    if (std::find(lista.archivos.begin(), lista.archivos.end(), nombre) == lista.archivos.end())
      return false;
    for (const fs::path& guardado : ArchivosDeTabla(respaldo, actual.stem().string()))
      if (FoldCase(guardado.filename().string()) == nombre) return false;
    return true;
  };
  for (const std::string& tabla : tablas) {
    for (const fs::path& actual : ArchivosDeTabla(folder, tabla))
      if (!yaRestaurado(actual)) fs::remove(actual, ec);
    for (const fs::path& guardado : ArchivosDeTabla(respaldo, tabla)) {
      fs::rename(guardado, folder / guardado.filename(), ec);
      if (ec) todo = false;
    }
    QuitarTemporales(folder, tabla);
  }
  if (!todo) {
    throw Error(
        "Una conversión anterior se interrumpió y no se han podido restaurar todas sus "
        "tablas; la copia de las que faltan está en «" +
        PathText(respaldo) + "».");
  }
  fs::remove_all(respaldo, ec);
  return tablas;
}

}  // namespace

RespaldoTablas::RespaldoTablas(const fs::path& folder, const std::vector<std::string>& tablas)
    : folder_(folder), tablas_(tablas) {
  std::error_code ec;
  std::vector<fs::path> interrumpidas;
  for (fs::directory_iterator it(folder_, ec), fin; !ec && it != fin; it.increment(ec)) {
    const long pid = ProcesoDe(it->path().filename().string());
    if (pid > 0 && it->is_directory(ec) && RunTerminada(pid)) interrumpidas.push_back(it->path());
  }
  std::sort(interrumpidas.begin(), interrumpidas.end());
  for (const fs::path& respaldo : interrumpidas) {
    for (std::string& tabla : Recuperar(folder_, respaldo)) {
      if (std::find(recuperadas_.begin(), recuperadas_.end(), tabla) == recuperadas_.end())
        recuperadas_.push_back(std::move(tabla));
    }
  }

  respaldo_ = folder / (std::string(kPrefijo) + std::to_string(::getpid()));
  if (!fs::create_directory(respaldo_, ec)) {
    throw Error("No se puede preparar la copia de seguridad de las tablas en «" +
                respaldo_.string() + "»: " + ReasonText(ec));
  }
  for (const std::string& tabla : tablas_) {
    for (const fs::path& original : ArchivosDeTabla(folder_, tabla)) {
      const fs::path segundo = respaldo_ / original.filename();
      fs::create_hard_link(original, segundo, ec);
      if (ec) {
        ec.clear();
        fs::copy_file(original, segundo, fs::copy_options::overwrite_existing, ec);
      }
      if (ec) {
        const std::string motivo = ReasonText(ec);
        fs::remove_all(respaldo_, ec);
        throw Error("No se puede hacer la copia de seguridad de «" + original.string() +
                    "»: " + motivo);
      }
      guardados_.emplace_back(original, segundo);
    }
  }
  std::ofstream lista(respaldo_ / kLista, std::ios::binary | std::ios::trunc);
  for (const std::string& tabla : tablas_) lista << "T " << tabla << '\n';
  for (const auto& par : guardados_) lista << "F " << par.first.filename().string() << '\n';
  lista.close();
  if (!lista) {
    fs::remove_all(respaldo_, ec);
    throw Error("No se puede preparar la copia de seguridad de las tablas en «" +
                PathText(respaldo_) + "»: no se puede escribir la lista de tablas");
  }
}

RespaldoTablas::~RespaldoTablas() {
  // A table that could not be put back keeps its only copy in the backup
  // folder, with the list, for the next run to put back.
  const bool restaurado = confirmado_ || Restaurar();
  std::error_code ec;
  if (restaurado) {
    fs::remove(respaldo_ / kLista, ec);
    fs::remove_all(respaldo_, ec);
  }
}

void RespaldoTablas::Confirmar() {
  confirmado_ = true;
}

bool RespaldoTablas::Restaurar() noexcept {
  std::error_code ec;
  // Whatever the run wrote goes; then each old file comes back under its own name.
  for (const std::string& tabla : tablas_) {
    for (const fs::path& nuevo : ArchivosDeTabla(folder_, tabla)) fs::remove(nuevo, ec);
  }
  bool todo = true;
  for (const auto& [original, segundo] : guardados_) {
    fs::rename(segundo, original, ec);
    if (ec) todo = false;
  }
  return todo;
}

void RespaldoTablas::Avisar(Report& report) const {
  if (recuperadas_.empty()) return;
  std::string lista;
  for (const std::string& t : recuperadas_) lista += (lista.empty() ? "" : ", ") + t;
  report.Notice(
      "una conversión anterior se interrumpió a medias; antes de empezar se han "
      "restaurado sus tablas (" +
      lista + ") como estaban antes de ella");
}

}  // namespace velmora
