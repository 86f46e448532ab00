#include "app/program_files.h"

#include <QCoreApplication>
#include <QDir>

#include "app/qt_text.h"

namespace velmora {
namespace {

QString FolderOr(const char* variable, const QString& fallback) {
  const QString folder = qEnvironmentVariable(variable);
  return folder.isEmpty() ? fallback : folder;
}

}  // namespace

std::filesystem::path WorkingFolder() {
  const QString overridden = qEnvironmentVariable("VELMORA_XTEMP");
  if (!overridden.isEmpty()) return ToPath(overridden);
#ifdef Q_OS_WIN
  return std::filesystem::path(L"C:\\XTEMP");
#else
  const QString prefix = qEnvironmentVariable("WINEPREFIX");
  const QString base = prefix.isEmpty() ? QDir::home().filePath(".wine") : prefix;
  return ToPath(QDir(base).filePath("drive_c/XTEMP"));
#endif
}

QString SettingsFilePath() {
  return QDir(FolderOr("VELMORA_INI_DIR", QCoreApplication::applicationDirPath()))
      .filePath("Tabulix.ini");
}

QString HelpFilePath() {
  return QDir(FolderOr("VELMORA_HELP_DIR", QCoreApplication::applicationDirPath()))
      .filePath("ITACA.chm");
}

}  // namespace velmora
