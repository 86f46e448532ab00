// The stand-in SOLUC: one row per hour of every session of ASIGT, placed on
// the week of DIASHORAST, a few left unplaced, the same for the same seed.
#include "tools/lib/stand_in_solution.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "tests/formats/dbf_test_util.h"
#include "to_tabulix/tabla_asigt.h"

namespace velmora::tools {
namespace {

using velmora::testing::DbfTempFolder;

struct AsigtRow {
  std::string casig, cprof, cgrup, caula;
  double horas;
  std::string sesiones, ctarea, nconex;
};

struct SolucRow {
  std::string asig, tarea, grupo, prof, aula, bloque;
  long long nsesion, dia, hora;
};

void WriteAsigt(const DbfTempFolder& dir, const std::vector<AsigtRow>& rows) {
  Table::Create(dir / "ASIGT.DBF", CamposAsigt());
  Table t(dir / "ASIGT.DBF", OpenMode::Exclusive);
  for (const AsigtRow& r : rows) {
    t.Append();
    t.SetString("CASIG", r.casig);
    t.SetString("CPROF", r.cprof);
    t.SetString("CGRUP", r.cgrup);
    t.SetString("CAULA", r.caula);
    t.SetFloat("HORAS", r.horas);
    t.SetString("SESIONES", r.sesiones);
    t.SetString("CTAREA", r.ctarea);
    t.SetString("NCONEX", r.nconex);
    t.Post();
  }
  t.Close();
}

// Seven rows (days) for each of `hours` slots, as the slots table has them.
void WriteDiasHoras(const DbfTempFolder& dir, int hours) {
  Table::Create(dir / "DIASHORAST.DBF", {{"DIHO", FieldKind::Text, 10},
                                         {"DIA", FieldKind::Text, 20},
                                         {"HORA", FieldKind::Text, 8},
                                         {"SESION_ORDEN", FieldKind::Integer}});
  Table t(dir / "DIASHORAST.DBF", OpenMode::Exclusive);
  for (int h = 1; h <= hours; ++h) {
    for (int d = 1; d <= 7; ++d) {
      t.Append();
      t.SetString("DIHO", std::to_string(d) + std::to_string(h));
      t.SetString("DIA", std::to_string(d));
      t.SetString("HORA", std::to_string(h));
      t.SetInteger("SESION_ORDEN", h);
      t.Post();
    }
  }
  t.Close();
}

std::vector<SolucRow> ReadSoluc(const DbfTempFolder& dir) {
  Table t(dir / "SOLUC.DBF", OpenMode::Shared);
  std::vector<SolucRow> rows;
  for (t.First(); !t.Eof(); t.Next()) {
    rows.push_back({t.AsString("ASIG"), t.AsString("TAREA"), t.AsString("CODGRUPO"),
                    t.AsString("PROF"), t.AsString("AULA"), t.AsString("BLOQUE"),
                    t.AsInteger("NSESION"), t.AsInteger("DIA"), t.AsInteger("HORA")});
  }
  return rows;
}

// A class of a two-hour and a one-hour session, a duty, a class without a
// pattern, and two groups of 17 sessions: 40 sessions in all.
const std::vector<AsigtRow> kLoad = {
    {"MAT", "GPA", "1ESOA", "A101", 3, "21", "*479", "B1"},
    {"*041", "GPA", "", "", 2, "11", "*041", ""},
    {"FQ", "ISC", "3ESOA", "LAB", 2, "", "*479", ""},
    {"VAL", "FSV", "1ESOB", "A102", 17, "11111111111111111", "*479", ""},
    {"ANG", "OM", "1ESOC", "A103", 17, "11111111111111111", "*479", ""},
};

TEST(StandInSolution, OneRowPerHourOfEverySessionOnTheWeek) {
  DbfTempFolder dir;
  WriteAsigt(dir, kLoad);
  WriteDiasHoras(dir, 6);
  const StandInStats stats = WriteStandInSolution(dir.Path(), 1);
  EXPECT_EQ(stats.hours, 6);
  EXPECT_EQ(stats.sessions, 40u);
  EXPECT_EQ(stats.unplaced, 1u);
  EXPECT_EQ(stats.clashes, 0u);

  std::vector<std::string> names;
  const Table soluc(dir / "SOLUC.DBF", OpenMode::Shared);
  for (const FieldInfo& f : soluc.Fields()) names.push_back(f.name);
  EXPECT_EQ(names, (std::vector<std::string>{"ASIG", "TAREA", "NSESION", "DIA", "HORA", "CODGRUPO",
                                             "PROF", "AULA", "BLOQUE"}));

  const std::vector<SolucRow> rows = ReadSoluc(dir);
  ASSERT_EQ(rows.size(), 41u);
  EXPECT_EQ(stats.rows, rows.size());

  // The two-hour session: two rows, same day, consecutive hours.
  for (int i : {0, 1, 2}) {
    EXPECT_EQ(std::tie(rows[i].asig, rows[i].tarea, rows[i].grupo, rows[i].prof, rows[i].aula,
                       rows[i].bloque),
              std::make_tuple("MAT", "*479", "1ESOA", "GPA", "A101", "B1"));
  }
  EXPECT_EQ(rows[0].nsesion, 1);
  EXPECT_EQ(rows[1].nsesion, 1);
  EXPECT_EQ(rows[2].nsesion, 2);
  EXPECT_EQ(rows[1].dia, rows[0].dia);
  EXPECT_EQ(rows[1].hora, rows[0].hora + 1);

  // The duty: task equal to subject, no group.
  for (int i : {3, 4}) {
    EXPECT_EQ(std::tie(rows[i].asig, rows[i].tarea, rows[i].grupo, rows[i].prof),
              std::make_tuple("*041", "*041", "", "GPA"));
  }
  // No pattern: HORAS one-hour sessions.
  EXPECT_EQ(rows[5].asig, "FQ");
  EXPECT_EQ(rows[6].asig, "FQ");
  EXPECT_EQ(rows[6].nsesion, 2);

  // The 40th session is left unplaced; every other row is on Monday to
  // Friday within the day, and no group or teacher is in two places.
  EXPECT_EQ(rows.back().dia, 0);
  EXPECT_EQ(rows.back().hora, 0);
  std::set<std::tuple<std::string, long long, long long>> groups, teachers;
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    const SolucRow& r = rows[i];
    EXPECT_TRUE(r.dia >= 1 && r.dia <= 5 && r.hora >= 1 && r.hora <= 6) << i;
    if (!r.grupo.empty()) {
      EXPECT_TRUE(groups.insert({r.grupo, r.dia, r.hora}).second) << i;
    }
    EXPECT_TRUE(teachers.insert({r.prof, r.dia, r.hora}).second) << i;
  }
}

TEST(StandInSolution, SameSeedSameSolution) {
  DbfTempFolder dir;
  WriteAsigt(dir, kLoad);
  WriteDiasHoras(dir, 6);
  auto placement = [&](unsigned seed) {
    WriteStandInSolution(dir.Path(), seed);
    std::vector<std::pair<long long, long long>> slots;
    for (const SolucRow& r : ReadSoluc(dir)) slots.push_back({r.dia, r.hora});
    return slots;
  };
  const auto first = placement(4);
  EXPECT_EQ(placement(4), first);
  EXPECT_NE(placement(5), first);
}

TEST(StandInSolution, MissingTablesOrSlotsAreErrors) {
  DbfTempFolder dir;
  WriteDiasHoras(dir, 6);
  EXPECT_THROW(WriteStandInSolution(dir.Path(), 1), Error);  // no ASIGT
  WriteAsigt(dir, kLoad);
  WriteDiasHoras(dir, 0);
  EXPECT_THROW(WriteStandInSolution(dir.Path(), 1), Error);  // no hours to place on
}

}  // namespace
}  // namespace velmora::tools
