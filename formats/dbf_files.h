#pragma once
// The files under a table: locks, reading a whole file, and writing a file
// through a temporary file in the same folder that is then renamed over it.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/byte_buffer.h"

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
  ByteBuffer ReadAll(const std::filesystem::path& file);
  // The file's permission bits as ReadAll found them.
  unsigned Mode() const { return mode_; }
  void Release();

 private:
  int fd_ = -1;
  unsigned mode_ = 0644;
};

// Hands a buffer that is no longer needed to the next ReadAll of this thread,
// which reads into it when it is large enough: its memory is kept rather than
// given back and asked for again (on some systems each new page costs a
// fault). One buffer is kept, the largest, up to a bound.
void RecycleBuffer(ByteBuffer&& buffer);

// Writes the pieces, one after the other, as the new content of the file:
// to a temporary file in the same folder, then renamed over the file (not
// flushed to disk first: see the .cpp). On failure the file is as it was and
// an Error names it.
// The new file gets `mode` as its permission bits, or those of the file it
// replaces when none is given (0644 for a new file).
void WriteFileAtomically(const std::filesystem::path& file,
                         const std::vector<std::string_view>& pieces,
                         std::optional<unsigned> mode = std::nullopt);

}  // namespace velmora::dbf
