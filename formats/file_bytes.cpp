#include "formats/file_bytes.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <limits>
#include <random>

#include "formats/error.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace velmora {

namespace fs = std::filesystem;

namespace {

std::FILE* OpenFile(const fs::path& path, bool write) {
#ifdef _WIN32
  return _wfopen(path.c_str(), write ? L"wb" : L"rb");
#else
  return std::fopen(path.c_str(), write ? "wb" : "rb");
#endif
}

std::error_code LastError() {
  return std::error_code(errno, std::generic_category());
}

// Durable on disk before the rename makes it the target.
bool FlushToDisk(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

fs::path TemporaryBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  const auto tag = std::to_string(seed ^ static_cast<unsigned>(ticks)) + "-" +
                   std::to_string(counter.fetch_add(1));
  fs::path name = target.filename();
  name += ".velmora-" + tag + ".tmp";
  std::string hidden = ".";
  hidden += name.string();
  return target.parent_path() / hidden;
}

}  // namespace

std::string PathText(const fs::path& path) {
  const auto u8 = path.u8string();
  return std::string(u8.begin(), u8.end());
}

std::string ReasonText(std::error_code ec) {
  using std::errc;
  if (ec == errc::permission_denied || ec == errc::operation_not_permitted) {
    return "permiso denegado";
  }
  if (ec == errc::no_such_file_or_directory) return "no existe";
  if (ec == errc::no_space_on_device) return "no queda espacio en el disco";
  if (ec == errc::read_only_file_system) return "el disco es de solo lectura";
  if (ec == errc::is_a_directory) return "es una carpeta";
  if (ec == errc::not_a_directory) return "una parte de la ruta no es una carpeta";
  if (ec == errc::filename_too_long) return "la ruta es demasiado larga";
  if (ec == errc::too_many_files_open) return "hay demasiados archivos abiertos";
  if (ec == errc::device_or_resource_busy || ec == errc::text_file_busy) {
    return "el archivo está en uso";
  }
  if (ec == errc::io_error) return "error de lectura o escritura en el disco";
  if (ec == errc::file_too_large) return "el archivo supera el tamaño máximo permitido";
  return ec.message();
}

namespace {

// The file's bytes into `bytes` (a std::string or a ByteBuffer).
template <class Bytes>
void ReadInto(const fs::path& file, Bytes& bytes) {
  auto fail = [&](const std::string& reason) {
    throw Error("No se puede leer el archivo «" + PathText(file) + "»: " + reason);
  };
  std::error_code ec;
  if (fs::is_directory(file, ec)) fail("es una carpeta");
  std::FILE* f = OpenFile(file, false);
  if (f == nullptr) fail(ReasonText(LastError()));
  // Read straight into the result, sized from the file's length when it is
  // known; a file that grows meanwhile is read to its end all the same.
  std::setvbuf(f, nullptr, _IONBF, 0);  // no copy through a buffer of stdio's
  const std::uintmax_t size = fs::file_size(file, ec);
  if (!ec && size > 0 && size < std::numeric_limits<std::size_t>::max() / 2) {
    bytes.resize(static_cast<std::size_t>(size));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  }
  char chunk[1 << 12];
  std::size_t n;
  while (!std::ferror(f) && (n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  const bool failed = std::ferror(f) != 0;
  const std::error_code readError = LastError();
  std::fclose(f);
  if (failed) fail(ReasonText(readError));
}

}  // namespace

std::string ReadFileBytes(const fs::path& file) {
  std::string bytes;
  ReadInto(file, bytes);
  return bytes;
}

ByteBuffer ReadFileBuffer(const fs::path& file) {
  ByteBuffer bytes;
  ReadInto(file, bytes);
  return bytes;
}

void ReplaceFileBytes(const fs::path& targetIn, std::string_view bytes) {
  auto fail = [&](const std::string& reason) {
    throw Error("No se puede escribir en «" + PathText(targetIn) + "»: " + reason);
  };
  std::error_code ec;
  fs::path target = targetIn;
  // Write through a symbolic link to the file it names, as a plain write would.
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  const fs::file_status st = fs::status(target, ec);
  const bool exists = fs::exists(st);
  if (exists) {
    if (fs::is_directory(st)) fail("es una carpeta");
    if ((st.permissions() & fs::perms::owner_write) == fs::perms::none) {
      fail("el archivo es de solo lectura");
    }
  }
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  if (!fs::is_directory(folder, ec)) fail("la carpeta «" + PathText(folder) + "» no existe");

  const fs::path temp = TemporaryBeside(target);
  std::FILE* f = OpenFile(temp, true);
  if (f == nullptr) fail(ReasonText(LastError()));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = ok && FlushToDisk(f);
  std::error_code writeError = LastError();
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    writeError = LastError();
  }
  if (!ok) {
    fs::remove(temp, ec);
    fail(ReasonText(writeError));
  }
  if (exists) fs::permissions(temp, st.permissions(), ec);  // best effort
  std::error_code renameError;
  fs::rename(temp, target, renameError);
  if (renameError) {
    fs::remove(temp, ec);
    fail(ReasonText(renameError));
  }
}

void WritesBeyondSizeLimitFail() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace velmora
