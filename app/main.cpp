// The desktop program velmora. Tabulix starts it with a verb and the handle of
// its window; on its own it takes no parameters.
#include <QApplication>

#include "app/application.h"
#include "app/mainform.h"
#include "formats/file_bytes.h"

int main(int argc, char* argv[]) {
  velmora::WritesBeyondSizeLimitFail();
  QApplication app(argc, argv);
  velmora::PrepareApplication();
  velmora::TMForm mForm(QApplication::arguments().mid(1));
  QObject::connect(&mForm, &velmora::TMForm::closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  mForm.Start();
  return QApplication::exec();
}
