#pragma once
// What a Valencian secondary school is made of, for the synthetic schools:
// its teaching programmes, courses and their subjects (names in Valencian and
// Castilian), departments, rooms, duties, timetable templates, and the names
// its teachers are drawn from. Texts are UTF-8.
#include <span>
#include <string_view>

namespace velmora::tools::catalogue {

// The department that teaches a subject. `Tutor` subjects go to the group's
// tutor; `Support` teachers (therapeutic pedagogy) share lessons with
// another teacher; `Guidance` teachers have duties only.
enum Dept : int {
  Valencia,
  Castella,
  Angles,
  Frances,
  Matematiques,
  GeoHistoria,
  Biologia,
  FisicaQuimica,
  EducFisica,
  Musica,
  Dibuix,
  Tecnologia,
  Filosofia,
  Classiques,
  Economia,
  Religio,
  Informatica,
  Administracio,
  Fol,
  Support,
  Guidance,
  Tutor,  // not a department: the group's tutor
  kDeptCount = Tutor
};

// The kind of room a subject is taught in.
enum class RoomKind { Home, Gym, Lab, Computers, Workshop, Music, Art, Split, Other };

// A subject as it is taught in some courses of a programme. `courses` has bit
// n set for course number n (1 for first year...).
struct Subject {
  std::string_view val;
  std::string_view cas;
  int hours;  // weekly sessions
  Dept dept;
  RoomKind room;
  unsigned courses;
  bool core;  // every group takes it; optional ones fill the week
};

// A course of the school. `subjects` lists the programme's subjects, of which
// those with this course's `number` bit belong to it.
struct Course {
  std::string_view abreviatura;  // also the start of its groups' codes
  std::string_view nombre;       // for the groups' names
  std::string_view ensenanza;
  int padre;  // index of the parent course in Courses(); -1 for none
  int groups;
  std::string_view turno;
  std::span<const Subject> subjects;
  int number;
  bool longCodes;  // module codes longer than ten characters, as vocational training has
};

struct Ensenanza {
  std::string_view codigo;
  std::string_view abreviatura;
};

struct Room {
  std::string_view codigo;  // may be empty
  std::string_view nombre;
  RoomKind kind;
};

struct Ocupacion {
  std::string_view codigo;
  std::string_view val;
  std::string_view cas;
};

// Codes of the duties that the generator hands out.
namespace duty {
inline constexpr int Guardia = 0, GuardiaPati = 1, Biblioteca = 2, ReunioDepartament = 3,
                     CapDepartament = 4, CoordinacioTic = 5, AtencioFamilies = 6, EquipEducatiu = 7,
                     Convivencia = 8, Extraescolars = 9, PlaLectura = 10, Orientacio = 11;
}

struct Session {
  std::string_view desde;
  std::string_view hasta;
};

struct Template {
  std::string_view codigo;
  std::string_view val;
  std::string_view cas;
  std::string_view turno;
  int firstOrder;  // sesion_orden of the first session of the day
  std::span<const Session> sessions;
};

std::span<const Ensenanza> Ensenanzas();
std::span<const Course> Courses();
std::span<const Room> SpecialRooms();  // besides one home room per group
std::span<const Ocupacion> Ocupaciones();
std::span<const Template> Templates();
std::span<const std::string_view> Surnames();
std::span<const std::string_view> GivenNames();

// Teachers from abroad: one surname, no second one.
struct ForeignName {
  std::string_view apellido;
  std::string_view nombre;
};
std::span<const ForeignName> ForeignNames();

// The teaching programme of a department's teachers.
std::string_view EnsenanzaOf(Dept dept);

}  // namespace velmora::tools::catalogue
