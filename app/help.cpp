#include "app/help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QShortcut>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include "app/application.h"
#include "app/program_files.h"

namespace velmora {
namespace {

constexpr const char* kHelpContextProperty = "helpContext";

bool SystemViewer(const QString& file, int context) {
#ifdef Q_OS_WIN
  // The HTML Help viewer opens a topic by its context number.
  if (context != kAyudaContenido) {
    return QProcess::startDetached(
        "hh.exe", {"-mapid", QString::number(context), QDir::toNativeSeparators(file)});
  }
#else
  (void)context;  // the viewers of other systems open the file at its start
#endif
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

HelpViewer& Viewer() {
  static HelpViewer viewer;
  return viewer;
}

}  // namespace

void SetHelpContext(QWidget* widget, int context) {
  widget->setProperty(kHelpContextProperty, context);
}

int HelpContextOf(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QVariant value = w->property(kHelpContextProperty);
    if (value.isValid() && value.toInt() != 0) return value.toInt();
    if (w->isWindow()) break;
  }
  return kAyudaContenido;
}

void ShowHelp(QWidget* parent, int context) {
  const QString file = HelpFilePath();
  const QString shown = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
  if (!QFileInfo(file).isFile()) {
    QMessageBox::warning(parent, kTituloAplicacion,
                         QString("No se encuentra el archivo de ayuda \"ITACA.chm\".\n"
                                 "Se ha buscado en: %1")
                             .arg(shown));
    return;
  }
  const HelpViewer& viewer = Viewer();
  const bool opened = viewer ? viewer(file, context) : SystemViewer(file, context);
  if (!opened) {
    QMessageBox::warning(parent, kTituloAplicacion,
                         QString("No se ha podido abrir la ayuda %1").arg(shown));
  }
}

void InstallHelpKey(QWidget* window) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, window, [window] {
    QWidget* focused = window->focusWidget();
    ShowHelp(window, HelpContextOf(focused != nullptr ? focused : window));
  });
}

void SetHelpViewer(HelpViewer viewer) {
  Viewer() = std::move(viewer);
}

}  // namespace velmora
