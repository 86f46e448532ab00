#include "app/mainform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>
#include <string>

#include "app/application.h"
#include "app/gradient_panel.h"
#include "app/help.h"
#include "app/look.h"
#include "app/program_files.h"
#include "app/qt_dialogs.h"
#include "app/qt_text.h"
#include "formats/error.h"
#include "formats/settings_file.h"
#include "to_itaca/importar.h"
#include "to_tabulix/exportar.h"

namespace velmora {
namespace {

constexpr int kAncho = 632;
constexpr int kAlto = 266;

const QColor kMitadInicio(0xF9, 0xD3, 0x7D);
const QColor kMitadFin(0xFF, 0xEE, 0xDD);
const QColor kPieInicio(0xC2, 0xCD, 0xFE);
const QColor kPieMedio(0xCF, 0xF2, 0xFE);
const QColor kPieFin(0xCC, 0xD8, 0xE6);

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLabel* MakeTitle(QWidget* parent, const char* name, const QString& text) {
  QLabel* label = MakeLabel(parent, name, text);
  label->setFont(FontArial(16, true));
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setGeometry(16, 14, 285, 44);
  return label;
}

QLabel* MakeRedBold(QWidget* parent, const char* name, const QString& text, int left, int top) {
  QLabel* label = MakeLabel(parent, name, text);
  label->setFont(FontMsSansSerif(11, true));
  SetTextColor(label, colores::kRojo);
  label->move(left, top);
  label->adjustSize();
  return label;
}

// An OK-kind button: the standard OK glyph and caption.
QPushButton* MakeOkButton(QWidget* parent, const char* name, int left, int top) {
  auto* button =
      new QPushButton(parent->style()->standardIcon(QStyle::SP_DialogOkButton), "Aceptar", parent);
  button->setObjectName(name);
  button->setGeometry(left, top, 75, 25);
  SetHelpContext(button, 3);
  return button;
}

}  // namespace

TMForm::TMForm(const QStringList& params, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("MForm");
  setWindowTitle("Exportar e importar datos entre Tabulix e ITACA");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFont(FontMsSansSerif(11));
  setFixedSize(kAncho, kAlto);
  SetHelpContext(this, 1);

  // The ITACA to Tabulix half.
  draw3D2_ = new GradientPanel(kMitadInicio, colores::kBlanco, kMitadFin, this);
  draw3D2_->setObjectName("Draw3D2");
  draw3D2_->setGeometry(0, 0, 315, 169);
  SetHelpContext(draw3D2_, 3);
  label3_ = MakeTitle(draw3D2_, "Label3", "Transformar datos desde ITACA hacia Tabulix");
  label9_ = MakeRedBold(draw3D2_, "Label9", "Recoger Textos en:", 16, 78);
  comboBoxValCast_ = new QComboBox(draw3D2_);
  comboBoxValCast_->setObjectName("ComboBoxValCast");
  comboBoxValCast_->setEditable(true);
  comboBoxValCast_->setInsertPolicy(QComboBox::NoInsert);
  comboBoxValCast_->addItems({"VALENCIÁ", "CASTELLANO"});
  comboBoxValCast_->setEditText(FromCp(state_.idioma));
  comboBoxValCast_->setGeometry(140, 74, 133, 21);
  SetHelpContext(comboBoxValCast_, 1);
  bExportar_ = MakeOkButton(draw3D2_, "BExportar", 120, 124);

  // The Tabulix to ITACA half.
  draw3D3_ = new GradientPanel(kMitadInicio, colores::kBlanco, kMitadFin, this);
  draw3D3_->setObjectName("Draw3D3");
  draw3D3_->setGeometry(316, 0, 317, 169);
  SetHelpContext(draw3D3_, 3);
  label4_ = MakeTitle(draw3D3_, "Label4", "Transformar datos desde Tabulix hacia ITACA");
  bImportar_ = MakeOkButton(draw3D3_, "BImportar", 121, 124);

  // The foot: name and version, help, leave.
  draw3D1_ = new GradientPanel(kPieInicio, kPieMedio, kPieFin, this);
  draw3D1_->setObjectName("Draw3D1");
  draw3D1_->setGeometry(0, 168, 633, 97);
  SetHelpContext(draw3D1_, 3);
  label1_ = MakeRedBold(draw3D1_, "Label1", "Velmora para TB22 V-1.2", 16, 16);
  button1_ = new QPushButton("F1 Ayuda", draw3D1_);
  button1_->setObjectName("Button1");
  button1_->setGeometry(16, 56, 75, 25);
  SetHelpContext(button1_, 1);
  bClose_ =
      new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), "&Salir", draw3D1_);
  bClose_->setObjectName("BClose");
  bClose_->setGeometry(541, 56, 75, 25);
  SetHelpContext(bClose_, 3);
  listBoxPlanti_ = new QListWidget(draw3D1_);
  listBoxPlanti_->setObjectName("ListBoxPlanti");
  listBoxPlanti_->setGeometry(300, 8, 120, 80);
  listBoxPlanti_->hide();  // never visible: it holds the hours list

  openDialogXML_ = new QFileDialog(this, "Archivo XML");
  openDialogXML_->setObjectName("OpenDialogXML");
  openDialogXML_->setAcceptMode(QFileDialog::AcceptOpen);
  openDialogXML_->setFileMode(QFileDialog::AnyFile);  // a missing file is the run's to tell
  openDialogXML_->setNameFilter("*.xml");
  openDialogXML_->setDefaultSuffix("xml");

  dialogs_ = std::make_unique<QtDialogs>(this, openDialogXML_, [this] { close(); });

  InstallHelpKey(this);
  connect(bExportar_, &QPushButton::clicked, this, &TMForm::BExportarClick);
  connect(bImportar_, &QPushButton::clicked, this, &TMForm::BImportarClick);
  connect(button1_, &QPushButton::clicked, this, &TMForm::Button1Click);
  connect(bClose_, &QPushButton::clicked, this, &QWidget::close);

  FormCreate(params);
}

TMForm::~TMForm() {
  // The host window is not ours: let go of it before our own window goes.
  if (host_ != nullptr) {
    if (QWindow* own = windowHandle()) own->setParent(nullptr);
    delete host_;
  }
}

void TMForm::FormCreate(const QStringList& params) {
  state_.xtemp = WorkingFolder();
  state_.resultCode = 0;
  args_ = ReadStartupArgs(params);
  state_.runMode = args_.runMode;
  if (args_.runMode != 2) return;
  // Inside Tabulix's window: no border, no caption, only the half asked for.
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  if (args_.mitad == Mitad::Importar) {
    draw3D2_->hide();
    draw3D3_->setGeometry(0, 0, kAncho, kAlto);
  } else if (args_.mitad == Mitad::Exportar) {
    draw3D3_->hide();
    draw3D2_->setGeometry(0, 0, kAncho, kAlto);
  }
  // The foot stays over the half, so "&Salir" and help remain at hand.
  draw3D1_->raise();
}

void TMForm::Start() {
  if (!args_.error.isEmpty()) QMessageBox::critical(this, kTituloAplicacion, args_.error);
  if (args_.runMode == 2) {
    // Platforms that cannot reach other programs' windows give no host; the
    // window then shows on its own, still in run mode 2.
    host_ = QWindow::fromWinId(static_cast<WId>(*args_.hostHandle));
    if (host_ != nullptr) {
      winId();  // creates the native window, to give it its parent
      windowHandle()->setParent(host_);
    }
    move(0, 0);
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  show();
}

void TMForm::BExportarClick() {
  Run(&velmora::BExportarClick);
}

void TMForm::BImportarClick() {
  Run(&velmora::BImportarClick);
}

void TMForm::Button1Click() {
  ShowHelp(this, kAyudaContenido);
}

void TMForm::Run(void (*run)(RunState&, Dialogs&)) {
  state_.idioma = ToCp(comboBoxValCast_->currentText());
  try {
    run(state_, *dialogs_);
  } catch (const Error& e) {
    // The run stops where it is; the result code and the buttons stay.
    dialogs_->ClearHourglass();
    QMessageBox::critical(this, kTituloAplicacion, FromUtf8(e.what()));
  } catch (const std::exception& e) {
    dialogs_->ClearHourglass();
    QMessageBox::critical(this, kTituloAplicacion,
                          QString("Error inesperado: %1").arg(QString::fromLocal8Bit(e.what())));
  }
  dialogs_->ClearHourglass();
  ShowState();
}

void TMForm::ShowState() {
  const QString idioma = FromCp(state_.idioma);
  if (comboBoxValCast_->currentText() != idioma) comboBoxValCast_->setEditText(idioma);
  listBoxPlanti_->clear();
  for (const std::string& entrada : state_.horas) listBoxPlanti_->addItem(FromCp(entrada));
  bExportar_->setEnabled(state_.buttonsEnabled);
  bImportar_->setEnabled(state_.buttonsEnabled);
}

void TMForm::closeEvent(QCloseEvent* event) {
  if (state_.runMode == 2) {
    const QString ini = SettingsFilePath();
    try {
      WriteSettingsValue(ToPath(ini), "Transformadores", "Transformado",
                         std::to_string(state_.resultCode));
    } catch (const std::exception& e) {
      // Tabulix would not learn the outcome: the window stays open.
      QMessageBox::critical(this, kTituloAplicacion,
                            QString("No se puede escribir en %1\n%2")
                                .arg(QDir::toNativeSeparators(ini), FromUtf8(e.what())));
      event->ignore();
      return;
    }
  }
  event->accept();
  emit closed();
}

}  // namespace velmora
