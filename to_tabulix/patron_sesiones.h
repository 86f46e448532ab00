#pragma once
// The session pattern of an ASIGT row (SESIONES): one decimal digit per
// weekly session, each digit the hours of that session.
#include <string>

namespace velmora {

// The pattern for a load of `horas` hours a week, taken as the smallest whole
// number n not below it:
//   - 1 to 14 hours: n sessions of one hour ("1111" for 4);
//   - more: fourteen sessions of q = n / 14 hours each, the hours left over
//     added to the first sessions in order, none of them above 9 hours
//     ("2" and thirteen "1" for 15; "97" and twelve "2" for 40);
//   - from 127 hours on, which fourteen one-digit sessions cannot hold:
//     fourteen sessions of 9 hours.
// Up to 126 hours the digits add up to n. No hours (0 or less) give an empty
// pattern.
std::string PatronSesiones(double horas);

}  // namespace velmora
