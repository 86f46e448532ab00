#include "app/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "app/application.h"
#include "app/cursoexport.h"
#include "app/plantihoras.h"
#include "app/qt_text.h"
#include "formats/itaca_xml.h"
#include "to_tabulix/report.h"

namespace velmora {
namespace {

// The runs join lines with CR LF, as Windows message boxes show them; Qt
// breaks lines at LF alone.
QString MessageText(const std::string& utf8) {
  QString text = FromUtf8(utf8);
  text.replace("\r\n", "\n");
  return text;
}

}  // namespace

QtDialogs::QtDialogs(QWidget* owner, QFileDialog* openDialog, std::function<void()> closeMainWindow)
    : owner_(owner), openDialog_(openDialog), closeMainWindow_(std::move(closeMainWindow)) {}

std::optional<std::filesystem::path> QtDialogs::ChooseXmlFile() {
  if (openDialog_.isNull()) return std::nullopt;
  if (openDialog_->exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = openDialog_->selectedFiles();
  if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
  return ToPath(QFileInfo(files.front()).absoluteFilePath());
}

TemplateChoice QtDialogs::ChooseTemplate(const XmlDocument& document, const std::string& idioma,
                                         int tag) {
  // The window reads the file itself, as it does when the user opens it on
  // its own.
  TPlantillas dialog(owner_);
  dialog.SetTag(tag);
  dialog.SetInicio(FromPath(document.File()), FromCp(idioma));
  dialog.exec();
  return dialog.Eleccion();
}

std::string QtDialogs::ChooseSchoolYear(const std::string& current) {
  TCurExp dialog(FromCp(current), owner_);
  dialog.exec();
  return ToCp(dialog.CursoDestino());
}

Answer QtDialogs::Confirm(const std::string& text) {
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(kTituloConfirmacion), MessageText(text),
                  QMessageBox::NoButton, owner_);
  QPushButton* yes = box.addButton("&Si", QMessageBox::YesRole);
  QPushButton* no = box.addButton("&No", QMessageBox::NoRole);
  // Escape and the close box answer neither: they press this hidden button.
  QPushButton* none = box.addButton(QMessageBox::Cancel);
  none->hide();
  box.setEscapeButton(none);
  box.setDefaultButton(yes);
  box.exec();
  if (box.clickedButton() == yes) return Answer::Yes;
  if (box.clickedButton() == no) return Answer::No;
  return Answer::Closed;
}

void QtDialogs::Inform(const std::string& text, const Report* report) {
  QMessageBox box(QMessageBox::Information, kTituloAplicacion, MessageText(text), QMessageBox::Ok,
                  owner_);
  if (report != nullptr) {
    // The run's report lets the user see what was left out.
    const QString details = MessageText(report->Text());
    if (!details.trimmed().isEmpty()) box.setDetailedText(details);
  }
  box.exec();
}

void QtDialogs::SetHourglass(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++hourglass_;
  } else if (hourglass_ > 0) {
    QApplication::restoreOverrideCursor();
    --hourglass_;
  }
}

void QtDialogs::ClearHourglass() {
  while (hourglass_ > 0) SetHourglass(false);
}

void QtDialogs::CloseMainWindow() {
  if (closeMainWindow_) closeMainWindow_();
}

}  // namespace velmora
