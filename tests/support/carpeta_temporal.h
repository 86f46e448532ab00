#pragma once
// A folder of its own under the system's temporary folder, for one test or
// fixture, removed with everything in it when it goes. The owner's
// permissions on it are given back first, for tests that take them away.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace velmora::testing {

class CarpetaTemporal {
 public:
  // The folder's name starts with `prefijo`.
  explicit CarpetaTemporal(std::string_view prefijo = "velmora-prueba") {
    static std::atomic<unsigned> contador{0};
    std::random_device rd;
    for (;;) {
      path_ = std::filesystem::temp_directory_path() /
              (std::string(prefijo) + "-" + std::to_string(::getpid()) + "-" +
               std::to_string(contador++) + "-" + std::to_string(rd()));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~CarpetaTemporal() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace velmora::testing
