#pragma once
// A scratch folder for one fuzzing process: in memory (/dev/shm) when there
// is one, so that the tables' flushes to disk cost nothing, and removed when
// the process ends. Each input starts from an empty folder.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace velmora::fuzz {

class Scratch {
 public:
  explicit Scratch(const std::string& name) {
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
    root_ = base / ("velmora-fuzz-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root_, ec);
    std::filesystem::create_directories(root_);
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::filesystem::path& Root() const { return root_; }

  // Empties the folder.
  void Clear() const {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(root_, ec)) {
      std::filesystem::remove_all(e.path(), ec);
    }
  }

  std::filesystem::path Write(const std::string& name, std::string_view bytes) const {
    const auto file = root_ / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
  }

 private:
  std::filesystem::path root_;
};

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace velmora::fuzz
