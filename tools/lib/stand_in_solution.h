#pragma once
// A stand-in for Tabulix's solution table SOLUC, for demos and tests of the
// Tabulix to ITACA direction where Tabulix itself is not at hand. It is NOT a
// timetabler: it scatters the sessions of the assignments table over the week
// at random, avoiding clashes of group, teacher and room where a few random
// tries find a free slot, and accepting a clash where they do not.
//
// Reads ASIGT and DIASHORAST from the working folder and writes SOLUC.DBF
// there, the way Tabulix leaves its solution:
//
//   ASIG C(10)      the row's CASIG
//   TAREA C(10)     the row's CTAREA ("*479" for a class; the duty's code,
//                   equal to ASIG, for a duty)
//   NSESION N       which session of the row this is (1, 2, ...)
//   DIA N           1 (Monday) to 5 (Friday); 0 when not placed
//   HORA N          1 to the number of hours of DIASHORAST; 0 when not placed
//   CODGRUPO C(10)  the row's CGRUP (empty for a duty)
//   PROF C(10)      the row's CPROF
//   AULA C(10)      the row's CAULA
//   BLOQUE C(4)     the row's NCONEX (Tabulix's block of linked sessions)
//
// NSESION and BLOQUE are there because Tabulix's own tables carry more
// fields than the conversion reads; readers must ignore them.
//
// Sessions: each digit of SESIONES is one session of that many hours ("21"
// is a two-hour session and a one-hour one); a row without a pattern has
// HORAS one-hour sessions. A session of d hours gives d rows, one per hour,
// on the same day at consecutive hours, with the same NSESION. Every 40th
// session (and any session longer than the day) is left unplaced: its rows
// have DIA 0 and HORA 0, as Tabulix leaves what it could not place.
//
// The same tables and seed always give the same SOLUC.
#include <cstddef>
#include <filesystem>

namespace velmora::tools {

struct StandInStats {
  std::size_t rows = 0;      // rows of SOLUC
  std::size_t sessions = 0;  // sessions placed or not
  std::size_t unplaced = 0;  // sessions left with DIA 0 and HORA 0
  std::size_t clashes = 0;   // sessions placed on a slot already taken
  int hours = 0;             // hours a day, from DIASHORAST
};

// Errors: ASIGT or DIASHORAST missing or unreadable, a DIASHORAST without
// hours, SOLUC held open by another program.
StandInStats WriteStandInSolution(const std::filesystem::path& xtemp, unsigned seed);

}  // namespace velmora::tools
