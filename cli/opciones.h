#pragma once
// The options of one command: "--name value", "--name=value" or a bare flag,
// and the positional arguments in order. Texts stay as given (UTF-8).
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace velmora::cli {

// A wrong command line: the command shows its usage and exits with status 2.
class ErrorDeUso : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Opciones {
  std::vector<std::string> posicionales;
  std::map<std::string, std::string> valores;
  std::set<std::string> banderas;
  bool ayuda = false;  // --help or -h

  std::optional<std::string> Valor(const std::string& nombre) const;
  bool Bandera(const std::string& nombre) const { return banderas.count(nombre) > 0; }
};

// `conValor` and `sinValor` name the options (with their dashes) the command
// knows. Throws ErrorDeUso for any other option or a missing value.
Opciones LeerOpciones(const Args& args, const std::set<std::string>& conValor,
                      const std::set<std::string>& sinValor);

// The language combo's text for --idioma: "valenciano" (or "valencià",
// "VALENCIÁ") and "castellano", in any case. Throws ErrorDeUso otherwise.
std::string Idioma(const std::string& opcion);

// Prints the message and the usage to standard error; returns 2.
int UsoIncorrecto(const std::string& mensaje, const char* uso);

}  // namespace velmora::cli
