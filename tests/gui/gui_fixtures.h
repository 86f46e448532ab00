#pragma once
// What the window tests share: a temporary working folder, the sample school,
// files written from text, and table comparisons.
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <string>

namespace velmora::gui {

// A temporary place for one test: the working folder ("xtemp", also set as
// VELMORA_XTEMP), a folder for documents ("docs") and one for the program's
// own files ("programa", set as VELMORA_INI_DIR and VELMORA_HELP_DIR).
class Workspace {
 public:
  Workspace();
  ~Workspace();
  bool IsValid() const { return dir_.isValid(); }
  QString Xtemp() const { return Path("xtemp"); }
  QString Docs() const { return Path("docs"); }
  QString Programa() const { return Path("programa"); }
  QString Path(const QString& relative) const { return QDir(dir_.path()).filePath(relative); }
  QString Ini() const { return QDir(Programa()).filePath("Tabulix.ini"); }

 private:
  QTemporaryDir dir_;
};

// The bundled sample school, copied into `folder` as "centro.xml" so the
// result document is written there too. Empty when it cannot be found.
QString CopySampleSchool(const QString& folder);

bool WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

// The tables that the ITACA to Tabulix run writes.
QStringList TablasExportadas();

// Compares the tables of two working folders byte for byte, apart from the
// date of last change in the header. Returns the first difference, or an
// empty text when they are equal.
QString CompareTables(const QString& xtempA, const QString& xtempB, const QStringList& tablas);

}  // namespace velmora::gui
