#pragma once
// Names of subjects and duties: which attribute holds the name in the chosen
// language, and the long code Tabulix shows for a name.
#include <string>
#include <string_view>

namespace velmora {

// "nombre_val" when the language text is exactly "VALENCIÁ", otherwise
// "nombre_cas" (a text typed into the combo, in any case, gives Castilian).
const char* AtributoNombre(const std::string& idioma);

// A name of 12 characters or more gives its first character followed by the
// initials of its later words; a shorter name gives its first 10 characters.
// Only a to z are raised to capitals.
std::string CodigoLargo(std::string_view nombre);

}  // namespace velmora
