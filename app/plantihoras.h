#pragma once
// The timetable template chooser `Plantillas`: the user picks the template
// (and, going to Tabulix, the language of the names). The logic lives in
// PlantillasModel; this dialog binds its widgets to it.
#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/itaca_xml.h"
#include "to_tabulix/dialogs.h"
#include "to_tabulix/plantillas.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace velmora {

class GradientPanel;

class TPlantillas : public QDialog {
  Q_OBJECT

 public:
  explicit TPlantillas(QWidget* owner = nullptr);
  ~TPlantillas() override;

  // The mode, set before showing: 2 for Tabulix to ITACA, anything else
  // (the caller uses 0) for ITACA to Tabulix.
  void SetTag(int tag) { tag_ = tag; }
  int Tag() const { return tag_; }

  // What activation reads from the main window: the document path and the
  // text of its language combo.
  void SetInicio(const QString& documentPath, const QString& idioma);

  // What the dialog hands back, valid once it has closed (by Continuar or by
  // the close box alike).
  const TemplateChoice& Eleccion() const { return eleccion_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();
  void ComboBoxPlantillaChange();
  void MostrarVista(const PlantillasModel::Vista& vista);
  void BitBtnContinuarClick();
  void FormClose();
  void ShowError(const QString& message);

  GradientPanel* draw3D4_;
  QLabel* label9_;
  QComboBox* comboBoxValCast_;
  QLabel* labelPlantillas_;
  QComboBox* comboBoxPlantilla_;
  QLabel* label3_;
  QLabel* labelNombre_;
  QLabel* label2_;
  QLabel* labelTurno_;
  QLabel* label1_;
  QListWidget* listBox1_;
  QPushButton* bitBtnContinuar_;

  int tag_ = kTagItacaToTabulix;
  QString documentPath_;
  QString idiomaInicial_;
  bool activated_ = false;

  // The dialog's own document and the model that reads it.
  std::optional<XmlDocument> doc_;
  std::unique_ptr<PlantillasModel> model_;

  std::string turno_ = "-";         // caption of LabelTurno (CP1252)
  std::vector<std::string> horas_;  // entries of ListBox1 (CP1252)
  TemplateChoice eleccion_;
};

}  // namespace velmora
