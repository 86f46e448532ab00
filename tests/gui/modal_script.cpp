#include "modal_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

namespace velmora::gui {
namespace {

constexpr int kTickMs = 10;
constexpr int kStuckTicks = 3000;  // 30 seconds with the same window unanswered

void CloseModal(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    if (QAbstractButton* escape = box->escapeButton()) {
      escape->click();
      return;
    }
  }
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
    return;
  }
  modal->close();
}

}  // namespace

ModalScript::ModalScript() {
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &ModalScript::Poll);
  timer_.start();
}

ModalScript::~ModalScript() = default;

ModalScript& ModalScript::Then(const QString& what, Step step) {
  steps_.push_back({what, std::move(step)});
  return *this;
}

QStringList ModalScript::Pending() const {
  QStringList pending;
  for (const Entry& e : steps_) pending << e.what;
  return pending;
}

bool ModalScript::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide) {
    handled_.removeIf([watched](const QPointer<QWidget>& w) { return w.isNull() || w == watched; });
    watched->removeEventFilter(this);
  }
  return false;
}

void ModalScript::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->isVisible()) return;
  if (handled_.contains(modal)) {
    // Still open after its step: a step may leave it open on purpose, but
    // not for ever.
    if (++stuckTicks_ > kStuckTicks) {
      Fail("ventana sin responder: " + Describe(modal), modal);
      stuckTicks_ = 0;
    }
    return;
  }
  stuckTicks_ = 0;
  handled_ << modal;
  modal->installEventFilter(this);
  seen_ << Describe(modal);
  Handle(modal);
}

void ModalScript::Handle(QWidget* modal) {
  auto* box = qobject_cast<QMessageBox*>(modal);
  if (box != nullptr && box->windowTitle() == QString::fromUtf8("Confirmación") &&
      !confirmations.isEmpty()) {
    const QString answer = confirmations.takeFirst();
    questions << box->text();
    hourglassAtQuestions << (QApplication::overrideCursor() != nullptr &&
                             QApplication::overrideCursor()->shape() == Qt::WaitCursor);
    if (answer.isEmpty()) {
      QTest::keyClick(box, Qt::Key_Escape);
      return;
    }
    if (QAbstractButton* button = FindButton(box, answer)) {
      button->click();
    } else {
      Fail("sin botón " + answer + ": " + Describe(modal), modal);
    }
    return;
  }
  if (steps_.empty()) {
    Fail("ventana inesperada: " + Describe(modal), modal);
    return;
  }
  Entry entry = std::move(steps_.front());
  steps_.pop_front();
  const QString error = entry.step(modal);
  if (!error.isEmpty()) Fail(entry.what + ": " + error, modal);
}

void ModalScript::Fail(const QString& error, QWidget* modal) {
  errors_ << error;
  if (modal != nullptr && modal->isVisible()) CloseModal(modal);
}

QString Describe(const QWidget* modal) {
  QString text = QString("%1 «%2»").arg(modal->metaObject()->className(), modal->windowTitle());
  if (auto* box = qobject_cast<const QMessageBox*>(modal)) text += " «" + box->text() + "»";
  return text;
}

QAbstractButton* FindButton(QWidget* window, const QString& text) {
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    if (button->text() == text && button->isVisible()) return button;
  }
  return nullptr;
}

ModalScript::Step AnswerMessage(const QString& title, const QString& contains,
                                const QString& button, QString* text, QString* details) {
  return [=](QWidget* modal) -> QString {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return "se esperaba un mensaje, no " + Describe(modal);
    if (text != nullptr) *text = box->text();
    if (details != nullptr) *details = box->detailedText();
    if (box->windowTitle() != title) return "título " + box->windowTitle();
    if (!box->text().contains(contains)) return "texto " + box->text();
    QAbstractButton* b = FindButton(box, button);
    if (b == nullptr) return "sin botón " + button;
    b->click();
    return {};
  };
}

ModalScript::Step AnswerFile(const QString& file) {
  return [=](QWidget* modal) -> QString {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return "se esperaba el diálogo de archivo, no " + Describe(modal);
    if (file.isEmpty()) {
      dialog->reject();
      return {};
    }
    dialog->selectFile(file);
    // selectFile leaves the name box alone while it has the focus: type the
    // path there, as a user would.
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText(file);
    static_cast<QDialog*>(dialog)->accept();  // as the open button does
    return {};
  };
}

ModalScript::Step OnDialog(const QString& objectName, std::function<QString(QWidget*)> action) {
  return [=](QWidget* modal) -> QString {
    if (modal->objectName() != objectName) {
      return "se esperaba " + objectName + ", no " + Describe(modal);
    }
    return action(modal);
  };
}

}  // namespace velmora::gui
