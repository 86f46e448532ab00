#include "app/qt_text.h"

#include <QFile>

#include "formats/text.h"

namespace velmora {

QString FromCp(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string ToCp(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}

QString FromUtf8(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

std::filesystem::path ToPath(const QString& path) {
#ifdef Q_OS_WIN
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString FromPath(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
  return QString::fromStdWString(path.wstring());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
#endif
}

}  // namespace velmora
