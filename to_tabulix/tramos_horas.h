#pragma once
// The hours list read back by character position, as Tabulix's slots table
// needs it: positions 1-2 the session number, 7-11 the start time HH:MM,
// 15-19 the end time HH:MM (" 1 de 08:00 a 08:55").
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct TramoHoras {
  std::string desde;  // characters 7 to 11, as they stand
  std::string hasta;  // characters 15 to 19, as they stand
  int sesion = 0;     // characters 1 to 2
  int minutos = 0;    // end minus start; negative when the end comes first
};

// Reads one entry. A position that is not a whole number is an error
// "'%s' no es un valor entero válido", naming the entry.
TramoHoras LeerTramo(std::string_view entrada);

// Reads every entry, so that a bad one is found before anything is written.
std::vector<TramoHoras> LeerTramos(const std::vector<std::string>& horas);

// A decimal integer as the platform reads one: leading blanks skipped, an
// optional sign, digits, and nothing after them. Error otherwise.
int EnteroDeTexto(std::string_view texto);

}  // namespace velmora
