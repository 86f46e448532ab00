#pragma once
// The runs' dialogs as real windows: the open dialog of the main window, the
// template chooser, the school-year chooser and Qt's message boxes.
#include <QPointer>
#include <functional>

#include "to_tabulix/dialogs.h"

class QFileDialog;
class QWidget;

namespace velmora {

// Title of the confirmation boxes.
inline constexpr const char* kTituloConfirmacion = "Confirmación";

class QtDialogs : public Dialogs {
 public:
  // `owner` owns every dialog and message box; `openDialog` is the main
  // window's OpenDialogXML; `closeMainWindow` closes the main window.
  QtDialogs(QWidget* owner, QFileDialog* openDialog, std::function<void()> closeMainWindow);

  std::optional<std::filesystem::path> ChooseXmlFile() override;
  TemplateChoice ChooseTemplate(const XmlDocument& document, const std::string& idioma,
                                int tag) override;
  std::string ChooseSchoolYear(const std::string& current) override;
  Answer Confirm(const std::string& text) override;
  void Inform(const std::string& text, const Report* report = nullptr) override;
  void SetHourglass(bool on) override;
  void CloseMainWindow() override;

  // Takes back an hourglass that a run left on when it stopped with an error.
  void ClearHourglass();

 private:
  QPointer<QWidget> owner_;
  QPointer<QFileDialog> openDialog_;
  std::function<void()> closeMainWindow_;
  int hourglass_ = 0;
};

}  // namespace velmora
