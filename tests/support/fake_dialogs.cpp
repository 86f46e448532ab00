#include "support/fake_dialogs.h"

#include "formats/itaca_xml.h"

namespace velmora::testing {

std::optional<std::filesystem::path> FakeDialogs::ChooseXmlFile() {
  ++fileDialogs;
  if (files.empty()) return std::nullopt;
  auto f = files.front();
  files.pop_front();
  return f;
}

TemplateChoice FakeDialogs::ChooseTemplate(const XmlDocument& document, const std::string& idioma,
                                           int tag) {
  templateTags.push_back(tag);
  if (onTemplate) return onTemplate(document.File(), idioma, tag);
  return templateChoice;
}

std::string FakeDialogs::ChooseSchoolYear(const std::string& current) {
  yearsShown.push_back(current);
  if (years.empty()) return current;
  auto y = years.front();
  years.pop_front();
  return y;
}

Answer FakeDialogs::Confirm(const std::string& text) {
  questions.push_back(text);
  if (answers.empty()) return Answer::Closed;
  auto a = answers.front();
  answers.pop_front();
  return a;
}

void FakeDialogs::Inform(const std::string& text, const Report*) {
  messages.push_back(text);
}

void FakeDialogs::SetHourglass(bool on) {
  hourglass.push_back(on);
}

void FakeDialogs::CloseMainWindow() {
  ++closed;
}

}  // namespace velmora::testing
