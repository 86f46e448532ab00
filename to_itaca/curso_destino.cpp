#include "to_itaca/curso_destino.h"

namespace velmora {

const std::vector<std::string>& EleccionCurso::Anyos() {
  static const std::vector<std::string> anyos = {"2010", "2011", "2012", "2013", "2014", "2015",
                                                 "2016", "2017", "2018", "2019", "2020"};
  return anyos;
}

}  // namespace velmora
