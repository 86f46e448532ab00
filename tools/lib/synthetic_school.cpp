#include "tools/lib/synthetic_school.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/error.h"
#include "formats/xml_encoding.h"
#include "tools/lib/rng.h"
#include "tools/lib/school_catalogue.h"

namespace velmora::tools {

namespace {

namespace cat = catalogue;

// Teachers of one site, besides the support and guidance teachers.
constexpr int kTeachersPerSite = 150;
constexpr int kSupportTeachers = 4;
constexpr int kGuidanceTeachers = 2;
// Weekly sessions a group is given at most: the afternoon template has 30 slots.
constexpr int kWeekTarget = 30;
constexpr std::string_view kDayLetters = "LMXJV";

// The encodings a school can be written in, with the name its declaration gives.
struct Target {
  std::string_view option;
  XmlEncoding encoding;
  bool byteOrderMark;
  std::string_view declared;
};

constexpr Target kTargets[] = {
    {"UTF-8", XmlEncoding::Utf8, false, "UTF-8"},
    {"UTF-8-BOM", XmlEncoding::Utf8, true, "UTF-8"},
    {"UTF-16LE", XmlEncoding::Utf16LE, true, "UTF-16"},
    {"UTF-16BE", XmlEncoding::Utf16BE, true, "UTF-16"},
    {"ISO-8859-1", XmlEncoding::Latin1, false, "ISO-8859-1"},
    {"ISO-8859-15", XmlEncoding::Latin9, false, "ISO-8859-15"},
    {"windows-1252", XmlEncoding::Windows1252, false, "windows-1252"},
};

const Target& TargetOf(std::string_view option) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (const Target& t : kTargets) {
    if (std::equal(t.option.begin(), t.option.end(), option.begin(), option.end(),
                   [&](char a, char b) { return lower(a) == lower(b); })) {
      return t;
    }
  }
  throw Error("codificación no admitida: «" + std::string(option) +
              "» (se admiten UTF-8, UTF-8-BOM, UTF-16LE, UTF-16BE, ISO-8859-1, ISO-8859-15 y "
              "windows-1252)");
}

// One random stream per purpose and per site (or group, or teacher), so that
// the first site of a larger school is the school of scale 1.
Rng Stream(unsigned seed, std::size_t index, int purpose) {
  Rng mix(static_cast<std::uint64_t>(seed) * 0x100000001B3ull ^
          (static_cast<std::uint64_t>(index) << 8) ^ static_cast<std::uint64_t>(purpose));
  return Rng(mix.Next());
}

std::string Num(long long n, int width = 0) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", width, n);
  return buf;
}

// Sites after the first mark their codes: "1ESO" + "07" + "A".
std::string SiteTag(int site) {
  return site == 0 ? std::string() : Num(site, 2);
}

struct Teacher {
  std::string apellido1, apellido2, nombre, tipo, fecha, documento, ensenanza;
  cat::Dept dept;
  int load = 0;
  bool tutor = false;
};

struct Contenido {
  std::string codigo, curso;
  std::string_view val, cas;
};

struct Lesson {
  int contenido;
  const cat::Subject* subject;
  int room;
  int teacher = -1;
  int teacher2 = -1;  // a support teacher sharing the lesson
};

struct Group {
  std::string codigo, nombre, turno, ensenanza, curso;
  int tutor1 = -1, tutor2 = -1;
  std::vector<Lesson> lessons;
};

struct CourseRow {
  std::string codigo, abreviatura, padre, ensenanza;
};

struct RoomRow {
  std::string codigo, nombre;
};

struct DutySession {
  int ocupacion;
  int teacher;
};

struct School {
  std::vector<CourseRow> cursos;
  std::vector<Group> grupos;
  std::vector<Contenido> contenidos;
  std::vector<Teacher> docentes;
  std::vector<RoomRow> aulas;
  std::vector<DutySession> duties;  // the same in both templates
};

// A DNI (eight digits and the check letter) or, for teachers from abroad, an
// NIE (X, seven digits, letter); unique by the teacher's number.
std::string Documento(int teacherNumber, bool foreign, Rng& rng) {
  static constexpr std::string_view kLetters = "TRWAGMYFPDXBNJZSQVHLCKE";
  if (foreign) {
    const long long n = static_cast<long long>(teacherNumber) * 43 + rng.Below(43);
    std::string nie = "X";  // appended, not "X" + ...: GCC 12 warns falsely on that at -O3
    nie += Num(n, 7);
    nie += kLetters[static_cast<std::size_t>(n % 23)];
    return nie;
  }
  const long long n = 10000000 + static_cast<long long>(teacherNumber) * 439 + rng.Below(439);
  return Num(n, 8) + kLetters[static_cast<std::size_t>(n % 23)];
}

Teacher MakeTeacher(cat::Dept dept, int teacherNumber, Rng& rng) {
  Teacher t;
  t.dept = dept;
  const bool foreign = rng.Chance(4);
  if (foreign) {
    const auto& f = rng.Pick(cat::ForeignNames());
    t.apellido1 = f.apellido;
    t.nombre = f.nombre;
  } else {
    t.apellido1 = rng.Pick(cat::Surnames());
    do {
      t.apellido2 = rng.Pick(cat::Surnames());
    } while (t.apellido2 == t.apellido1);
    t.nombre = rng.Pick(cat::GivenNames());
  }
  if (rng.Chance(3)) t.nombre += ' ';  // as some exports leave them
  t.documento = Documento(teacherNumber, foreign, rng);
  const int kind = rng.Below(100);
  t.tipo = kind < 60 ? "D" : kind < 90 ? "I" : kind < 95 ? "P" : "E";
  if (t.tipo == "D") {
    t.fecha = "01/09/" + Num(1988 + rng.Below(36));
  } else if (rng.Chance(80)) {
    t.fecha = Num(1 + rng.Below(28), 2) + "/" + Num(9 + rng.Below(2), 2) + "/2024";
  }
  t.ensenanza = cat::EnsenanzaOf(dept);
  return t;
}

// Splits `total` teachers among the departments in proportion to their hours
// (largest remainder), at least one for each department with hours.
std::vector<int> TeachersPerDept(const std::array<int, cat::kDeptCount>& hours, int total) {
  std::vector<int> count(cat::kDeptCount, 0);
  long long sum = 0;
  for (int h : hours) sum += h;
  if (sum == 0) return count;
  std::vector<std::pair<long long, int>> remainders;
  int given = 0;
  for (int d = 0; d < cat::kDeptCount; ++d) {
    if (hours[d] == 0) continue;
    const long long share = static_cast<long long>(hours[d]) * total;
    count[d] = std::max(1, static_cast<int>(share / sum));
    given += count[d];
    remainders.push_back({-(share % sum), d});
  }
  std::sort(remainders.begin(), remainders.end());
  for (std::size_t i = 0; given < total; i = (i + 1) % remainders.size(), ++given) {
    ++count[remainders[i].second];
  }
  return count;
}

int LeastLoaded(const std::vector<int>& candidates, const std::vector<Teacher>& teachers) {
  int best = candidates.front();
  for (int t : candidates) {
    if (teachers[t].load < teachers[best].load) best = t;
  }
  return best;
}

void AddSite(School& school, unsigned seed, int site) {
  Rng rng = Stream(seed, static_cast<std::size_t>(site), 1);
  const std::string tag = SiteTag(site);
  const std::string siteName = site == 0 ? std::string() : " (seu " + Num(site + 1) + ")";

  // Rooms: a home room for every group, then the special rooms.
  int groupCount = 0;
  for (const auto& c : cat::Courses()) groupCount += c.groups;
  const int firstRoom = static_cast<int>(school.aulas.size());
  for (int k = 0; k < groupCount; ++k) {
    const std::string number = Num(100 * (1 + k / 18) + 1 + k % 18);
    school.aulas.push_back({tag + "A" + number, "Aula " + number + siteName});
  }
  std::array<std::vector<int>, 9> roomsOfKind;
  for (const auto& r : cat::SpecialRooms()) {
    if (!r.codigo.empty()) {
      roomsOfKind[static_cast<int>(r.kind)].push_back(static_cast<int>(school.aulas.size()));
    }
    school.aulas.push_back({r.codigo.empty() ? std::string() : tag + std::string(r.codigo),
                            std::string(r.nombre) + siteName});
  }

  // Courses and their subjects. ESO's tutorial hour is one subject code for
  // every ESO course, as ITACA has it.
  const auto courses = cat::Courses();
  std::vector<std::string> courseCodes;
  for (std::size_t j = 0; j < courses.size(); ++j) {
    courseCodes.push_back(Num(1000LL * (site + 1) + static_cast<long long>(j) + 1));
  }
  int nextCode = 0;
  std::string esoTutoria;
  std::vector<std::vector<std::pair<int, const cat::Subject*>>> subjectsOf(courses.size());
  for (std::size_t j = 0; j < courses.size(); ++j) {
    const auto& c = courses[j];
    school.cursos.push_back({courseCodes[j], std::string(c.abreviatura),
                             c.padre >= 0 ? courseCodes[static_cast<std::size_t>(c.padre)] : "",
                             std::string(c.ensenanza)});
    for (const auto& s : c.subjects) {
      if ((s.courses & (1u << c.number)) == 0) continue;
      std::string codigo;
      if (s.dept == cat::Tutor && c.ensenanza == "3") {
        if (esoTutoria.empty()) esoTutoria = Num(2000000LL + 1000LL * site + nextCode++);
        codigo = esoTutoria;
      } else {
        codigo = Num(2000000LL + 1000LL * site + nextCode++);
        if (c.longCodes) codigo += "MP" + Num(200 + nextCode, 4);  // thirteen characters
      }
      subjectsOf[j].push_back({static_cast<int>(school.contenidos.size()), &s});
      school.contenidos.push_back({codigo, courseCodes[j], s.val, s.cas});
    }
  }

  // Groups and their lessons: every core subject, then optional ones while
  // the week has room.
  const std::size_t firstGroup = school.grupos.size();
  int homeRoom = firstRoom;
  for (std::size_t j = 0; j < courses.size(); ++j) {
    const auto& c = courses[j];
    for (int g = 0; g < c.groups; ++g) {
      const char letter = static_cast<char>('A' + g);
      Group group;
      group.codigo = std::string(c.abreviatura) + tag + letter;
      group.nombre = std::string(c.nombre) + " " + letter + siteName;
      group.turno = c.turno;
      group.ensenanza = c.ensenanza;
      group.curso = courseCodes[j];
      auto roomFor = [&](cat::RoomKind kind) {
        const auto& rooms = roomsOfKind[static_cast<int>(kind)];
        return kind == cat::RoomKind::Home || rooms.empty()
                   ? homeRoom
                   : rooms[static_cast<std::size_t>(rng.Below(static_cast<int>(rooms.size())))];
      };
      int week = 0;
      std::vector<std::pair<int, const cat::Subject*>> optional;
      for (const auto& [contenido, s] : subjectsOf[j]) {
        if (s->core) {
          group.lessons.push_back({contenido, s, roomFor(s->room)});
          week += s->hours;
        } else {
          optional.push_back({contenido, s});
        }
      }
      rng.Shuffle(optional);
      for (const auto& [contenido, s] : optional) {
        if (week + s->hours > kWeekTarget) continue;
        group.lessons.push_back({contenido, s, roomFor(s->room)});
        week += s->hours;
      }
      school.grupos.push_back(std::move(group));
      ++homeRoom;
    }
  }

  // Teachers: departments sized by their hours, then every lesson to the
  // least loaded teacher of its department.
  std::array<int, cat::kDeptCount> hours{};
  for (std::size_t g = firstGroup; g < school.grupos.size(); ++g) {
    for (const Lesson& l : school.grupos[g].lessons) {
      if (l.subject->dept != cat::Tutor) hours[l.subject->dept] += l.subject->hours;
    }
  }
  std::vector<int> perDept =
      TeachersPerDept(hours, kTeachersPerSite - kSupportTeachers - kGuidanceTeachers);
  perDept[cat::Support] = kSupportTeachers;
  perDept[cat::Guidance] = kGuidanceTeachers;
  std::vector<cat::Dept> depts;
  for (int d = 0; d < cat::kDeptCount; ++d) depts.insert(depts.end(), perDept[d], cat::Dept(d));
  rng.Shuffle(depts);
  const int firstTeacher = static_cast<int>(school.docentes.size());
  std::vector<std::vector<int>> teachersOf(cat::kDeptCount);
  for (std::size_t k = 0; k < depts.size(); ++k) {
    const int number = 200 * site + static_cast<int>(k);
    teachersOf[depts[k]].push_back(static_cast<int>(school.docentes.size()));
    school.docentes.push_back(MakeTeacher(depts[k], number, rng));
  }
  auto& teachers = school.docentes;
  for (std::size_t g = firstGroup; g < school.grupos.size(); ++g) {
    Group& group = school.grupos[g];
    for (Lesson& l : group.lessons) {
      const cat::Dept d = l.subject->dept;
      if (d == cat::Tutor) continue;
      l.teacher = LeastLoaded(teachersOf[d], teachers);
      teachers[l.teacher].load += l.subject->hours;
      const bool sharable =
          group.ensenanza == "3" && l.subject->core &&
          (d == cat::Valencia || d == cat::Castella || d == cat::Angles || d == cat::Matematiques);
      if (sharable && rng.Chance(10)) {
        l.teacher2 = LeastLoaded(teachersOf[cat::Support], teachers);
        teachers[l.teacher2].load += l.subject->hours;
      }
    }
    // The tutor: the teacher with most hours in the group; sometimes a
    // second tutor. One group of each site has only the second tutor, and
    // one has none.
    int tutor = -1, most = 0;
    for (const Lesson& l : group.lessons) {
      if (l.teacher >= 0 && l.subject->hours > most) tutor = l.teacher, most = l.subject->hours;
    }
    group.tutor1 = tutor;
    if (rng.Chance(25) && group.lessons.size() > 1) {
      const Lesson& other =
          group
              .lessons[static_cast<std::size_t>(rng.Below(static_cast<int>(group.lessons.size())))];
      if (other.teacher >= 0 && other.teacher != tutor) group.tutor2 = other.teacher;
    }
    const std::size_t index = g - firstGroup;
    if (index == 4) group.tutor1 = -1, group.tutor2 = tutor;
    if (index == 9) group.tutor1 = -1, group.tutor2 = -1;
    for (Lesson& l : group.lessons) {
      if (l.subject->dept == cat::Tutor) l.teacher = tutor;
    }
    if (tutor >= 0) teachers[tutor].tutor = true;
  }

  // Duties, the same sessions in both templates.
  const int lastTeacher = static_cast<int>(teachers.size());
  const int coordinator =
      teachersOf[cat::Informatica].empty() ? firstTeacher : teachersOf[cat::Informatica].front();
  const int convivencia = firstTeacher + rng.Below(lastTeacher - firstTeacher);
  for (int t = firstTeacher; t < lastTeacher; ++t) {
    auto add = [&](int ocupacion, int times) {
      for (int k = 0; k < times; ++k) school.duties.push_back({ocupacion, t});
    };
    const Teacher& teacher = teachers[t];
    add(cat::duty::ReunioDepartament, 1);
    if (teacher.dept == cat::Guidance) {
      add(cat::duty::Orientacio, 6);
    } else {
      add(cat::duty::AtencioFamilies, 1);
    }
    if (teacher.tutor) add(cat::duty::EquipEducatiu, 1);
    if (teachersOf[teacher.dept].front() == t) add(cat::duty::CapDepartament, 2);
    if (t == coordinator) add(cat::duty::CoordinacioTic, 3);
    if (t == convivencia) add(cat::duty::Convivencia, 2);
    for (int k = 1 + rng.Below(3); k > 0; --k) {
      const int r = rng.Below(100);
      add(r < 60 ? cat::duty::Guardia : r < 85 ? cat::duty::GuardiaPati : cat::duty::Biblioteca, 1);
    }
    if (rng.Chance(5)) add(cat::duty::Extraescolars, 1);
    if (rng.Chance(5)) add(cat::duty::PlaLectura, 1);
  }
}

// The document is built as UTF-8 text, one element a line.
class Writer {
 public:
  explicit Writer(std::size_t expected) { out_.reserve(expected); }
  using Attrs = std::initializer_list<std::pair<std::string_view, std::string_view>>;

  void Raw(std::string_view s) { out_ += s; }
  void Open(std::string_view name, int depth, Attrs attrs = {}) {
    Start(name, depth, attrs);
    out_ += ">\n";
  }
  void Close(std::string_view name, int depth) {
    out_.append(static_cast<std::size_t>(2 * depth), ' ');
    out_ += "</";
    out_ += name;
    out_ += ">\n";
  }
  void Empty(std::string_view name, int depth, Attrs attrs) {
    Start(name, depth, attrs);
    out_ += "/>\n";
  }
  std::string Take() { return std::move(out_); }

 private:
  void Start(std::string_view name, int depth, Attrs attrs) {
    out_.append(static_cast<std::size_t>(2 * depth), ' ');
    out_ += '<';
    out_ += name;
    for (const auto& [key, value] : attrs) {
      out_ += ' ';
      out_ += key;
      out_ += "=\"";
      for (char c : value) {
        switch (c) {
          case '&':
            out_ += "&amp;";
            break;
          case '<':
            out_ += "&lt;";
            break;
          case '>':
            out_ += "&gt;";
            break;
          case '"':
            out_ += "&quot;";
            break;
          default:
            out_ += c;
        }
      }
      out_ += '"';
    }
  }
  std::string out_;
};

std::string WriteSchool(const School& school, const SchoolOptions& options, SchoolStats& stats) {
  Writer w(school.grupos.size() * 9000 + school.docentes.size() * 1500);
  w.Raw("<?xml version=\"1.0\" encoding=\"" + std::string(TargetOf(options.encoding).declared) +
        "\"?>\n");
  w.Raw("<!-- Centro sintético de Velmora (velmora-centro): semilla " + Num(options.seed) +
        ", escala " + Num(options.scale) + " -->\n");
  const std::string codigo = Num(46000000 + options.seed % 1000000, 8);
  const std::string denominacion = "IES Velmora Sintètic " + Num(options.seed);
  w.Open(
      "centro", 0,
      {{"codigo", codigo}, {"denominacion", denominacion}, {"curso", "2024"}, {"version", "1.0"}});

  w.Open("ensenanzas", 1);
  for (const auto& e : cat::Ensenanzas()) {
    w.Empty("ensenanza", 2, {{"ensenanza", e.codigo}, {"abreviatura", e.abreviatura}});
  }
  w.Close("ensenanzas", 1);

  w.Open("cursos", 1);
  for (const auto& c : school.cursos) {
    w.Empty("curso", 2,
            {{"codigo", c.codigo},
             {"abreviatura", c.abreviatura},
             {"padre", c.padre},
             {"ensenanza", c.ensenanza}});
  }
  w.Close("cursos", 1);

  auto documento = [&](int t) -> std::string_view {
    return t >= 0 ? std::string_view(school.docentes[static_cast<std::size_t>(t)].documento)
                  : std::string_view();
  };
  w.Open("grupos", 1);
  for (const auto& g : school.grupos) {
    w.Empty("grupo", 2,
            {{"codigo", g.codigo},
             {"nombre", g.nombre},
             {"turno", g.turno},
             {"ensenanza", g.ensenanza},
             {"tutor_ppal", documento(g.tutor1)},
             {"tutor_sec", documento(g.tutor2)}});
  }
  w.Close("grupos", 1);

  w.Open("cursos_grupo", 1);
  for (const auto& g : school.grupos) {
    w.Empty("curso_grupo", 2, {{"grupo", g.codigo}, {"curso", g.curso}});
  }
  w.Close("cursos_grupo", 1);

  w.Open("contenidos", 1);
  for (const auto& c : school.contenidos) {
    w.Empty(
        "contenido", 2,
        {{"codigo", c.codigo}, {"curso", c.curso}, {"nombre_val", c.val}, {"nombre_cas", c.cas}});
  }
  w.Close("contenidos", 1);

  const auto ocupaciones = cat::Ocupaciones();
  w.Open("ocupaciones", 1);
  for (const auto& o : ocupaciones) {
    w.Empty("ocupacion", 2, {{"codigo", o.codigo}, {"nombre_val", o.val}, {"nombre_cas", o.cas}});
  }
  w.Close("ocupaciones", 1);

  w.Open("aulas", 1);
  for (const auto& a : school.aulas)
    w.Empty("aula", 2, {{"codigo", a.codigo}, {"nombre", a.nombre}});
  w.Close("aulas", 1);

  w.Open("docentes", 1);
  for (const auto& d : school.docentes) {
    w.Empty("docente", 2,
            {{"apellido1", d.apellido1},
             {"apellido2", d.apellido2},
             {"nombre", d.nombre},
             {"tipo_docente", d.tipo},
             {"fecha_ingreso", d.fecha},
             {"documento", d.documento},
             {"ensenanza", d.ensenanza}});
  }
  w.Close("docentes", 1);

  const auto templates = cat::Templates();
  w.Open("plantillas_horario", 1);
  for (const auto& t : templates) {
    w.Empty("plantilla_horario", 2,
            {{"codigo", t.codigo},
             {"descripcion_val", t.val},
             {"descripcion_cas", t.cas},
             {"turno", t.turno}});
  }
  w.Close("plantillas_horario", 1);

  w.Open("sesiones_horario", 1);
  for (const auto& t : templates) {
    for (std::size_t d = 0; d < kDayLetters.size(); ++d) {
      for (std::size_t s = 0; s < t.sessions.size(); ++s) {
        const std::string orden = Num(t.firstOrder + static_cast<long long>(s));
        w.Empty("sesion_horario", 2,
                {{"plantilla", t.codigo},
                 {"dia_semana", kDayLetters.substr(d, 1)},
                 {"sesion_orden", orden},
                 {"hora_desde", t.sessions[s].desde},
                 {"hora_hasta", t.sessions[s].hasta}});
        ++stats.sesionesHorario;
      }
    }
  }
  w.Close("sesiones_horario", 1);

  // The weekly sessions of every group in each template: each lesson's
  // sessions spread over the group's slots, listed by day and session.
  w.Open("horarios_grupo", 1);
  for (std::size_t ti = 0; ti < templates.size(); ++ti) {
    const auto& t = templates[ti];
    const int perDay = static_cast<int>(t.sessions.size());
    const int slots = perDay * static_cast<int>(kDayLetters.size());
    for (std::size_t gi = 0; gi < school.grupos.size(); ++gi) {
      const Group& g = school.grupos[gi];
      Rng rng = Stream(options.seed, gi, 100 + static_cast<int>(ti));
      std::vector<int> order(static_cast<std::size_t>(slots));
      for (int s = 0; s < slots; ++s) order[static_cast<std::size_t>(s)] = s;
      rng.Shuffle(order);
      std::vector<std::pair<int, std::size_t>> placed;
      std::size_t next = 0;
      for (std::size_t li = 0; li < g.lessons.size(); ++li) {
        for (int h = 0; h < g.lessons[li].subject->hours; ++h) {
          placed.push_back({order[next++ % order.size()], li});
        }
      }
      std::stable_sort(placed.begin(), placed.end(),
                       [](const auto& a, const auto& b) { return a.first < b.first; });
      for (const auto& [slot, li] : placed) {
        const Lesson& l = g.lessons[li];
        const std::string orden = Num(t.firstOrder + slot % perDay);
        const std::string_view dia = kDayLetters.substr(static_cast<std::size_t>(slot / perDay), 1);
        const auto& contenido = school.contenidos[static_cast<std::size_t>(l.contenido)];
        const auto& aula = school.aulas[static_cast<std::size_t>(l.room)].codigo;
        for (int teacher : {l.teacher, l.teacher2}) {
          if (teacher < 0) continue;
          w.Empty("horario_grupo", 2,
                  {{"plantilla", t.codigo},
                   {"dia_semana", dia},
                   {"sesion_orden", orden},
                   {"grupo", g.codigo},
                   {"curso", g.curso},
                   {"contenido", contenido.codigo},
                   {"docente", documento(teacher)},
                   {"aula", aula}});
          ++stats.horariosGrupo;
        }
      }
    }
  }
  w.Close("horarios_grupo", 1);

  w.Open("horarios_ocupaciones", 1);
  for (std::size_t ti = 0; ti < templates.size(); ++ti) {
    const auto& t = templates[ti];
    const int perDay = static_cast<int>(t.sessions.size());
    Rng rng(0);
    int current = -1;
    for (const DutySession& d : school.duties) {
      if (d.teacher != current) {
        current = d.teacher;
        rng = Stream(options.seed, static_cast<std::size_t>(current), 200 + static_cast<int>(ti));
      }
      const int slot = rng.Below(perDay * static_cast<int>(kDayLetters.size()));
      const std::string orden = Num(t.firstOrder + slot % perDay);
      w.Empty("horario_ocupacion", 2,
              {{"plantilla", t.codigo},
               {"dia_semana", kDayLetters.substr(static_cast<std::size_t>(slot / perDay), 1)},
               {"sesion_orden", orden},
               {"docente", documento(d.teacher)},
               {"ocupacion", ocupaciones[static_cast<std::size_t>(d.ocupacion)].codigo}});
      ++stats.horariosOcupacion;
    }
  }
  w.Close("horarios_ocupaciones", 1);

  w.Close("centro", 0);
  return w.Take();
}

}  // namespace

std::string SyntheticSchoolXml(const SchoolOptions& options, SchoolStats* stats) {
  const Target& target = TargetOf(options.encoding);  // an unknown one fails before the work
  if (options.scale < 1 || options.scale > 1000) {
    throw Error("la escala del centro sintético debe estar entre 1 y 1000 (se pidió " +
                Num(options.scale) + ")");
  }
  School school;
  for (int site = 0; site < options.scale; ++site) AddSite(school, options.seed, site);
  SchoolStats counts;
  counts.docentes = school.docentes.size();
  counts.cursos = school.cursos.size();
  counts.grupos = school.grupos.size();
  counts.contenidos = school.contenidos.size();
  counts.aulas = school.aulas.size();
  std::string utf8 = WriteSchool(school, options, counts);
  if (stats) *stats = counts;
  if (target.encoding == XmlEncoding::Utf8 && !target.byteOrderMark) return utf8;
  return EncodeXmlText(utf8, target.encoding, target.byteOrderMark);
}

void WriteSyntheticSchool(const std::filesystem::path& file, const SchoolOptions& options,
                          SchoolStats* stats) {
  const std::string bytes = SyntheticSchoolXml(options, stats);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw Error("no se pudo escribir el fichero «" + file.string() + "»");
}

}  // namespace velmora::tools
