#pragma once
// Whole-run safety for the tables a run replaces. Before the first table is
// deleted, each existing file of those tables (.DBF and .MDX) gets a second
// name in a hidden folder of the working folder: a hard link, which writes no
// data (a copy where links are not possible). When the run fails part-way,
// every table is put back as it was, by renaming, which needs no room on the
// disk; a table that did not exist before is removed. When the run succeeds,
// the backup is dropped. So a failed run never leaves a half-built set of tables.
//
// A run that is killed (power cut, end of the session) cannot put its tables
// back: it leaves its backup folder, with the list of the tables it replaces
// written once every backup is made. The next run, before it backs up tables
// of its own, finishes that work: every listed table comes back as it was
// before the killed run, and the folder goes (see Recuperadas).
#include <filesystem>

#include <string>
#include <utility>
#include <vector>
#include "to_tabulix/report.h"

namespace velmora {

class RespaldoTablas {
 public:
  // Errors (a folder that cannot be written, a table of an interrupted run
  // held open by another program) are raised before any table is touched.
  RespaldoTablas(const std::filesystem::path& folder, const std::vector<std::string>& tablas);
  ~RespaldoTablas();  // not confirmed: restores every table
  RespaldoTablas(const RespaldoTablas&) = delete;
  RespaldoTablas& operator=(const RespaldoTablas&) = delete;

  // The run went through: the new tables stay, the backup goes.
  void Confirmar();

  // The tables put back from the backups of interrupted runs, for the
  // run to tell the user; none, as a rule.
  const std::vector<std::string>& Recuperadas() const { return recuperadas_; }
  // Tells the report of the tables put back, if any.
  void Avisar(Report& report) const;

 private:
  bool Restaurar() noexcept;  // false when a table could not be put back

  std::filesystem::path folder_;
  std::filesystem::path respaldo_;
  std::vector<std::string> tablas_;
  // Original file and its second name in the backup folder.
  std::vector<std::pair<std::filesystem::path, std::filesystem::path>> guardados_;
  bool confirmado_ = false;
  std::vector<std::string> recuperadas_;
};

}  // namespace velmora
