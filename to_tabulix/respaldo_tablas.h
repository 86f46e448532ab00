#pragma once
// Whole-run safety for the tables a run replaces. Before the first table is
// deleted, each existing file of those tables (.DBF and .MDX) gets a second
// name in a hidden folder of the working folder: a hard link, which writes no
// data (a copy where links are not possible). When the run fails part-way,
// every table is put back as it was, by renaming, which needs no room on the
// disk; a table that did not exist before is removed. When the run succeeds,
// the backup is dropped. So a failed run never leaves a half-built set of tables.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

class RespaldoTablas {
 public:
  // Errors (a folder that cannot be written) are raised before any table is touched.
  RespaldoTablas(const std::filesystem::path& folder, const std::vector<std::string>& tablas);
  ~RespaldoTablas();  // not confirmed: restores every table
  RespaldoTablas(const RespaldoTablas&) = delete;
  RespaldoTablas& operator=(const RespaldoTablas&) = delete;

  // The run went through: the new tables stay, the backup goes.
  void Confirmar();

 private:
  bool Restaurar() noexcept;  // false when a table could not be put back

  std::filesystem::path folder_;
  std::filesystem::path respaldo_;
  std::vector<std::string> tablas_;
  // Original file and its second name in the backup folder.
  std::vector<std::pair<std::filesystem::path, std::filesystem::path>> guardados_;
  bool confirmado_ = false;
};

}  // namespace velmora
