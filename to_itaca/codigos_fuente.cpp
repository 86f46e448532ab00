#include "to_itaca/codigos_fuente.h"

#include <algorithm>

#include "formats/text.h"

namespace velmora {

void CodigosCortados::Anadir(const XmlDocument& doc, std::string_view ruta,
                             std::string_view atributo) {
  const XmlNodeList lista = doc.Select(ruta);
  for (std::size_t i = 0; i < lista.Count(); ++i) {
    const XmlElement e = lista.Item(i);
    if (e.Has(atributo)) codigos_.push_back(e.Trimmed(atributo));
  }
  std::sort(codigos_.begin(), codigos_.end());
  codigos_.erase(std::unique(codigos_.begin(), codigos_.end()), codigos_.end());
}

std::string CodigosCortados::Completar(const std::string& valor, int tamano) const {
  if (tamano <= 0 || valor.size() < static_cast<std::size_t>(tamano)) return valor;
  // The codes that begin with the value follow it in sorted order.
  auto it = std::lower_bound(codigos_.begin(), codigos_.end(), valor);
  if (it != codigos_.end() && *it == valor) return valor;  // a whole code itself
  if (it == codigos_.end() || !it->starts_with(valor)) return valor;
  const auto siguiente = std::next(it);
  if (siguiente != codigos_.end() && siguiente->starts_with(valor)) return valor;  // ambiguous
  return *it;
}

CodigosFuente CodigosFuente::Leer(const XmlDocument& doc) {
  CodigosFuente c;
  c.grupos.Anadir(doc, "/centro/grupos/grupo", "codigo");
  c.cursos.Anadir(doc, "/centro/cursos/curso", "codigo");
  c.contenidos.Anadir(doc, "/centro/contenidos/contenido", "codigo");
  c.ocupaciones.Anadir(doc, "/centro/ocupaciones/ocupacion", "codigo");
  c.aulas.Anadir(doc, "/centro/aulas/aula", "codigo");
  c.ensenanzas.Anadir(doc, "/centro/ensenanzas/ensenanza", "ensenanza");
  c.docentes.Anadir(doc, "/centro/docentes/docente", "documento");
  return c;
}

int TamanoCampo(const Table& tabla, std::string_view campo) {
  const std::string buscado = FoldCase(Left(campo, 10));
  for (const FieldInfo& f : tabla.Fields()) {
    if (FoldCase(f.name) == buscado) return f.length;
  }
  return 0;
}

}  // namespace velmora
