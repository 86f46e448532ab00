#pragma once
// The ITACA codes of the source document, to give back whole the codes that a
// Tabulix table holds cut to its field's size. A subject code of 11
// characters is kept in ASIGNOMT as its first 10; written back as it stands,
// ITACA would receive a code it does not know.
#include <string>
#include <string_view>
#include <vector>

#include "formats/dbf_table.h"
#include "formats/itaca_xml.h"

namespace velmora {

// The codes of one kind (groups, subjects, ...), trimmed, sorted.
class CodigosCortados {
 public:
  // Adds the trimmed `atributo` of every element of `ruta` that carries it.
  void Anadir(const XmlDocument& doc, std::string_view ruta, std::string_view atributo);

  // A value read from a field of `tamano` characters. When it fills the
  // field, it may have been cut: the one longer code of the source that
  // begins with it takes its place. With none, or more than one, the value
  // stays as read.
  std::string Completar(const std::string& valor, int tamano) const;

 private:
  std::vector<std::string> codigos_;
};

struct CodigosFuente {
  CodigosCortados grupos;       // grupo@codigo
  CodigosCortados cursos;       // curso@codigo
  CodigosCortados contenidos;   // contenido@codigo
  CodigosCortados ocupaciones;  // ocupacion@codigo
  CodigosCortados aulas;        // aula@codigo
  CodigosCortados ensenanzas;   // ensenanza@ensenanza
  CodigosCortados docentes;     // docente@documento

  // Reads them before the source's root is replaced.
  static CodigosFuente Leer(const XmlDocument& doc);
};

// The size of a field of an open table (0 when it has none of that name).
int TamanoCampo(const Table& tabla, std::string_view campo);

}  // namespace velmora
