#include "to_tabulix/respaldo_tablas.h"

#include <unistd.h>

#include <system_error>

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

}  // namespace

RespaldoTablas::RespaldoTablas(const fs::path& folder, const std::vector<std::string>& tablas)
    : folder_(folder), tablas_(tablas) {
  respaldo_ = folder / (".velmora-respaldo-" + std::to_string(::getpid()));
  std::error_code ec;
  fs::remove_all(respaldo_, ec);
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
}

RespaldoTablas::~RespaldoTablas() {
  // A table that could not be put back keeps its only copy in the backup folder.
  const bool restaurado = confirmado_ || Restaurar();
  std::error_code ec;
  if (restaurado) fs::remove_all(respaldo_, ec);
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

}  // namespace velmora
