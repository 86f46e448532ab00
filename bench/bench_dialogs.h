#pragma once
// Answers without a window, for the benchmarks of both runs. The template
// chooser's answer is worked out before the timing: it is the user's part of
// the run, not the conversion's. The questions are answered as a user who
// follows the advice: only the chosen template ("No"), and idle groups and
// teachers removed ("Sí").
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "to_tabulix/dialogs.h"
#include "to_tabulix/preguntas.h"

namespace velmora::bench {

class BenchDialogs : public Dialogs {
 public:
  BenchDialogs(std::filesystem::path file, TemplateChoice choice)
      : file_(std::move(file)), choice_(std::move(choice)) {}

  std::optional<std::filesystem::path> ChooseXmlFile() override { return file_; }
  TemplateChoice ChooseTemplate(const XmlDocument&, const std::string&, int) override {
    return choice_;
  }
  std::string ChooseSchoolYear(const std::string& current) override { return current; }
  Answer Confirm(const std::string& text) override {
    return text == kPreguntaVariasPlantillas ? Answer::No : Answer::Yes;
  }
  void Inform(const std::string&, const Report*) override {}
  void SetHourglass(bool) override {}
  void CloseMainWindow() override {}

 private:
  std::filesystem::path file_;
  TemplateChoice choice_;
};

}  // namespace velmora::bench
