#include "to_tabulix/patron_sesiones.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

std::string Repite(int veces, char c) {
  return std::string(veces, c);
}

struct Caso {
  double horas;
  std::string patron;
};

void PrintTo(const Caso& c, std::ostream* os) {
  *os << c.horas << " horas";
}

class PatronSesionesEjemplos : public ::testing::TestWithParam<Caso> {};

TEST_P(PatronSesionesEjemplos, DaElPatron) {
  EXPECT_EQ(PatronSesiones(GetParam().horas), GetParam().patron) << GetParam().horas << " horas";
}

INSTANTIATE_TEST_SUITE_P(
    Horas, PatronSesionesEjemplos,
    ::testing::Values(Caso{1, "1"}, Caso{4, "1111"}, Caso{5, "11111"}, Caso{14, Repite(14, '1')},
                      Caso{15, "2" + Repite(13, '1')}, Caso{22, "9" + Repite(13, '1')},
                      Caso{23, "92" + Repite(12, '1')}, Caso{24, "93" + Repite(12, '1')},
                      Caso{28, Repite(14, '2')}, Caso{30, "4" + Repite(13, '2')},
                      Caso{40, "97" + Repite(12, '2')}, Caso{42, Repite(14, '3')},
                      Caso{54, "99" + Repite(12, '3')},
                      // From 55 hours the remainder reaches a third session.
                      Caso{55, "994" + Repite(11, '3')}, Caso{126, Repite(14, '9')},
                      // More than fourteen one-digit sessions can hold.
                      Caso{127, Repite(14, '9')}, Caso{1e12, Repite(14, '9')},
                      // A fraction of an hour counts as a whole one.
                      Caso{3.5, "1111"}, Caso{14.01, "2" + Repite(13, '1')},
                      Caso{126.5, Repite(14, '9')},
                      // No hours, no sessions.
                      Caso{0, ""}, Caso{-3, ""}));

// The pattern as Tabulix users write it by hand for 15 to 54 hours, where
// its digits add up to the hours.
std::string ReglaEscrita(int n) {
  const int q = n / 14;
  if (n == 14 * q) {
    const std::string t = std::to_string(q);
    return t + std::string(13, t[0]);
  }
  const int r = n - 13 * q;
  std::string p = r <= 9 ? std::to_string(r) : "9" + std::to_string(r - 9 + q);
  for (int i = 0; i < 13; ++i) p += std::to_string(q);
  return p.substr(0, 14);
}

TEST(PatronSesiones, SigueLaReglaEscritaHasta54Horas) {
  for (int n = 15; n <= 54; ++n) EXPECT_EQ(PatronSesiones(n), ReglaEscrita(n)) << n << " horas";
}

TEST(PatronSesiones, SusCifrasSumanLasHorasHasta126) {
  for (int n = 1; n <= 126; ++n) {
    const std::string p = PatronSesiones(n);
    int suma = 0;
    for (char c : p) {
      ASSERT_GE(c, '1') << n << " horas: " << p;
      ASSERT_LE(c, '9') << n << " horas: " << p;
      suma += c - '0';
    }
    EXPECT_EQ(suma, n) << p;
    EXPECT_LE(p.size(), 14u) << n << " horas";
  }
}

}  // namespace
}  // namespace velmora
