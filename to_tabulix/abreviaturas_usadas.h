#pragma once
// The abbreviations already given in one table (teachers, groups, rooms), where
// "already given" ignores letter case, as Tabulix does: gpa is taken when GPA is.
//
// The counter of each base is remembered, so that a thousand namesakes cost a
// thousand probes, not half a million: abbreviations are only ever added, so a
// candidate found taken once stays taken, and the search for a base resumes
// where it last stopped.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace velmora {

class AbreviaturasUsadas {
 public:
  bool Contiene(std::string_view abreviatura) const;
  void Anadir(std::string_view abreviatura);

  // The first of base + "1", base + "2", ... that is not taken.
  std::string ConContador(std::string_view base);

  // The same, but a candidate never grows past `tamano` characters: when base
  // and counter do not fit, the base gives up its last characters. With a
  // counter that fits it is the same as ConContador.
  std::string ConContadorEnCampo(std::string_view base, std::size_t tamano);

 private:
  std::unordered_set<std::string> plegadas_;
  // Folded base -> the smallest counter that was not taken when last probed.
  std::unordered_map<std::string, long long> contador_;
  std::unordered_map<std::string, long long> contadorEnCampo_;
};

}  // namespace velmora
