#pragma once
// Answers the modal windows that a click opens, as a user would: a timer looks
// at QApplication::activeModalWidget() and hands each new modal window to the
// next step of the script. A window that no step expects, or a step that finds
// something else than it expects, is recorded as an error and closed, so a
// test never hangs on a window nobody answers.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QAbstractButton;
class QWidget;

namespace velmora::gui {

class ModalScript : public QObject {
 public:
  // A step handles one modal window. It returns an error, or an empty text
  // when the window was what it expected. A step that leaves its window open
  // without an error (a message box raised over it, say) is fine.
  using Step = std::function<QString(QWidget*)>;

  ModalScript();
  ~ModalScript() override;

  ModalScript& Then(const QString& what, Step step);

  // Every confirmation box ("Confirmación") is answered from this list, in
  // order, whenever one appears: "&Si", "&No", or "" to close it with Escape.
  QStringList confirmations;
  // The texts of the confirmation boxes answered, in order, and whether the
  // hourglass was on when each was shown.
  QStringList questions;
  QList<bool> hourglassAtQuestions;

  bool Done() const { return steps_.empty(); }
  QStringList Pending() const;
  const QStringList& Errors() const { return errors_; }
  // A short description of every modal window seen, in order.
  const QStringList& Seen() const { return seen_; }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Poll();
  void Handle(QWidget* modal);
  void Fail(const QString& error, QWidget* modal);

  struct Entry {
    QString what;
    Step step;
  };
  std::deque<Entry> steps_;
  QStringList errors_;
  QStringList seen_;
  QTimer timer_;
  // Windows handed to a step and not hidden since: a window that comes back
  // to the front after a message box over it closes is not new.
  QList<QPointer<QWidget>> handled_;
  int stuckTicks_ = 0;
};

// Describes a modal window: its class, title and, for a message box, its text.
QString Describe(const QWidget* modal);

// The button of `window` whose text is `text` (mnemonic ampersands included).
QAbstractButton* FindButton(QWidget* window, const QString& text);

// Ready-made steps.
// A message box titled `title` whose text contains `contains`, answered with
// the button `button`. Its text and detailed text go to `text`/`details`.
ModalScript::Step AnswerMessage(const QString& title, const QString& contains,
                                const QString& button, QString* text = nullptr,
                                QString* details = nullptr);
// The open dialog: picks `file`, or cancels when `file` is empty.
ModalScript::Step AnswerFile(const QString& file);
// Any dialog of the given object name, handed to `action`.
ModalScript::Step OnDialog(const QString& objectName, std::function<QString(QWidget*)> action);

}  // namespace velmora::gui
