#include "tools/lib/synthetic_school.h"

#include <fstream>

#include "formats/error.h"

namespace velmora::tools {

std::string SyntheticSchoolXml(const SchoolOptions&) {
  throw Error("el generador de centros sintéticos todavía no está disponible");
}

void WriteSyntheticSchool(const std::filesystem::path& file, const SchoolOptions& options) {
  std::ofstream out(file, std::ios::binary);
  out << SyntheticSchoolXml(options);
}

}  // namespace velmora::tools
