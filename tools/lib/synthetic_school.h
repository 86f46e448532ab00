#pragma once
// Synthetic ITACA documents for tests, demos and benchmarks: deterministic for
// a seed and a scale, using every collection and attribute the conversions
// read, with consistent references between them.
//
// Scale 1 is a large secondary school (150 teachers, 53 groups, 282 subjects
// of 20 courses, about 4,500 weekly sessions); scale k multiplies it by k:
// the school gets k sites, each with its own courses, groups, subjects, rooms
// and teachers, under codes that stay unique. Teaching programmes, duties and
// the two timetable templates ("MAT", morning, sessions 1 to 7; "VES",
// afternoon, sessions 8 to 13) are the school's own and do not grow. Every
// group has its weekly load in both templates. The sessions carry a day and
// a session order too, as ITACA's own exports do; the conversions do not
// read them.
#include <cstddef>
#include <filesystem>
#include <string>

namespace velmora::tools {

struct SchoolOptions {
  unsigned seed = 1;
  int scale = 1;  // 1 to 1000
  // "UTF-8", "UTF-8-BOM", "UTF-16LE", "UTF-16BE", "ISO-8859-1", "ISO-8859-15" or "windows-1252".
  std::string encoding = "UTF-8";
};

// What a synthetic school holds: the number of elements of each collection.
struct SchoolStats {
  std::size_t docentes = 0;
  std::size_t cursos = 0;
  std::size_t grupos = 0;
  std::size_t contenidos = 0;
  std::size_t aulas = 0;
  std::size_t sesionesHorario = 0;    // sesion_horario: the templates' slots
  std::size_t horariosGrupo = 0;      // horario_grupo: weekly group sessions
  std::size_t horariosOcupacion = 0;  // horario_ocupacion: weekly duty sessions
  // The weekly sessions, teaching and duty, of both templates.
  std::size_t Sessions() const { return horariosGrupo + horariosOcupacion; }
};

// The document's bytes, in the chosen encoding, with a matching declaration.
// Errors: an unknown encoding, a scale outside 1 to 1000.
std::string SyntheticSchoolXml(const SchoolOptions& options, SchoolStats* stats = nullptr);

// Writes SyntheticSchoolXml to a file.
void WriteSyntheticSchool(const std::filesystem::path& file, const SchoolOptions& options,
                          SchoolStats* stats = nullptr);

}  // namespace velmora::tools
