#include "to_tabulix/comprobar_documento.h"

#include <set>
#include <unordered_map>

#include "formats/error.h"
#include "formats/text.h"
#include "to_tabulix/nombres.h"

namespace velmora {
namespace {

constexpr std::size_t kFaltasListadas = 20;

class Faltas {
 public:
  // True when the element has the attribute; notes it as missing otherwise.
  bool Exige(const XmlElement& e, const char* atributo) {
    if (e.Has(atributo)) return true;
    std::string linea = "falta el atributo «" + std::string(atributo) + "» en " + e.Where();
    if (vistas_.insert(linea).second) lineas_.push_back(std::move(linea));
    return false;
  }
  // The trimmed value, as the steps read it; empty when it is missing.
  std::string Lee(const XmlElement& e, const char* atributo) {
    return Exige(e, atributo) ? e.Trimmed(atributo) : std::string();
  }

  void Lanzar(const XmlDocument& doc) const {
    if (lineas_.empty()) return;
    std::string m = "El documento «" + doc.File().filename().string() +
                    "» está incompleto: faltan atributos que la conversión necesita. No se ha "
                    "modificado ninguna tabla.";
    for (std::size_t i = 0; i < lineas_.size() && i < kFaltasListadas; ++i) {
      m += "\n  " + lineas_[i];
    }
    if (lineas_.size() > kFaltasListadas) {
      m += "\n  y " + std::to_string(lineas_.size() - kFaltasListadas) + " más.";
    }
    throw Error(m);
  }

 private:
  std::vector<std::string> lineas_;
  std::set<std::string> vistas_;
};

// The lookups by which the courses and groups step finds a programme's level
// and a group's course: every element gives its key, and the first element
// of each key that is looked up gives its value.
void ComprobarBusqueda(const XmlNodeList& lista, const char* clave, const char* valor,
                       const std::vector<std::string>& buscadas, Faltas& faltas) {
  if (lista.Count() < 2 || buscadas.empty()) return;
  std::unordered_map<std::string, std::size_t> primera;
  for (std::size_t i = 0; i < lista.Count(); ++i) {
    const XmlElement e = lista.Item(i);
    if (faltas.Exige(e, clave)) primera.try_emplace(e.Trimmed(clave), i);
  }
  for (const auto& b : buscadas) {
    const auto it = primera.find(b);
    if (it != primera.end()) faltas.Exige(lista.Item(it->second), valor);
  }
}

// CrearProfesores.
void ComprobarDocentes(const XmlDocument& doc, Faltas& f) {
  const XmlNodeList docentes = doc.Select("/centro/docentes/docente");
  if (docentes.Count() < 2) return;
  for (std::size_t i = 0; i < docentes.Count(); ++i) {
    const XmlElement d = docentes.Item(i);
    for (const char* a : {"apellido1", "apellido2", "nombre"}) f.Exige(d, a);
    if (f.Lee(d, "tipo_docente") == "D") f.Exige(d, "fecha_ingreso");
    f.Exige(d, "documento");
    f.Exige(d, "ensenanza");
  }
}

// CrearCursosGrupos.
void ComprobarCursosGrupos(const XmlDocument& doc, Faltas& f) {
  std::vector<std::string> programas;  // keys of the programme lookups
  std::vector<std::string> grupos;     // keys of the course links

  const XmlNodeList cursos = doc.Select("/centro/cursos/curso");
  if (cursos.Count() >= 2) {
    for (std::size_t i = 0; i < cursos.Count(); ++i) {
      const XmlElement c = cursos.Item(i);
      if (f.Lee(c, "padre").empty()) {
        const std::string abreviatura = f.Lee(c, "abreviatura");
        if (abreviatura.empty() || abreviatura[0] < '0' || abreviatura[0] > '9') continue;
      } else {
        f.Exige(c, "abreviatura");
      }
      f.Exige(c, "codigo");
      if (f.Exige(c, "ensenanza")) programas.push_back(c.Trimmed("ensenanza"));
    }
  }

  const XmlNodeList lista = doc.Select("/centro/grupos/grupo");
  if (lista.Count() >= 2) {
    for (std::size_t i = 0; i < lista.Count(); ++i) {
      const XmlElement g = lista.Item(i);
      if (f.Exige(g, "codigo")) grupos.push_back(g.Trimmed("codigo"));
      f.Exige(g, "nombre");
      f.Exige(g, "turno");
      if (f.Exige(g, "ensenanza")) programas.push_back(g.Trimmed("ensenanza"));
      if (f.Exige(g, "tutor_ppal") && g.Trimmed("tutor_ppal").empty()) f.Exige(g, "tutor_sec");
    }
  }

  ComprobarBusqueda(doc.Select("/centro/ensenanzas/ensenanza"), "ensenanza", "abreviatura",
                    programas, f);
  ComprobarBusqueda(doc.Select("/centro/cursos_grupo/curso_grupo"), "grupo", "curso", grupos, f);
}

// CrearNombresAsignaturas and AnadirOcupaciones; CrearAsignaciones reads the
// same attributes of the subjects (its lookup by name reads the name in the
// same language as the names table was written in).
void ComprobarNombres(const XmlDocument& doc, const RunState& state, Faltas& f) {
  const char* nombre = AtributoNombre(state.idioma);
  const XmlNodeList contenidos = doc.Select("/centro/contenidos/contenido");
  if (contenidos.Count() >= 2) {
    for (std::size_t i = 0; i < contenidos.Count(); ++i) {
      for (const char* a : {"codigo", "curso", nombre}) f.Exige(contenidos.Item(i), a);
    }
  }
  const XmlNodeList ocupaciones = doc.Select("/centro/ocupaciones/ocupacion");
  if (ocupaciones.Count() >= 2) {
    for (std::size_t i = 0; i < ocupaciones.Count(); ++i) {
      for (const char* a : {"codigo", nombre}) f.Exige(ocupaciones.Item(i), a);
    }
  }
}

// CrearAulas.
void ComprobarAulas(const XmlDocument& doc, Faltas& f) {
  const XmlNodeList aulas = doc.Select("/centro/aulas/aula");
  if (aulas.Count() < 2) return;
  for (std::size_t i = 0; i < aulas.Count(); ++i) {
    for (const char* a : {"nombre", "codigo"}) f.Exige(aulas.Item(i), a);
  }
}

// CargarHorariosGrupo: every session gives its template; those of the chosen
// template give the rest. Whether the user will want only the chosen
// template is not known yet, so the sessions are checked as if so.
void ComprobarHorariosGrupo(const XmlDocument& doc, const RunState& state, Faltas& f) {
  const XmlNodeList sesiones = doc.Select("/centro/horarios_grupo/horario_grupo");
  if (sesiones.Count() < 2) return;
  for (std::size_t i = 0; i < sesiones.Count(); ++i) {
    const XmlElement s = sesiones.Item(i);
    if (!f.Exige(s, "plantilla") || s.Trimmed("plantilla") != state.plantilla) continue;
    for (const char* a : {"grupo", "curso", "contenido", "docente", "aula"}) f.Exige(s, a);
  }
}

// CargarHorariosOcupaciones: every duty session, also a single one, gives
// all three before its template is looked at.
void ComprobarHorariosOcupaciones(const XmlDocument& doc, Faltas& f) {
  const XmlNodeList sesiones = doc.Select("/centro/horarios_ocupaciones/horario_ocupacion");
  for (std::size_t i = 0; i < sesiones.Count(); ++i) {
    for (const char* a : {"ocupacion", "docente", "plantilla"}) f.Exige(sesiones.Item(i), a);
  }
}

}  // namespace

void ComprobarDocumento(const XmlDocument& doc, const RunState& state) {
  Faltas faltas;
  ComprobarDocentes(doc, faltas);
  ComprobarCursosGrupos(doc, faltas);
  ComprobarNombres(doc, state, faltas);
  ComprobarAulas(doc, faltas);
  ComprobarHorariosGrupo(doc, state, faltas);
  ComprobarHorariosOcupaciones(doc, faltas);
  faltas.Lanzar(doc);
}

}  // namespace velmora
