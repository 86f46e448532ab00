#include "to_tabulix/tramos_horas.h"

#include "formats/error.h"
#include "formats/text.h"

namespace velmora {
namespace {

// Characters `desde` (counted from 1) to `hasta` of a text; fewer, or none,
// when the text is shorter.
std::string_view Trozo(std::string_view s, std::size_t desde, std::size_t hasta) {
  if (desde > s.size()) return {};
  return s.substr(desde - 1, hasta - desde + 1);
}

std::string NoEsEntero(std::string_view texto) {
  return "'" + Cp1252ToUtf8(texto) + "' no es un valor entero válido";
}

}  // namespace

int EnteroDeTexto(std::string_view texto) {
  std::size_t i = 0;
  while (i < texto.size() && texto[i] == ' ') ++i;
  bool negativo = false;
  if (i < texto.size() && (texto[i] == '+' || texto[i] == '-')) negativo = texto[i++] == '-';
  if (i == texto.size()) throw Error(NoEsEntero(texto));
  long long valor = 0;
  for (; i < texto.size(); ++i) {
    if (texto[i] < '0' || texto[i] > '9') throw Error(NoEsEntero(texto));
    valor = valor * 10 + (texto[i] - '0');
    if (valor > 2147483648LL) throw Error(NoEsEntero(texto));
  }
  if (negativo) valor = -valor;
  if (valor > 2147483647LL) throw Error(NoEsEntero(texto));
  return static_cast<int>(valor);
}

TramoHoras LeerTramo(std::string_view entrada) {
  try {
    TramoHoras t;
    t.desde = std::string(Trozo(entrada, 7, 11));
    t.hasta = std::string(Trozo(entrada, 15, 19));
    const int inicio =
        EnteroDeTexto(Trozo(entrada, 7, 8)) * 60 + EnteroDeTexto(Trozo(entrada, 10, 11));
    const int fin =
        EnteroDeTexto(Trozo(entrada, 15, 16)) * 60 + EnteroDeTexto(Trozo(entrada, 18, 19));
    t.sesion = EnteroDeTexto(Trozo(entrada, 1, 2));
    t.minutos = fin - inicio;
    return t;
  } catch (const Error& e) {
    throw Error(std::string(e.what()) + " (lista de horas de la plantilla, entrada «" +
                Cp1252ToUtf8(entrada) + "»)");
  }
}

std::vector<TramoHoras> LeerTramos(const std::vector<std::string>& horas) {
  std::vector<TramoHoras> tramos;
  tramos.reserve(horas.size());
  for (const auto& entrada : horas) tramos.push_back(LeerTramo(entrada));
  return tramos;
}

}  // namespace velmora
