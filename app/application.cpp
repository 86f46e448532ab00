#include "app/application.h"

#include <QApplication>

namespace velmora {

void PrepareApplication() {
  QApplication::setApplicationName(kTituloAplicacion);
  QApplication::setOrganizationName(kTituloAplicacion);
}

}  // namespace velmora
