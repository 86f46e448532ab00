#include "app/startup_args.h"

namespace velmora {

std::optional<quint64> ParseHexHandle(const QString& text) {
  if (text.isEmpty() || text.size() > 16) return std::nullopt;
  quint64 value = 0;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    int digit;
    if (u >= u'0' && u <= u'9') {
      digit = u - u'0';
    } else if (u >= u'a' && u <= u'f') {
      digit = u - u'a' + 10;
    } else if (u >= u'A' && u <= u'F') {
      digit = u - u'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + static_cast<quint64>(digit);
  }
  return value;
}

QString LowerAZ(const QString& text) {
  QString lowered = text;
  for (QChar& c : lowered) {
    if (c.unicode() >= u'A' && c.unicode() <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
  }
  return lowered;
}

StartupArgs ReadStartupArgs(const QStringList& params) {
  StartupArgs args;
  if (params.size() != 2) return args;
  const std::optional<quint64> handle = ParseHexHandle(params[1]);
  if (!handle) {
    // The handle is read as "$" + parameter, the way Tabulix writes it.
    args.error = QString("'$%1' no es un valor entero válido").arg(params[1]);
    return args;
  }
  args.hostHandle = handle;
  args.runMode = 2;
  const QString verb = LowerAZ(params[0]);
  if (verb == "importar") {
    args.mitad = Mitad::Importar;
  } else if (verb == "exportar") {
    args.mitad = Mitad::Exportar;
  }
  return args;
}

}  // namespace velmora
