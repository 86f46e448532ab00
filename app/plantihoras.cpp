#include "app/plantihoras.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>

#include "app/application.h"
#include "app/gradient_panel.h"
#include "app/help.h"
#include "app/look.h"
#include "app/qt_text.h"
#include "formats/error.h"
#include "formats/text.h"

namespace velmora {
namespace {

// The dialog was drawn 378 x 299 pixels with its frame; this is its client area.
constexpr int kAncho = 370;
constexpr int kAlto = 265;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->move(left, top);
  label->adjustSize();
  return label;
}

}  // namespace

TPlantillas::TPlantillas(QWidget* owner) : QDialog(owner) {
  setObjectName("Plantillas");
  setWindowTitle("Plantillas Horarias");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(FontMsSansSerif(11));
  setFixedSize(kAncho, kAlto);
  move(444, 334);
  SetHelpContext(this, 1);

  draw3D4_ =
      new GradientPanel(colores::kAzulCielo, colores::kBlanco, colores::kTextoTituloInactivo, this);
  draw3D4_->setObjectName("Draw3D4");
  draw3D4_->setGeometry(0, 0, kAncho, kAlto);
  SetHelpContext(draw3D4_, 3);

  label9_ = MakeLabel(draw3D4_, "Label9", "Recoger Textos en: -------------->", 6, 10);
  label9_->setFont(FontMsSansSerif(11, true));
  SetTextColor(label9_, colores::kRojo);
  label9_->adjustSize();

  comboBoxValCast_ = new QComboBox(draw3D4_);
  comboBoxValCast_->setObjectName("ComboBoxValCast");
  comboBoxValCast_->setEditable(true);
  comboBoxValCast_->setInsertPolicy(QComboBox::NoInsert);
  comboBoxValCast_->addItems({"VALENCIÁ", "CASTELLANO"});
  comboBoxValCast_->setGeometry(205, 6, 133, 21);
  SetHelpContext(comboBoxValCast_, 1);

  labelPlantillas_ = new QLabel(
      "Seleccione la Plantilla Horaria que quiere aplicar a su Horario en Tabulix.", draw3D4_);
  labelPlantillas_->setObjectName("LabelPlantillas");
  labelPlantillas_->setFont(FontArial(13, true));
  labelPlantillas_->setWordWrap(true);
  labelPlantillas_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labelPlantillas_->setGeometry(6, 33, 321, 33);

  comboBoxPlantilla_ = new QComboBox(draw3D4_);
  comboBoxPlantilla_->setObjectName("ComboBoxPlantilla");
  comboBoxPlantilla_->setEditable(true);
  comboBoxPlantilla_->setInsertPolicy(QComboBox::NoInsert);
  comboBoxPlantilla_->setCompleter(nullptr);  // no automatic completion
  {
    QPalette palette = comboBoxPlantilla_->palette();
    palette.setColor(QPalette::Base, colores::kAmarillo);
    comboBoxPlantilla_->setPalette(palette);
  }
  comboBoxPlantilla_->setGeometry(8, 80, 129, 21);

  label3_ = MakeLabel(draw3D4_, "Label3", "Horario:", 2, 105);

  labelNombre_ = new QLabel("-", draw3D4_);
  labelNombre_->setObjectName("LabelNombre");
  labelNombre_->setWordWrap(true);
  labelNombre_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labelNombre_->setGeometry(2, 127, 162, 36);
  SetTextColor(labelNombre_, colores::kGranate);

  label2_ = MakeLabel(draw3D4_, "Label2", "Turno:", 2, 185);
  labelTurno_ = MakeLabel(draw3D4_, "LabelTurno", "-", 44, 185);
  SetTextColor(labelTurno_, colores::kGranate);

  label1_ = MakeLabel(draw3D4_, "Label1", "HORAS", 228, 61);

  listBox1_ = new QListWidget(draw3D4_);
  listBox1_->setObjectName("ListBox1");
  listBox1_->setGeometry(168, 80, 197, 149);
  listBox1_->setFont(FontMsSansSerif(11, true));
  SetTextColor(listBox1_, colores::kAzul);

  bitBtnContinuar_ =
      new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "Continuar", draw3D4_);
  bitBtnContinuar_->setObjectName("BitBtnContinuar");
  bitBtnContinuar_->setGeometry(255, 234, 75, 25);
  bitBtnContinuar_->setDefault(true);
  SetHelpContext(bitBtnContinuar_, 3);

  InstallHelpKey(this);

  // Both combos refresh the view on every change of their text.
  connect(comboBoxPlantilla_, &QComboBox::currentTextChanged, this,
          &TPlantillas::ComboBoxPlantillaChange);
  connect(comboBoxValCast_, &QComboBox::currentTextChanged, this,
          &TPlantillas::ComboBoxPlantillaChange);
  connect(bitBtnContinuar_, &QPushButton::clicked, this, &TPlantillas::BitBtnContinuarClick);
}

TPlantillas::~TPlantillas() = default;

void TPlantillas::SetInicio(const QString& documentPath, const QString& idioma) {
  documentPath_ = documentPath;
  idiomaInicial_ = idioma;
}

void TPlantillas::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The dialog lives for one showing, so it is activated once: a message box
  // over it must not fill it afresh and lose what the user typed.
  if (!activated_) {
    activated_ = true;
    FormActivate();
  }
}

void TPlantillas::FormActivate() {
  const QSignalBlocker blockTemplate(comboBoxPlantilla_);
  const QSignalBlocker blockLanguage(comboBoxValCast_);
  if (tag_ == kTagTabulixToItaca) {
    label9_->setText("EXPORTACIÓN A ITACA");
    label9_->adjustSize();
    comboBoxValCast_->hide();
    labelPlantillas_->setText(
        "Seleccione la Plantilla Horaria que quiere aplicar para Exportar su Horario a ITACA.");
  }
  comboBoxValCast_->setEditText(idiomaInicial_);
  try {
    model_.reset();
    doc_.reset();
    doc_.emplace(XmlDocument::Load(ToPath(documentPath_)));
    model_ = std::make_unique<PlantillasModel>(*doc_);
  } catch (const std::exception& e) {
    model_.reset();
    ShowError(FromUtf8(e.what()));
    return;
  }
  if (!model_->Codigos().empty()) {
    comboBoxPlantilla_->clear();
    for (const std::string& codigo : model_->Codigos()) comboBoxPlantilla_->addItem(FromCp(codigo));
  }
  if (tag_ == kTagTabulixToItaca || comboBoxPlantilla_->count() == 0) {
    comboBoxPlantilla_->setCurrentIndex(-1);
    comboBoxPlantilla_->setEditText(QString());
  } else {
    comboBoxPlantilla_->setCurrentIndex(0);
  }
  ComboBoxPlantillaChange();
}

void TPlantillas::ComboBoxPlantillaChange() {
  if (!model_) return;
  // "-" in both labels until the code is found.
  MostrarVista(PlantillasModel::Vista());
  PlantillasModel::Vista vista;
  try {
    vista = model_->Refrescar(ToCp(comboBoxPlantilla_->currentText()),
                              ToCp(comboBoxValCast_->currentText()));
  } catch (const std::exception& e) {
    ShowError(FromUtf8(e.what()));
    return;
  }
  MostrarVista(vista);
}

void TPlantillas::MostrarVista(const PlantillasModel::Vista& vista) {
  turno_ = vista.turno;
  labelNombre_->setText(FromCp(vista.nombre));
  labelTurno_->setText(FromCp(vista.turno));
  labelTurno_->adjustSize();
  if (vista.horas) {
    // Kept in the model's order: sorted by text, as the hours list is read
    // by position later on.
    horas_ = *vista.horas;
    listBox1_->clear();
    for (const std::string& entrada : horas_) listBox1_->addItem(FromCp(entrada));
  }
}

void TPlantillas::BitBtnContinuarClick() {
  accept();
}

void TPlantillas::done(int result) {
  // Continuar, the close box and Escape all hand back the same values.
  FormClose();
  QDialog::done(result);
}

void TPlantillas::FormClose() {
  eleccion_.codigo = TrimBlanksAndControls(ToCp(comboBoxPlantilla_->currentText()));
  eleccion_.turno = turno_;
  eleccion_.idioma = ToCp(comboBoxValCast_->currentText());
  eleccion_.horas = horas_;
}

void TPlantillas::ShowError(const QString& message) {
  // Shown once the dialog is on screen; the dialog stays open with what it
  // has filled so far.
  QTimer::singleShot(0, this,
                     [this, message] { QMessageBox::critical(this, kTituloAplicacion, message); });
}

}  // namespace velmora
