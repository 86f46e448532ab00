#include "to_tabulix/report.h"

namespace velmora {

void Report::Clear() {
  rows.clear();
  omitted.clear();
  unplaced = 0;
  notices.clear();
}

void Report::SetRows(std::string_view table, long count) {
  for (auto& [name, n] : rows) {
    if (name == table) {
      n = count;
      return;
    }
  }
  rows.emplace_back(std::string(table), count);
}

void Report::Omit(std::string line) {
  omitted.push_back(std::move(line));
}

void Report::Notice(std::string line) {
  notices.push_back(std::move(line));
}

std::string Report::Text() const {
  std::string out;
  for (const auto& line : notices) out += "Aviso: " + line + "\n";
  for (const auto& [name, n] : rows) {
    out += name + ": " + std::to_string(n) + (n == 1 ? " fila\n" : " filas\n");
  }
  if (unplaced > 0) {
    out += "Sesiones sin colocar en la solución: " + std::to_string(unplaced) + "\n";
  }
  if (!omitted.empty()) {
    out += "Elementos no convertidos (" + std::to_string(omitted.size()) + "):\n";
    for (const auto& line : omitted) out += "  " + line + "\n";
  }
  return out;
}

}  // namespace velmora
