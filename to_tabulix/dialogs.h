#pragma once
// The only way a run talks to the user. The desktop program implements it
// with real windows, the command line with its options, the tests with a
// scripted fake that records what was asked.
//
// Messages and questions are UTF-8 texts; the values handed back by the
// template chooser (code, shift, language, hours list) are CP1252, as the
// tables hold them.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct Report;
class XmlDocument;

enum class Answer { Yes, No, Closed };

// What the template chooser hands back when it closes.
struct TemplateChoice {
  std::string codigo;              // trimmed of blanks and control characters
  std::string turno;               // "-" when the code matches no template
  std::string idioma;              // the text of the chooser's language combo
  std::vector<std::string> horas;  // the hours list, in its (sorted) order
};

// Tag of the template chooser: the direction it is shown for.
inline constexpr int kTagItacaToTabulix = 0;
inline constexpr int kTagTabulixToItaca = 2;

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The open dialog "Archivo XML" (filter *.xml). Nothing when cancelled.
  virtual std::optional<std::filesystem::path> ChooseXmlFile() = 0;

  // The template chooser, modal, for the run's document as the run loaded it
  // (its file is document.File()); it starts from the main window's language
  // text. Choosing from the loaded document rather than reading the file
  // again spares a second copy of a large school in memory, and the choice is
  // made on the very text the run converts.
  virtual TemplateChoice ChooseTemplate(const XmlDocument& document, const std::string& idioma,
                                        int tag) = 0;

  // The school-year chooser, modal: shows `current` (CursoDestino) and
  // returns the year to write.
  virtual std::string ChooseSchoolYear(const std::string& current) = 0;

  // A confirmation box titled "Confirmación" with the buttons "&Si" and "&No".
  virtual Answer Confirm(const std::string& text) = 0;

  // An information box titled with the application title ("Velmora"). A run's
  // final message passes its report, which the box may offer as details.
  virtual void Inform(const std::string& text, const Report* report = nullptr) = 0;

  // The application-wide hourglass cursor.
  virtual void SetHourglass(bool on) = 0;

  // In run mode 2 a run ends by closing the main window (which then writes
  // the result code to "Tabulix.ini").
  virtual void CloseMainWindow() = 0;
};

}  // namespace velmora
