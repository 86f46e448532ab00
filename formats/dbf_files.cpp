#include "formats/dbf_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "formats/dbf_codec.h"
#include "formats/dbf_table.h"
#include "formats/error.h"
#include "formats/file_bytes.h"

namespace velmora {

namespace {

std::string SystemReason(int err) {
  return ReasonText(std::error_code(err, std::generic_category()));
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

// The entries of the folder whose names equal each of `names` without regard
// to case, in one pass over the folder: found[i] gets those of names[i],
// sorted.
void SameNamesAnyCase(const std::filesystem::path& folder, const std::vector<std::string>& names,
                      const std::vector<std::vector<std::filesystem::path>*>& found) {
  std::vector<std::string> wanted;
  for (const std::string& name : names) wanted.push_back(UpperAscii(name));
  // readdir rather than directory_iterator: the same pass over the folder
  // in fewer system calls. A folder that cannot be read holds nothing.
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string upper = UpperAscii(entry->d_name);
    for (std::size_t i = 0; i < wanted.size(); ++i)
      if (upper == wanted[i]) found[i]->push_back(folder / entry->d_name);
  }
  ::closedir(dir);
  for (auto* list : found) std::sort(list->begin(), list->end());
}

// The entries of the folder whose names equal `name` without regard to case.
std::vector<std::filesystem::path> SameNameAnyCase(const std::filesystem::path& folder,
                                                   const std::string& name) {
  std::vector<std::filesystem::path> found;
  SameNamesAnyCase(folder, {name}, {&found});
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

namespace {

constexpr std::size_t kMaxSpare = std::size_t{64} << 20;

ByteBuffer& Spare() {
  thread_local ByteBuffer spare;
  return spare;
}

}  // namespace

void RecycleBuffer(ByteBuffer&& buffer) {
  ByteBuffer& spare = Spare();
  if (buffer.capacity() > spare.capacity() && buffer.capacity() <= kMaxSpare)
    spare = std::move(buffer);
  buffer.release();
}

ByteBuffer LockedFile::ReadAll(const std::filesystem::path& file) {
  struct stat st {};
  if (::fstat(fd_, &st) != 0)
    throw Error("no se puede leer la tabla " + Quoted(file) + ": " + SystemReason(errno));
  if (!S_ISREG(st.st_mode)) throw Error("la tabla " + Quoted(file) + " no es un archivo");
  mode_ = st.st_mode & 07777;
  // The size the file has now: we hold its lock, and bytes that another
  // program might add beyond it belong to no record the header announces.
  ByteBuffer content;
  if (Spare().capacity() >= static_cast<std::size_t>(st.st_size)) content = std::move(Spare());
  content.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n =
        ::pread(fd_, content.data() + done, content.size() - done, static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Error("no se puede leer la tabla " + Quoted(file) + ": " + SystemReason(errno));
    }
    if (n == 0) break;  // shorter than it said
    done += static_cast<std::size_t>(n);
  }
  content.resize(done);
  return content;
}

void WriteFileAtomically(const std::filesystem::path& file,
                         const std::vector<std::string_view>& pieces,
                         std::optional<unsigned> mode) {
  const std::filesystem::path folder =
      file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  std::string hidden = ".";
  hidden += file.filename().string();
  hidden += ".XXXXXX";
  std::string pattern = (folder / hidden).string();
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

  // All the pieces in one call as a rule; a short write goes on from where
  // it stopped.
  std::vector<iovec> left;
  for (std::string_view piece : pieces)
    if (!piece.empty()) left.push_back({const_cast<char*>(piece.data()), piece.size()});
  std::size_t first = 0;
  while (first < left.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(left.size() - first, IOV_MAX));
    const ssize_t n = ::writev(fd, left.data() + first, count);
    if (n < 0) {
      if (errno == EINTR) continue;
      abandon("error al escribir", errno);
    }
    auto written = static_cast<std::size_t>(n);
    while (first < left.size() && written >= left[first].iov_len) written -= left[first++].iov_len;
    if (first < left.size()) {
      left[first].iov_base = static_cast<char*>(left[first].iov_base) + written;
      left[first].iov_len -= written;
    }
  }
  // The new file gets the permissions of the one it replaces.
  if (!mode) {
    struct stat st {};
    mode = ::stat(file.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  }
  if (::fchmod(fd, static_cast<mode_t>(*mode)) != 0)
    abandon("no se pueden fijar los permisos", errno);
  // No fsync: the rename alone keeps a failure of ours from leaving half a
  // table, and the tables are rebuilt from the ITACA document anyway.
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
  std::vector<std::filesystem::path> tables, indexes;
  SameNamesAnyCase(folder, {stem + ".DBF", stem + ".MDX"}, {&tables, &indexes});
  // Removing a table under a program that has it open would pull its data
  // away unseen: say so instead.
  for (const auto& file : tables)
    if (IsTableInUse(file))
      throw Error("la tabla " + dbf::Quoted(file) + " está en uso por otro programa");
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
