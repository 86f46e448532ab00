#pragma once
// Any bytes as a template code and the entries of an hours list (one per
// line: the first line is the code), read as the slots table needs them, and
// DIASHORAST written from them. An entry that does not read is an Error that
// leaves the slots of the last run in place; one that reads gives seven rows
// that hold it.
#include <string>
#include <string_view>
#include <vector>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "fuzz/finding.h"
#include "fuzz/scratch.h"
#include "to_tabulix/run_state.h"
#include "to_tabulix/steps.h"
#include "to_tabulix/tramos_horas.h"

namespace velmora::fuzz {

inline void CheckHorasInput(std::string_view bytes, const Scratch& scratch) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= bytes.size() && lines.size() < 65) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }

  // Each entry on its own.
  for (std::size_t i = 1; i < lines.size(); ++i) {
    try {
      const TramoHoras t = LeerTramo(lines[i]);
      Require(t.desde.size() <= 5 && t.hasta.size() <= 5, "a time longer than five characters");
      Require(t.sesion >= -9 && t.sesion <= 99, "a session number of more than two characters");
    } catch (const Error&) {
    }
  }

  // The whole list into the slots table, over the table of a last run.
  scratch.Clear();
  RunState state;
  state.xtemp = scratch.Root();
  state.plantilla = lines.front();
  state.idioma = (bytes.size() % 2) ? kCastellano : kValencia;
  Report report;
  state.horas = {" 1 de 08:00 a 08:55"};
  CrearDiasHoras(state, report);
  const auto file = TableFile(state.xtemp, "DIASHORAST");
  const std::string last = ReadBytes(file);

  state.horas.assign(lines.begin() + 1, lines.end());
  try {
    CrearDiasHoras(state, report);
  } catch (const Error&) {
    Require(ReadBytes(file) == last, "an hours list that does not read changed DIASHORAST");
    return;
  }
  Table t(file, OpenMode::Shared);
  Require(t.RecordCount() == static_cast<long>(7 * state.horas.size()),
          "DIASHORAST does not hold seven rows per entry");
  t.First();
  for (const std::string& entrada : state.horas) {
    const TramoHoras tramo = LeerTramo(entrada);
    for (int d = 1; d <= 7; ++d, t.Next()) {
      Require(t.AsInteger("SESION_ORDEN") == tramo.sesion, "SESION_ORDEN differs from the entry");
      const std::string desde =
          tramo.desde.substr(0, tramo.desde.find_last_not_of(std::string(" \0", 2)) + 1);
      Require(t.AsString("HORADESDE") == desde, "HORADESDE differs from the entry");
    }
  }
  t.Close();
}

}  // namespace velmora::fuzz
