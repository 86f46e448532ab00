#include "to_tabulix/abreviaturas_usadas.h"

#include "formats/text.h"

namespace velmora {

bool AbreviaturasUsadas::Contiene(std::string_view abreviatura) const {
  return plegadas_.count(FoldCase(abreviatura)) > 0;
}

void AbreviaturasUsadas::Anadir(std::string_view abreviatura) {
  plegadas_.insert(FoldCase(abreviatura));
}

std::string AbreviaturasUsadas::ConContador(std::string_view base) {
  const std::string plegada = FoldCase(base);
  long long& k = contador_.try_emplace(plegada, 1).first->second;
  while (plegadas_.count(plegada + std::to_string(k)) > 0) ++k;
  return std::string(base) + std::to_string(k);
}

std::string AbreviaturasUsadas::ConContadorEnCampo(std::string_view base, std::size_t tamano) {
  const std::string plegada = FoldCase(base);
  std::string clave = plegada;
  clave += '\0';
  clave += std::to_string(tamano);
  long long& k = contadorEnCampo_.try_emplace(clave, 1).first->second;
  for (;; ++k) {
    const std::string numero = std::to_string(k);
    const std::size_t cabe = tamano > numero.size() ? tamano - numero.size() : 0;
    const std::size_t largo = base.size() < cabe ? base.size() : cabe;
    if (plegadas_.count(plegada.substr(0, largo) + numero) == 0) {
      return std::string(base.substr(0, largo)) + numero;
    }
  }
}

}  // namespace velmora
