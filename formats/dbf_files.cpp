#include "formats/dbf_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "formats/dbf_codec.h"
#include "formats/dbf_table.h"
#include "formats/error.h"

namespace velmora {

namespace {

std::string SystemReason(int err) {
  return std::strerror(err);
}

bool LockHeldElsewhere(int err) {
  return err == EWOULDBLOCK || err == EAGAIN;
}

// Capitals a to z only: file names of tables are plain ASCII.
std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool EndsWithDbf(std::string_view name) {
  return name.size() >= 4 && UpperAscii(name.substr(name.size() - 4)) == ".DBF";
}

std::string TableStem(std::string_view table) {
  return std::string(EndsWithDbf(table) ? table.substr(0, table.size() - 4) : table);
}

// The entries of the folder whose names equal `name` without regard to case.
std::vector<std::filesystem::path> SameNameAnyCase(const std::filesystem::path& folder,
                                                   const std::string& name) {
  std::vector<std::filesystem::path> found;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec), end;
  const std::string wanted = UpperAscii(name);
  for (; !ec && it != end; it.increment(ec)) {
    if (UpperAscii(it->path().filename().string()) == wanted) found.push_back(it->path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace

namespace dbf {

LockedFile::LockedFile(const std::filesystem::path& file, bool exclusive) {
  fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    const int err = errno;
    if (err == ENOENT || err == ENOTDIR) throw Error("no existe la tabla " + Quoted(file));
    throw Error("no se puede abrir la tabla " + Quoted(file) + ": " + SystemReason(err));
  }
  if (::flock(fd_, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    const int err = errno;
    Release();
    if (LockHeldElsewhere(err))
      throw Error("la tabla " + Quoted(file) + " está en uso por otro programa");
    throw Error("no se puede bloquear la tabla " + Quoted(file) + ": " + SystemReason(err));
  }
}

LockedFile::~LockedFile() {
  Release();
}

LockedFile::LockedFile(LockedFile&& other) noexcept : fd_(other.fd_) {
  other.fd_ = -1;
}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void LockedFile::Release() {
  if (fd_ >= 0) ::close(fd_);  // closing the descriptor releases its lock
  fd_ = -1;
}

std::string LockedFile::ReadAll(const std::filesystem::path& file) const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0)
    throw Error("no se puede leer la tabla " + Quoted(file) + ": " + SystemReason(errno));
  if (!S_ISREG(st.st_mode)) throw Error("la tabla " + Quoted(file) + " no es un archivo");
  std::string content;
  content.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (true) {
    if (done == content.size()) content.resize(content.size() + 65536);  // grew meanwhile
    const ssize_t n =
        ::pread(fd_, content.data() + done, content.size() - done, static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Error("no se puede leer la tabla " + Quoted(file) + ": " + SystemReason(errno));
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  content.resize(done);
  return content;
}

void WriteFileAtomically(const std::filesystem::path& file,
                         const std::vector<std::string_view>& pieces) {
  const std::filesystem::path folder =
      file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  std::string pattern = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
  auto fail = [&](const std::string& what, int err) -> void {
    throw Error("no se pudo guardar la tabla " + Quoted(file) + ": " + what + ": " +
                SystemReason(err));
  };

  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) fail("no se puede crear un archivo temporal", errno);
  const std::string temp = pattern;
  auto abandon = [&](const std::string& what, int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    fail(what, err);
  };

  for (std::string_view piece : pieces) {
    while (!piece.empty()) {
      const ssize_t n = ::write(fd, piece.data(), piece.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        abandon("error al escribir", errno);
      }
      piece.remove_prefix(static_cast<std::size_t>(n));
    }
  }
  // The new file gets the permissions of the one it replaces.
  struct stat st {};
  const mode_t mode = ::stat(file.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  if (::fchmod(fd, mode) != 0) abandon("no se pueden fijar los permisos", errno);
  if (::fsync(fd) != 0) abandon("error al escribir", errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    fail("error al escribir", err);
  }
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    fail("no se puede reemplazar el archivo", err);
  }
}

}  // namespace dbf

std::filesystem::path TableFile(const std::filesystem::path& folder, std::string_view table) {
  const std::string name = TableStem(table) + ".DBF";
  std::error_code ec;
  if (std::filesystem::exists(folder / name, ec)) return folder / name;
  const auto found = SameNameAnyCase(folder, name);
  return found.empty() ? folder / name : found.front();
}

void DeleteTableFiles(const std::filesystem::path& folder, std::string_view table) {
  const std::string stem = TableStem(table);
  const auto tables = SameNameAnyCase(folder, stem + ".DBF");
  // Removing a table under a program that has it open would pull its data
  // away unseen: say so instead.
  for (const auto& file : tables)
    if (IsTableInUse(file))
      throw Error("la tabla " + dbf::Quoted(file) + " está en uso por otro programa");
  auto indexes = SameNameAnyCase(folder, stem + ".MDX");
  std::error_code ec;
  for (const auto& file : tables) std::filesystem::remove(file, ec);
  for (const auto& file : indexes) std::filesystem::remove(file, ec);
}

bool IsTableInUse(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool inUse = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && LockHeldElsewhere(errno);
  ::close(fd);
  return inUse;
}

}  // namespace velmora
