#include "app/cursoexport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

#include "app/gradient_panel.h"
#include "app/help.h"
#include "app/look.h"
#include "app/qt_text.h"

namespace velmora {
namespace {

// The dialog was drawn 387 x 172 pixels with its frame; this is its client area.
constexpr int kAncho = 379;
constexpr int kAlto = 138;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                  const QColor& color) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(font);
  SetTextColor(label, color);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

TCurExp::TCurExp(const QString& cursoDestino, QWidget* owner)
    : QDialog(owner), eleccion_(ToCp(cursoDestino)), cursoDestino_(cursoDestino) {
  setObjectName("CurExp");
  setWindowTitle("Curso de destino");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(FontMsSansSerif(11));
  setFixedSize(kAncho, kAlto);
  move(378, 334);
  SetHelpContext(this, 1);

  draw3D4_ =
      new GradientPanel(colores::kAzulCielo, colores::kBlanco, colores::kTextoTituloInactivo, this);
  draw3D4_->setObjectName("Draw3D4");
  draw3D4_->setGeometry(0, 0, 379, 137);
  SetHelpContext(draw3D4_, 3);

  labelCurso_ =
      MakeLabel(draw3D4_, "LabelCurso",
                "Seleccione el Curso para el que quiere Exportar el Resultado del Horario.",
                FontArial(13, true), palette().color(QPalette::WindowText));
  labelCurso_->setWordWrap(true);
  labelCurso_->setGeometry(6, 1, 315, 33);

  labelCurSelected_ =
      MakeLabel(draw3D4_, "LabelCurSelected",
                "Curso seleccionado actualmente:", FontMsSansSerif(13, true), colores::kAzul);
  labelCurSelected_->setWordWrap(true);
  labelCurSelected_->setGeometry(6, 46, 233, 24);

  labelCurActual_ =
      MakeLabel(draw3D4_, "LabelCurActual", "-", FontMsSansSerif(16, true), colores::kRojo);
  labelCurActual_->move(270, 42);
  labelCurActual_->adjustSize();

  labelSeleccion_ = MakeLabel(
      draw3D4_, "LabelSeleccion",
      "Curso para el que se efecturá la Exportación:", FontMsSansSerif(11, true), colores::kRojo);
  labelSeleccion_->move(7, 72);
  labelSeleccion_->adjustSize();

  comboBoxCurso_ = new QComboBox(draw3D4_);
  comboBoxCurso_->setObjectName("ComboBoxCurso");
  comboBoxCurso_->setEditable(true);
  comboBoxCurso_->setInsertPolicy(QComboBox::NoInsert);
  comboBoxCurso_->setFont(FontMsSansSerif(11, true));
  {
    QPalette palette = comboBoxCurso_->palette();
    palette.setColor(QPalette::Base, colores::kBlanco);
    comboBoxCurso_->setPalette(palette);
  }
  for (const std::string& anyo : EleccionCurso::Anyos()) comboBoxCurso_->addItem(FromCp(anyo));
  comboBoxCurso_->setCurrentIndex(-1);  // the edit text starts empty
  comboBoxCurso_->setEditText(QString());
  comboBoxCurso_->setGeometry(267, 69, 105, 21);
  SetHelpContext(comboBoxCurso_, 1);

  bitBtnContinuar_ =
      new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "Continuar", draw3D4_);
  bitBtnContinuar_->setObjectName("BitBtnContinuar");
  bitBtnContinuar_->setFont(FontMsSansSerif(11, true));
  bitBtnContinuar_->setGeometry(153, 102, 89, 25);
  bitBtnContinuar_->setDefault(true);
  SetHelpContext(bitBtnContinuar_, 3);

  InstallHelpKey(this);

  connect(comboBoxCurso_, &QComboBox::currentTextChanged, this, &TCurExp::ComboBoxCursoChange);
  connect(bitBtnContinuar_, &QPushButton::clicked, this, &TCurExp::BitBtnContinuarClick);
}

void TCurExp::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!activated_) {
    activated_ = true;
    FormActivate();
  }
}

void TCurExp::FormActivate() {
  labelCurActual_->setText(FromCp(eleccion_.Etiqueta()));
  labelCurActual_->adjustSize();
}

void TCurExp::ComboBoxCursoChange(const QString& text) {
  eleccion_.CambiarTexto(ToCp(text));
  labelCurActual_->setText(FromCp(eleccion_.Etiqueta()));
  labelCurActual_->adjustSize();
}

void TCurExp::BitBtnContinuarClick() {
  accept();
}

void TCurExp::done(int result) {
  // Continuar, the close box and Escape all store the year on show.
  FormClose();
  QDialog::done(result);
}

void TCurExp::FormClose() {
  cursoDestino_ = FromCp(eleccion_.Cerrar());
}

}  // namespace velmora
