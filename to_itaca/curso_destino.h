#pragma once
// The school-year chooser's logic, without its window. The dialog shows the
// year in a label that starts as CursoDestino, follows every change of the
// combo's text (any text, not only a year of the list), and is stored back
// into CursoDestino however the dialog is closed.
#include <string>
#include <vector>

namespace velmora {

class EleccionCurso {
 public:
  // On activation the label shows CursoDestino.
  explicit EleccionCurso(std::string cursoDestino) : etiqueta_(std::move(cursoDestino)) {}

  // The years the combo offers: "2010" to "2020".
  static const std::vector<std::string>& Anyos();

  // The combo's text changed (picked from the list or typed).
  void CambiarTexto(const std::string& texto) { etiqueta_ = texto; }

  // The label's caption: the year on show.
  const std::string& Etiqueta() const { return etiqueta_; }

  // Closing, by Continuar or the close box: the new CursoDestino.
  const std::string& Cerrar() const { return etiqueta_; }

 private:
  std::string etiqueta_;
};

}  // namespace velmora
