#pragma once
// The application's title: the title of its information messages.
#include <QString>

namespace velmora {

inline const QString kTituloAplicacion = QStringLiteral("Velmora");

// Start-up of the application: its title and name.
void PrepareApplication();

}  // namespace velmora
