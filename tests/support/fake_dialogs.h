#pragma once
// A scripted stand-in for the windows: answers come from queues set by the
// test, and everything that was asked or shown is recorded.
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "to_tabulix/dialogs.h"

namespace velmora::testing {

class FakeDialogs : public Dialogs {
 public:
  // Answers, taken in order. An empty queue gives: no file (cancel), the
  // template chooser's own choice (see onTemplate), the year unchanged, and
  // Answer::Closed to a question.
  std::deque<std::optional<std::filesystem::path>> files;
  std::deque<Answer> answers;
  std::deque<std::string> years;
  // Called for the template chooser; when empty, the chooser is answered with
  // `templateChoice`.
  std::function<TemplateChoice(const std::filesystem::path&, const std::string&, int)> onTemplate;
  TemplateChoice templateChoice;

  // What happened, in order.
  std::vector<std::string> questions;   // texts of Confirm
  std::vector<std::string> messages;    // texts of Inform
  std::vector<int> templateTags;        // tags the template chooser was shown with
  std::vector<std::string> yearsShown;  // CursoDestino when the year chooser opened
  std::vector<bool> hourglass;          // every SetHourglass call
  int closed = 0;                       // CloseMainWindow calls
  int fileDialogs = 0;

  std::optional<std::filesystem::path> ChooseXmlFile() override;
  TemplateChoice ChooseTemplate(const XmlDocument& document, const std::string& idioma,
                                int tag) override;
  std::string ChooseSchoolYear(const std::string& current) override;
  Answer Confirm(const std::string& text) override;
  void Inform(const std::string& text, const Report* report) override;
  void SetHourglass(bool on) override;
  void CloseMainWindow() override;
};

}  // namespace velmora::testing
