#pragma once
// The windows of a run, answered from the command line's options: the file
// is the one named, the template the one asked for (or the first, as the
// chooser opens on it), and each question gets the answer its option says.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "to_tabulix/dialogs.h"

namespace velmora::cli {

struct Respuestas {
  std::filesystem::path documento;
  std::optional<std::string> plantilla;  // CP1252, as typed into the chooser
  std::optional<std::string> curso;      // the school year to write (CP1252)
  bool todasLasPlantillas = false;       // Yes to the several-templates question
  bool conservarSinClases = false;       // No to the idle groups and teachers question
};

class DialogosCli : public Dialogs {
 public:
  explicit DialogosCli(Respuestas respuestas) : r_(std::move(respuestas)) {}

  // The information messages shown, in order (UTF-8).
  const std::vector<std::string>& Mensajes() const { return mensajes_; }
  // Whether the run showed the template chooser (only documents with templates).
  bool PlantillaElegida() const { return plantillaElegida_; }

  std::optional<std::filesystem::path> ChooseXmlFile() override { return r_.documento; }
  TemplateChoice ChooseTemplate(const XmlDocument& document, const std::string& idioma,
                                int tag) override;
  std::string ChooseSchoolYear(const std::string& current) override;
  Answer Confirm(const std::string& text) override;
  void Inform(const std::string& text, const Report* report) override;
  void SetHourglass(bool) override {}
  void CloseMainWindow() override {}

 private:
  Respuestas r_;
  std::vector<std::string> mensajes_;
  bool plantillaElegida_ = false;
};

}  // namespace velmora::cli
