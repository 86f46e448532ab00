// velmora-cli tabla: a dBASE table's fields and rows, as a table for a person
// or as CSV for a script. Texts are shown in UTF-8.
#include <algorithm>
#include <cstdio>

#include "cli/commands.h"
#include "cli/opciones.h"
#include "formats/dbf_table.h"
#include "formats/text.h"

namespace velmora::cli {
namespace {

const char* const kUso =
    "Uso: velmora-cli tabla FICHERO.DBF [--csv]\n"
    "\n"
    "Muestra los campos y las filas de una tabla dBASE (las filas borradas no).\n"
    "\n"
    "Opciones:\n"
    "  --csv    Filas en CSV (separadas por comas, con una primera fila de nombres)\n"
    "  --help   Muestra esta ayuda\n";

// Characters on screen of a UTF-8 text.
std::size_t Ancho(const std::string& s) {
  return static_cast<std::size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Csv(const std::string& s) {
  if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace

int Tabla(const Args& args) {
  Opciones o;
  try {
    o = LeerOpciones(args, {}, {"--csv"});
    if (o.ayuda) {
      std::fputs(kUso, stdout);
      return 0;
    }
    if (o.posicionales.size() != 1) throw ErrorDeUso("Indique una tabla dBASE.");
  } catch (const ErrorDeUso& e) {
    return UsoIncorrecto(e.what(), kUso);
  }

  Table tabla(o.posicionales[0], OpenMode::Shared);
  const auto& campos = tabla.Fields();
  std::vector<std::vector<std::string>> filas;
  for (tabla.First(); !tabla.Eof(); tabla.Next()) {
    std::vector<std::string> fila;
    for (const auto& c : campos) fila.push_back(Cp1252ToUtf8(tabla.AsString(c.name)));
    filas.push_back(std::move(fila));
  }
  tabla.Close();

  if (o.Bandera("--csv")) {
    for (std::size_t i = 0; i < campos.size(); ++i) {
      std::printf("%s%s", i ? "," : "", Csv(Cp1252ToUtf8(campos[i].name)).c_str());
    }
    std::puts("");
    for (const auto& fila : filas) {
      for (std::size_t i = 0; i < fila.size(); ++i) {
        std::printf("%s%s", i ? "," : "", Csv(fila[i]).c_str());
      }
      std::puts("");
    }
    return 0;
  }

  std::printf("%s: %zu campos, %zu filas\n", o.posicionales[0].c_str(), campos.size(),
              filas.size());
  for (const auto& c : campos) {
    std::printf("  %-10s %c %3d", Cp1252ToUtf8(c.name).c_str(), c.type, c.length);
    if (c.decimals > 0) std::printf(",%d", c.decimals);
    std::puts("");
  }
  if (filas.empty()) return 0;
  std::vector<std::size_t> anchos;
  for (const auto& c : campos) anchos.push_back(Ancho(Cp1252ToUtf8(c.name)));
  for (const auto& fila : filas) {
    for (std::size_t i = 0; i < fila.size(); ++i) anchos[i] = std::max(anchos[i], Ancho(fila[i]));
  }
  auto imprimir = [&](const std::vector<std::string>& valores) {
    std::string linea;
    for (std::size_t i = 0; i < valores.size(); ++i) {
      if (i) linea += " | ";
      linea += valores[i];
      if (i + 1 < valores.size()) linea += std::string(anchos[i] - Ancho(valores[i]), ' ');
    }
    std::puts(linea.c_str());
  };
  std::puts("");
  std::vector<std::string> nombres;
  for (const auto& c : campos) nombres.push_back(Cp1252ToUtf8(c.name));
  imprimir(nombres);
  std::string raya;
  for (std::size_t i = 0; i < anchos.size(); ++i)
    raya += (i ? "-+-" : "") + std::string(anchos[i], '-');
  std::puts(raya.c_str());
  for (const auto& fila : filas) imprimir(fila);
  return 0;
}

}  // namespace velmora::cli
