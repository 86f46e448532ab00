#pragma once
// The files under a table: locks, reading a whole file, and writing a file
// through a temporary file in the same folder that is then renamed over it.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::dbf {

// An open file holding an operating-system lock (flock): shared or
// exclusive. Released when destroyed.
class LockedFile {
 public:
  LockedFile() = default;
  // Opens and locks without waiting. Errors: missing file ("no existe la
  // tabla"), lock held by another program ("está en uso por otro programa").
  LockedFile(const std::filesystem::path& file, bool exclusive);
  ~LockedFile();
  LockedFile(LockedFile&& other) noexcept;
  LockedFile& operator=(LockedFile&& other) noexcept;
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  // The whole content of the file.
  std::string ReadAll(const std::filesystem::path& file) const;
  void Release();

 private:
  int fd_ = -1;
};

// Writes the pieces, one after the other, as the new content of the file:
// to a temporary file in the same folder, flushed to disk, then renamed over
// the file. On failure the file is as it was and an Error names it.
void WriteFileAtomically(const std::filesystem::path& file,
                         const std::vector<std::string_view>& pieces);

}  // namespace velmora::dbf
