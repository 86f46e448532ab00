#include "tools/lib/stand_in_solution.h"

#include <cmath>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "formats/dbf_table.h"
#include "formats/error.h"
#include "formats/text.h"
#include "tools/lib/rng.h"

namespace velmora::tools {

namespace {

constexpr int kDays = 5;
constexpr int kUnplacedEvery = 40;
constexpr int kTries = 30;

struct Assignment {
  std::string asig, tarea, grupo, prof, aula, bloque;
  std::vector<int> sessions;  // hours of each session
};

// The sessions of a row: one per digit of its pattern, or HORAS one-hour ones.
std::vector<int> SessionsOf(const std::string& sesiones, double horas) {
  std::vector<int> hours;
  for (char c : sesiones) {
    if (c >= '1' && c <= '9') hours.push_back(c - '0');
  }
  if (hours.empty() && horas > 0) hours.assign(static_cast<std::size_t>(std::ceil(horas)), 1);
  return hours;
}

int HoursOfDay(const std::filesystem::path& xtemp) {
  Table slots(TableFile(xtemp, "DIASHORAST"), OpenMode::Shared);
  std::set<std::string> distinct;
  for (slots.First(); !slots.Eof(); slots.Next()) {
    const std::string hora = AllTrim(slots.AsString("HORA"));
    if (!hora.empty()) distinct.insert(hora);
  }
  slots.Close();
  if (distinct.empty()) {
    throw Error("la tabla DIASHORAST de «" + xtemp.string() +
                "» no tiene ninguna hora: no hay dónde colocar las sesiones");
  }
  return static_cast<int>(distinct.size());
}

std::vector<Assignment> ReadAssignments(const std::filesystem::path& xtemp) {
  Table asigt(TableFile(xtemp, "ASIGT"), OpenMode::Shared);
  std::vector<Assignment> rows;
  for (asigt.First(); !asigt.Eof(); asigt.Next()) {
    Assignment a;
    a.asig = asigt.AsString("CASIG");
    a.tarea = asigt.AsString("CTAREA");
    // A duty (task code equal to subject code) belongs to no group.
    a.grupo = a.asig == a.tarea ? std::string() : asigt.AsString("CGRUP");
    a.prof = asigt.AsString("CPROF");
    a.aula = asigt.AsString("CAULA");
    a.bloque = asigt.AsString("NCONEX");
    a.sessions = SessionsOf(asigt.AsString("SESIONES"), asigt.AsFloat("HORAS"));
    rows.push_back(std::move(a));
  }
  asigt.Close();
  return rows;
}

// Which slots of the week each group, teacher and room already has.
class Week {
 public:
  using Slots = std::vector<bool>;
  explicit Week(int hours) : hours_(hours) {}

  // The slots of the row's group, teacher and room (those it names).
  std::vector<Slots*> Of(const Assignment& a) {
    std::vector<Slots*> of;
    if (!a.grupo.empty()) of.push_back(&SlotsOf("G" + a.grupo));
    if (!a.prof.empty()) of.push_back(&SlotsOf("P" + a.prof));
    if (!a.aula.empty()) of.push_back(&SlotsOf("A" + a.aula));
    return of;
  }
  bool Free(const std::vector<Slots*>& of, int day, int hour, int length) const {
    for (const Slots* taken : of) {
      for (int h = hour; h < hour + length; ++h) {
        if ((*taken)[Index(day, h)]) return false;
      }
    }
    return true;
  }
  void Take(const std::vector<Slots*>& of, int day, int hour, int length) const {
    for (Slots* taken : of) {
      for (int h = hour; h < hour + length; ++h) (*taken)[Index(day, h)] = true;
    }
  }

 private:
  Slots& SlotsOf(const std::string& key) {
    Slots& slots = taken_[key];
    if (slots.empty()) slots.assign(static_cast<std::size_t>(kDays * hours_), false);
    return slots;
  }
  std::size_t Index(int day, int hour) const {
    return static_cast<std::size_t>((day - 1) * hours_ + (hour - 1));
  }

  int hours_;
  std::unordered_map<std::string, Slots> taken_;  // node-based: pointers stay valid
};

}  // namespace

StandInStats WriteStandInSolution(const std::filesystem::path& xtemp, unsigned seed) {
  StandInStats stats;
  stats.hours = HoursOfDay(xtemp);
  const std::vector<Assignment> rows = ReadAssignments(xtemp);

  DeleteTableFiles(xtemp, "SOLUC");
  const std::filesystem::path file = TableFile(xtemp, "SOLUC");
  Table::Create(file, {{"ASIG", FieldKind::Text, 10},
                       {"TAREA", FieldKind::Text, 10},
                       {"NSESION", FieldKind::Integer},
                       {"DIA", FieldKind::Integer},
                       {"HORA", FieldKind::Integer},
                       {"CODGRUPO", FieldKind::Text, 10},
                       {"PROF", FieldKind::Text, 10},
                       {"AULA", FieldKind::Text, 10},
                       {"BLOQUE", FieldKind::Text, 4}});
  Table soluc(file, OpenMode::Exclusive);

  Rng rng(0x5EED000000000000ull ^ seed);
  Week week(stats.hours);
  for (const Assignment& a : rows) {
    const auto of = week.Of(a);
    for (std::size_t s = 0; s < a.sessions.size(); ++s) {
      const int length = a.sessions[s];
      ++stats.sessions;
      int day = 0, hour = 0;
      if (stats.sessions % kUnplacedEvery != 0 && length <= stats.hours) {
        bool free = false;
        for (int t = 0; t < kTries && !free; ++t) {
          day = 1 + rng.Below(kDays);
          hour = 1 + rng.Below(stats.hours - length + 1);
          free = week.Free(of, day, hour, length);
        }
        if (!free) ++stats.clashes;
        week.Take(of, day, hour, length);
      } else {
        ++stats.unplaced;
      }
      for (int h = 0; h < length; ++h) {
        soluc.Append();
        soluc.SetString("ASIG", a.asig);
        soluc.SetString("TAREA", a.tarea);
        soluc.SetInteger("NSESION", static_cast<long long>(s + 1));
        soluc.SetInteger("DIA", day);
        soluc.SetInteger("HORA", day == 0 ? 0 : hour + h);
        soluc.SetString("CODGRUPO", a.grupo);
        soluc.SetString("PROF", a.prof);
        soluc.SetString("AULA", a.aula);
        soluc.SetString("BLOQUE", a.bloque);
        soluc.Post();
        ++stats.rows;
      }
    }
  }
  soluc.Close();
  return stats;
}

}  // namespace velmora::tools
