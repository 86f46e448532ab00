#include "cli/opciones.h"

#include <cstdio>

#include "formats/text.h"
#include "to_tabulix/run_state.h"

namespace velmora::cli {

std::optional<std::string> Opciones::Valor(const std::string& nombre) const {
  const auto it = valores.find(nombre);
  if (it == valores.end()) return std::nullopt;
  return it->second;
}

Opciones LeerOpciones(const Args& args, const std::set<std::string>& conValor,
                      const std::set<std::string>& sinValor) {
  Opciones o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.ayuda = true;
      continue;
    }
    if (a.size() < 2 || a[0] != '-') {
      o.posicionales.push_back(a);
      continue;
    }
    std::string nombre = a;
    std::optional<std::string> valor;
    if (const auto igual = a.find('='); igual != std::string::npos) {
      nombre = a.substr(0, igual);
      valor = a.substr(igual + 1);
    }
    if (conValor.count(nombre)) {
      if (!valor) {
        if (i + 1 >= args.size()) throw ErrorDeUso("Falta el valor de " + nombre);
        valor = args[++i];
      }
      o.valores[nombre] = *valor;
    } else if (sinValor.count(nombre) && !valor) {
      o.banderas.insert(nombre);
    } else {
      throw ErrorDeUso("Opción desconocida: " + a);
    }
  }
  return o;
}

int UsoIncorrecto(const std::string& mensaje, const char* uso) {
  std::fprintf(stderr, "%s\n\n%s", mensaje.c_str(), uso);
  return 2;
}

std::string Idioma(const std::string& opcion) {
  const std::string plegada = FoldCase(Utf8ToCp1252(opcion));
  if (plegada == FoldCase("valenciano") || plegada == FoldCase(kValencia) ||
      plegada == FoldCase(Cp("valencià"))) {
    return kValencia;
  }
  if (plegada == FoldCase("castellano")) return kCastellano;
  throw ErrorDeUso("Idioma desconocido: " + opcion + " (valenciano o castellano)");
}

}  // namespace velmora::cli
