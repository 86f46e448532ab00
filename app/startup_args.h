#pragma once
// The command line of the desktop program. Tabulix starts it with exactly two
// parameters: a verb ("importar" or "exportar", any case) and the handle of
// the window to show itself in, written as bare hexadecimal digits (1A2B).
// Any other number of parameters runs the program on its own.
#include <QString>
#include <QStringList>
#include <optional>

namespace velmora {

enum class Mitad { Ambas, Exportar, Importar };

struct StartupArgs {
  int runMode = 0;                    // 0 on its own, 2 launched by Tabulix
  std::optional<quint64> hostHandle;  // the window to show itself in (run mode 2)
  Mitad mitad = Mitad::Ambas;         // the half of the main window shown
  QString error;                      // a handle that is not a hexadecimal number
};

// Reads the parameters (without the program's own name).
StartupArgs ReadStartupArgs(const QStringList& params);

// "$" followed by the text, read as a hexadecimal integer; nothing when the
// text is not made of 1 to 16 hexadecimal digits (a prefix of its own, such
// as 0x or $, included).
std::optional<quint64> ParseHexHandle(const QString& text);

// A to Z become small letters; every other character stays.
QString LowerAZ(const QString& text);

}  // namespace velmora
