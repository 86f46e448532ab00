#include "to_tabulix/patron_sesiones.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr int kMaxSesiones = 14;
constexpr int kMaxHorasSesion = 9;
constexpr int kMaxHoras = kMaxSesiones * kMaxHorasSesion;

}  // namespace

std::string PatronSesiones(double horas) {
  if (!(horas > 0)) return "";  // NaN as well
  // Compared before the conversion, so that a huge value cannot overflow.
  if (horas > kMaxHoras) return std::string(kMaxSesiones, '0' + kMaxHorasSesion);
  const int n = static_cast<int>(std::ceil(horas));
  if (n <= kMaxSesiones) return std::string(n, '1');

  // Fourteen equal sessions, then the remainder spread from the first session
  // on, each raised to 9 hours at most. For 15 to 54 hours this is the
  // pattern Tabulix users know ("9", then r - 9 + q, then q); beyond, it keeps
  // the digits adding up to the hours where the plain rule would write a
  // two-digit entry ("910" for 55 hours).
  const int q = n / kMaxSesiones;
  int resto = n - kMaxSesiones * q;
  std::string patron(kMaxSesiones, static_cast<char>('0' + q));
  for (int i = 0; resto > 0 && i < kMaxSesiones; ++i) {
    const int suma = std::min(resto, kMaxHorasSesion - q);
    patron[i] = static_cast<char>(patron[i] + suma);
    resto -= suma;
  }
  return patron;
}

}  // namespace velmora
