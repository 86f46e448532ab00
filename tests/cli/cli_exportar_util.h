#pragma once
// Running velmora-cli as a user would, in a temporary folder, and collecting
// what it prints and its exit status.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "support/carpeta_temporal.h"
#include "support/shell_quote.h"

namespace velmora::testing::cli_exportar {

struct Salida {
  int estado = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

inline std::string Leer(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void Escribir(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
}

class Carpeta : public CarpetaTemporal {
 public:
  Carpeta() : CarpetaTemporal("velmora-cli") {}

  // Runs velmora-cli with the arguments, after `entorno` (assignments or
  // "env -u NAME"), in this folder.
  Salida Ejecutar(const std::vector<std::string>& args, const std::string& entorno = "") const {
    std::string orden = "cd " + ShellQuote(Path().string()) + " && " + entorno + " " +
                        ShellQuote(VELMORA_BINARY_DIR "/cli/velmora-cli");
    for (const auto& a : args) orden += " " + ShellQuote(a);
    orden += " >" + ShellQuote((Path() / ".out").string()) + " 2>" +
             ShellQuote((Path() / ".err").string());
    Salida s;
    const int r = std::system(orden.c_str());
    s.estado = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
    s.out = Leer(Path() / ".out");
    s.err = Leer(Path() / ".err");
    return s;
  }
};

}  // namespace velmora::testing::cli_exportar
