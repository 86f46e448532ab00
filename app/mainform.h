#pragma once
// The main window `MForm`: the two directions, one half each, the language of
// the names, help and "&Salir". It owns the state the runs share, and in run
// mode 2 (launched by Tabulix) shows itself inside Tabulix's window and
// reports the outcome in "Tabulix.ini" when it closes.
#include <QStringList>
#include <QWidget>
#include <memory>

#include "app/startup_args.h"
#include "to_tabulix/dialogs.h"
#include "to_tabulix/run_state.h"

class QComboBox;
class QFileDialog;
class QLabel;
class QListWidget;
class QPushButton;
class QWindow;

namespace velmora {

class GradientPanel;
class QtDialogs;

class TMForm : public QWidget {
  Q_OBJECT

 public:
  // `params`: the command line without the program's name.
  explicit TMForm(const QStringList& params, QWidget* parent = nullptr);
  ~TMForm() override;

  // Shows the window: inside the host window in run mode 2, centred on the
  // screen otherwise. A bad host handle is reported first.
  void Start();

  RunState& State() { return state_; }
  const StartupArgs& Args() const { return args_; }
  // The host window of run mode 2; null when the platform cannot reach
  // windows of other programs.
  QWindow* HostWindow() const { return host_; }

 signals:
  // The window has closed (and, in run mode 2, the result code was written).
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate(const QStringList& params);
  void BExportarClick();
  void BImportarClick();
  void Button1Click();
  void Run(void (*run)(RunState&, Dialogs&));
  void ShowState();

  GradientPanel* draw3D2_;
  QLabel* label3_;
  QLabel* label9_;
  QComboBox* comboBoxValCast_;
  QPushButton* bExportar_;
  GradientPanel* draw3D3_;
  QLabel* label4_;
  QPushButton* bImportar_;
  GradientPanel* draw3D1_;
  QLabel* label1_;
  QPushButton* button1_;
  QPushButton* bClose_;
  QListWidget* listBoxPlanti_;
  QFileDialog* openDialogXML_;

  StartupArgs args_;
  RunState state_;
  std::unique_ptr<QtDialogs> dialogs_;
  QWindow* host_ = nullptr;
};

}  // namespace velmora
