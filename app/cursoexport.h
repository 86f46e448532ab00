#pragma once
// The school-year chooser `CurExp`: the user confirms or changes the school
// year written into the result document. The logic lives in EleccionCurso;
// this dialog binds its widgets to it.
#include <QDialog>

#include "to_itaca/curso_destino.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace velmora {

class GradientPanel;

class TCurExp : public QDialog {
  Q_OBJECT

 public:
  // `cursoDestino`: the year to show at first (the source document's).
  explicit TCurExp(const QString& cursoDestino, QWidget* owner = nullptr);

  // The year chosen, valid once the dialog has closed (by Continuar or by
  // the close box alike).
  QString CursoDestino() const { return cursoDestino_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();
  void ComboBoxCursoChange(const QString& text);
  void BitBtnContinuarClick();
  void FormClose();

  GradientPanel* draw3D4_;
  QLabel* labelCurso_;
  QLabel* labelCurSelected_;
  QLabel* labelCurActual_;
  QLabel* labelSeleccion_;
  QComboBox* comboBoxCurso_;
  QPushButton* bitBtnContinuar_;

  EleccionCurso eleccion_;
  QString cursoDestino_;
  bool activated_ = false;
};

}  // namespace velmora
