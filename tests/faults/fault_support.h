#pragma once
// What the fault tests share: a school in a temporary folder with the tables
// and the result of an earlier run, snapshots of a folder, the rule that every
// file is either as it was or completely replaced, another program holding a
// table open, and a run in a child process under limits a test process
// cannot take on itself (a file-size limit, another user).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/carpeta_temporal.h"
#include "support/fake_dialogs.h"
#include "to_tabulix/run_state.h"

namespace velmora::testing::faults {

using Ficheros = std::map<std::string, std::string>;  // file name -> bytes

std::string LeerBytes(const std::filesystem::path& file);
void EscribirBytes(const std::filesystem::path& file, const std::string& bytes);

// The regular files of a folder (not its subfolders) with their bytes.
Ficheros Instantanea(const std::filesystem::path& carpeta);

// Every file of `antes` is still there, and is either byte for byte as it was
// or a complete file of its kind (a table that opens and reads through, and
// that has rows if it had them; a document that loads); no temporary file is
// left beside them. Each file that changed is named in `cambiados`.
void ComprobarIntactosOCompletos(const Ficheros& antes, const std::filesystem::path& carpeta,
                                 std::vector<std::string>* cambiados = nullptr);

// The synthetic school (scale 1, seed 1: templates "MAT" and "VES") in a
// temporary folder, with the tables of an earlier run (template "VES") in its
// working folder, a stand-in SOLUC, and the result document of an earlier
// Tabulix to ITACA run beside the document; and another school (seed 2), the
// document of a new run, whose every table differs from the earlier run's.
// Made once, copied for each test.
class Escuela {
 public:
  Escuela();
  ~Escuela();
  Escuela(const Escuela&) = delete;
  Escuela& operator=(const Escuela&) = delete;

  std::filesystem::path Raiz() const { return raiz_.Path(); }
  std::filesystem::path Xtemp() const { return raiz_ / "XTEMP"; }
  std::filesystem::path Documento() const { return raiz_ / "ies.xml"; }
  std::filesystem::path OtroDocumento() const { return raiz_ / "otro.xml"; }
  std::filesystem::path Resultado() const;
  std::filesystem::path Tabla(const std::string& nombre) const;

 private:
  CarpetaTemporal raiz_{"velmora-faults"};
};

// Dialogs that answer a run like a user: the document, then the template
// chooser on `plantilla`, "No" to both questions (only the chosen template;
// keep idle groups and teachers), the school year unchanged.
void Preparar(FakeDialogs& dialogos, const std::filesystem::path& documento,
              const std::string& plantilla = "MAT");

RunState Estado(const Escuela& escuela);

// Another program (Tabulix, for instance) holding a file open with a lock,
// shared or exclusive, from a child process, until destroyed.
class OtroPrograma {
 public:
  OtroPrograma(const std::filesystem::path& file, bool exclusivo);
  ~OtroPrograma();
  OtroPrograma(const OtroPrograma&) = delete;
  OtroPrograma& operator=(const OtroPrograma&) = delete;

 private:
  int pid_ = -1;
  int liberar_ = -1;  // the child holds the lock until this pipe closes
};

// How a run in a child process ended: the error's message, or nothing when
// it went through; `terminado` is false when the child died (a signal).
struct Final {
  bool terminado = false;
  std::optional<std::string> error;
};

// Runs `correr` in a child process after `preparar` (which sets limits or
// drops privileges there). The child's velmora::Error is handed back.
Final EnHijo(const std::function<void()>& preparar, const std::function<void()>& correr);

// For `preparar`: a limit on the size of every file the child writes, with
// SIGXFSZ ignored, so that a write beyond it fails with EFBIG.
void LimitarTamanoFicheros(long bytes);

// For `preparar`: what closes `carpeta` to the child. Root may write
// anywhere, so as root the child runs as the user "nobody", to whom a folder
// that root owns (mode 0755) is closed; as another user, the folder loses its
// write permission. Nothing when neither can work (root that may not change
// user, as in some containers): the test is then skipped.
std::optional<std::function<void()>> SinEscrituraEn(const std::filesystem::path& carpeta);

}  // namespace velmora::testing::faults
