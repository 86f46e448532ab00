#include "gui_fixtures.h"

#include <QFile>
#include <QFileInfo>

namespace velmora::gui {

Workspace::Workspace() {
  QDir root(dir_.path());
  root.mkpath("xtemp");
  root.mkpath("docs");
  root.mkpath("programa");
  qputenv("VELMORA_XTEMP", QFile::encodeName(Xtemp()));
  qputenv("VELMORA_INI_DIR", QFile::encodeName(Programa()));
  qputenv("VELMORA_HELP_DIR", QFile::encodeName(Programa()));
}

Workspace::~Workspace() {
  qunsetenv("VELMORA_XTEMP");
  qunsetenv("VELMORA_INI_DIR");
  qunsetenv("VELMORA_HELP_DIR");
}

QString CopySampleSchool(const QString& folder) {
  const QDir examples(QStringLiteral(VELMORA_SOURCE_DIR "/examples"));
  const QStringList xml = examples.entryList({"*.xml"}, QDir::Files, QDir::Name);
  if (xml.isEmpty()) return {};
  const QString target = QDir(folder).filePath("centro.xml");
  QFile::remove(target);
  if (!QFile::copy(examples.filePath(xml.front()), target)) return {};
  return target;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QStringList TablasExportadas() {
  return {"PROFT", "CURSOST", "GRUPOST", "ASIGNOMT", "AULAT", "ASIGT", "DIASHORAST"};
}

QString CompareTables(const QString& xtempA, const QString& xtempB, const QStringList& tablas) {
  for (const QString& tabla : tablas) {
    QByteArray a = ReadFile(QDir(xtempA).filePath(tabla + ".DBF"));
    QByteArray b = ReadFile(QDir(xtempB).filePath(tabla + ".DBF"));
    if (a.isEmpty() || b.isEmpty()) return tabla + ": falta la tabla";
    // Bytes 1 to 3 of the header hold the date of last change.
    if (a.size() > 4 && b.size() > 4) {
      a.replace(1, 3, QByteArray(3, '\0'));
      b.replace(1, 3, QByteArray(3, '\0'));
    }
    if (a != b) return tabla + ": las tablas difieren";
  }
  return {};
}

}  // namespace velmora::gui
