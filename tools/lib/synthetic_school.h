#pragma once
// Synthetic ITACA documents for tests, demos and benchmarks: deterministic for
// a seed and a scale, using every collection and attribute the conversions
// read, with consistent references between them.
//
// Scale 1 is a large secondary school (about 150 teachers, 50 groups, 400
// subjects); scale k multiplies it by k.
#include <filesystem>
#include <string>

namespace velmora::tools {

struct SchoolOptions {
  unsigned seed = 1;
  int scale = 1;
  // "UTF-8", "UTF-8-BOM", "UTF-16LE", "UTF-16BE", "ISO-8859-1", "ISO-8859-15" or "windows-1252".
  std::string encoding = "UTF-8";
};

// The document's bytes, in the chosen encoding, with a matching declaration.
std::string SyntheticSchoolXml(const SchoolOptions& options);

// Writes SyntheticSchoolXml to a file.
void WriteSyntheticSchool(const std::filesystem::path& file, const SchoolOptions& options);

}  // namespace velmora::tools
